#include "cli/CountCommand.h"

#include "cli/CommandHelp.h"
#include "cli/DatabaseLookup.h"
#include "search/HitCount.h"
#include "search/HitCounter.h"
#include "store/Catalogue.h"

int runCountCommand(const QString& nativeBase, const QStringList& args, QTextStream& out,
                    QTextStream& err)
{
    if (args.size() != 2) {
        err << commandhelp::usageLine(QStringLiteral("count"));
        return 2;
    }
    const QString& name = args[0];
    const QString& text = args[1];
    const std::optional<Database> database = findDatabase(nativeBase, name, err);
    if (!database)
        return 2;
    // The window counts only where all three documents were built.
    if (catalogue::isPathListOnly(*database)) {
        err << QStringLiteral("Die Datenbank \"%1\" hat keine Klartext-Dokumente; ihre Fundstellen "
                              "können nicht gezählt werden.\n")
                   .arg(name);
        return 2;
    }
    const HitCount count = countHits(*database, text, HitCounter());
    for (const QString& line :
         hitCountMessage(text, count, false, false).split(QStringLiteral("\r\n")))
        out << line << '\n';
    return 0;
}
