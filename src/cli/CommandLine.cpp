#include "cli/CommandLine.h"

#include "platform/FileFacts.h"
#include "store/Catalogue.h"
#include "store/DatabasePaths.h"
#include "store/EncodingDetection.h"

#include <QDir>
#include <QFileInfo>

namespace {

const char* const kUsage =
    "Aufruf: nimbra [--base ORDNER] BEFEHL ...\n"
    "  databases          die Datenbanken, eine je Zeile\n"
    "  classify DATEI...  Byte-Order-Mark, Klasse und Pfad je Datei\n";

int usage(QTextStream& err)
{
    err << kUsage;
    return 2;
}

int listDatabases(const QString& nativeBase, QTextStream& out, QTextStream& err)
{
    const QString base = DatabasePaths::determineBaseFolder(false, nativeBase, QString());
    if (base.isEmpty()) {
        err << QStringLiteral("Der Ordner %1 liegt auf keinem zugeordneten Laufwerk.\n").arg(nativeBase);
        return 1;
    }
    for (const QString& name : catalogue::databaseNames(DatabasePaths(base)))
        out << name << '\n';
    return 0;
}

int classify(const QStringList& files, QTextStream& out, QTextStream& err)
{
    if (files.isEmpty())
        return usage(err);
    int status = 0;
    for (const QString& file : files) {
        const QString path = platform::programPath(file);
        Result<ClassDecision> decision =
            path.isEmpty() ? Result<ClassDecision>::failure(QStringLiteral("liegt auf keinem zugeordneten Laufwerk"))
                           : decideClassOfFile(path);
        if (!decision) {
            err << file << ": " << decision.error() << '\n';
            status = 1;
            continue;
        }
        out << bomKindText(decision->kind) << '\t' << encodingClassText(decision->encodingClass())
            << '\t' << file << '\n';
    }
    return status;
}

} // namespace

int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    QString base = QDir::currentPath();
    if (args.size() >= 2 && args[0] == QLatin1String("--base")) {
        base = QFileInfo(args[1]).absoluteFilePath();
        args = args.mid(2);
    }
    if (args.isEmpty())
        return usage(err);
    const QString verb = args.takeFirst();
    if (verb == QLatin1String("databases") && args.isEmpty())
        return listDatabases(base, out, err);
    if (verb == QLatin1String("classify"))
        return classify(args, out, err);
    return usage(err);
}
