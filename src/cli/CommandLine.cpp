#include "cli/CommandLine.h"

#include "cli/CommandHelp.h"
#include "cli/CountCommand.h"
#include "cli/FilesCommand.h"
#include "cli/IndexCommand.h"
#include "cli/SearchCommand.h"
#include "cli/SortListCommand.h"
#include "cli/WebCommand.h"
#include "platform/FileFacts.h"
#include "store/Catalogue.h"
#include "store/DatabasePaths.h"
#include "store/EncodingDetection.h"
#include "viewer/TATStreamSearch.h"

#include <QDir>
#include <QFileInfo>

namespace {

int usage(QTextStream& err)
{
    err << commandhelp::shortUsage();
    return 2;
}

// A wrong call of a known verb names that verb's form only.
int verbUsage(const QString& verb, QTextStream& err)
{
    err << commandhelp::usageLine(verb);
    return 2;
}

int listDatabases(const QString& nativeBase, QTextStream& out, QTextStream& err)
{
    const QString base = DatabasePaths::determineBaseFolder(false, nativeBase, QString());
    if (base.isEmpty()) {
        err << QStringLiteral("Der Ordner %1 liegt auf keinem zugeordneten Laufwerk.\n")
                   .arg(nativeBase);
        return 1;
    }
    for (const QString& name : catalogue::databaseNames(DatabasePaths(base)))
        out << name << '\n';
    return 0;
}

int classify(QStringList files, QTextStream& out, QTextStream& err)
{
    const bool why = files.removeAll(QStringLiteral("--why")) > 0;
    if (files.isEmpty())
        return verbUsage(QStringLiteral("classify"), err);
    int status = 0;
    for (const QString& file : files) {
        const QString path = platform::programPath(file);
        Result<ClassDecision> decision =
            path.isEmpty() ? Result<ClassDecision>::failure(
                                 QStringLiteral("liegt auf keinem zugeordneten Laufwerk"))
                           : decideClassOfFile(path);
        if (!decision) {
            err << file << ": " << decision.error() << '\n';
            status = 1;
            continue;
        }
        out << bomKindText(decision->kind) << '\t' << encodingClassText(decision->encodingClass())
            << '\t' << file << '\n';
        if (why) {
            for (const QString& reason : decision->reasons)
                out << "  " << reason << '\n';
        }
    }
    return status;
}

struct FindRequest {
    QString file;
    QString text;
    TATEncoding encoding = vEncANSI;
    TATStreamSearchOptions options = 0;
    bool all = false;
};

std::optional<FindRequest> parseFind(const QStringList& args)
{
    FindRequest request;
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--case-sensitive")) {
            request.options |= ssoCaseSensitive;
        } else if (arg == QLatin1String("--whole-words")) {
            request.options |= ssoWholeWords;
        } else if (arg == QLatin1String("--backward")) {
            request.options |= ssoBackward;
        } else if (arg == QLatin1String("--all")) {
            request.all = true;
        } else if (arg == QLatin1String("--encoding") && i + 1 < args.size()) {
            bool ok = false;
            const int value = args[++i].toInt(&ok);
            if (!ok || value < 0 || value >= kEncodingCount)
                return std::nullopt;
            request.encoding = TATEncoding(value);
        } else {
            positional.append(arg);
        }
    }
    if (positional.size() != 2)
        return std::nullopt;
    request.file = positional[0];
    request.text = positional[1];
    return request;
}

// Prints every match as "<start> <length>"; with --all, every match FindNext reaches
// while the matches move on (a short text searched backward can meet the same one again).
int findInFile(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const std::optional<FindRequest> request = parseFind(args);
    if (!request)
        return verbUsage(QStringLiteral("find"), err);
    TATStreamSearch search;
    const QString path = platform::programPath(request->file);
    const Status opened =
        path.isEmpty()
            ? Status::failure(QStringLiteral("Cannot open file: \"%1\"").arg(request->file))
            : search.setFileName(path);
    if (!opened) {
        err << opened.error() << '\n';
        return 2;
    }
    const bool backward = request->options & ssoBackward;
    Result<bool> found = search.FindFirst(request->text, request->encoding, request->options, 0);
    int matches = 0;
    qint64 previous = -1;
    while (found.ok() && *found) {
        const qint64 start = search.FoundStart();
        if (matches > 0 && (backward ? start >= previous : start <= previous))
            break;
        out << start << ' ' << search.FoundLength() << '\n';
        ++matches;
        previous = start;
        if (!request->all)
            break;
        found = search.FindNext(backward);
    }
    if (!found.ok()) {
        err << found.error() << '\n';
        return 2;
    }
    return matches > 0 ? 0 : 1;
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
    if (args.size() == 1 && commandhelp::isHelpOption(args[0])) {
        out << commandhelp::overview();
        return 0;
    }
    if (args.size() == 1 && args[0] == QLatin1String("--version")) {
        out << commandhelp::versionText();
        return 0;
    }
    const QString verb = args.takeFirst();
    catalogue::removeDeadWritersFiles(
        DatabasePaths(DatabasePaths::determineBaseFolder(false, base, QString())));
    // Help only directly after the verb: later, "--help" may be a search text.
    if (!args.isEmpty() && commandhelp::isHelpOption(args[0])) {
        const QString help = commandhelp::verbHelp(verb);
        if (help.isEmpty())
            return usage(err);
        out << help;
        return 0;
    }
    if (verb == QLatin1String("databases"))
        return args.isEmpty() ? listDatabases(base, out, err) : verbUsage(verb, err);
    if (verb == QLatin1String("classify"))
        return classify(args, out, err);
    if (verb == QLatin1String("find"))
        return findInFile(args, out, err);
    if (verb == QLatin1String("index"))
        return runIndexCommand(base, args, out, err);
    if (verb == QLatin1String("search"))
        return runSearchCommand(base, args, out, err);
    if (verb == QLatin1String("count"))
        return runCountCommand(base, args, out, err);
    if (verb == QLatin1String("files"))
        return runFilesCommand(base, args, out, err);
    if (verb == QLatin1String("sortlist"))
        return runSortListCommand(base, args, out, err);
    if (verb == QLatin1String("web"))
        return runWebCommand(base, args, out, err);
    return usage(err);
}
