#include "cli/FilesCommand.h"

#include "cli/CommandHelp.h"
#include "cli/DatabaseLookup.h"
#include "search/FileNameSearch.h"

int runFilesCommand(const QString& nativeBase, const QStringList& args, QTextStream& out,
                    QTextStream& err)
{
    if (args.size() != 2) {
        err << commandhelp::usageLine(QStringLiteral("files"));
        return 2;
    }
    const QString& name = args[0];
    const std::optional<Database> database = findDatabase(nativeBase, name, err);
    if (!database)
        return 2;
    const HitCounter::Outcome outcome =
        searchFileNames(HitCounter(), database->descriptor(), args[1],
                        [&](qint64, const QString& line) { out << line << '\n'; });
    if (outcome.occurrences == 0) {
        err << "Nicht gefunden!\n";
        return 1;
    }
    return 0;
}
