#include "cli/SortListCommand.h"

#include "cli/CommandHelp.h"
#include "cli/ConsoleReporter.h"
#include "cli/DatabaseLookup.h"
#include "lists/SortedLists.h"
#include "platform/FileFacts.h"

#include <optional>

using sortlist::SortMode;

namespace {

struct SortListArguments {
    QString name;
    SortMode mode = SortMode::Words;
};

std::optional<SortMode> parseMode(const QString& text)
{
    if (text == QLatin1String("words"))
        return SortMode::Words;
    if (text == QLatin1String("phrases"))
        return SortMode::Phrases;
    if (text == QLatin1String("both"))
        return SortMode::WordsAndPhrases;
    return std::nullopt;
}

std::optional<SortListArguments> parse(const QStringList& args)
{
    SortListArguments parsed;
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--mode") && i + 1 < args.size()) {
            const std::optional<SortMode> mode = parseMode(args[++i]);
            if (!mode)
                return std::nullopt;
            parsed.mode = *mode;
        } else if (args[i].startsWith(QLatin1String("--"))) {
            return std::nullopt;
        } else {
            positional.append(args[i]);
        }
    }
    if (positional.size() != 1)
        return std::nullopt;
    parsed.name = positional[0];
    return parsed;
}

} // namespace

int runSortListCommand(const QString& nativeBase, const QStringList& args, QTextStream& out,
                       QTextStream& err)
{
    const std::optional<SortListArguments> parsed = parse(args);
    if (!parsed) {
        err << commandhelp::usageLine(QStringLiteral("sortlist"));
        return 2;
    }
    const std::optional<Database> database = findDatabase(nativeBase, parsed->name, err);
    if (!database)
        return 2;
    // The panel's label and caption as the progress line, Ctrl+C as the cancel button.
    ConsoleStyle style;
    style.statusLines = false;
    style.cancelNotice = sortedlists::cancelCaption();
    ConsoleReporter console(out, err, style);
    const sortedlists::BuildEnd end = sortedlists::buildAllLists(*database, parsed->mode, console);
    using Kind = sortedlists::BuildEnd::Kind;
    for (const Family family : end.written)
        console.printLine(platform::nativePath(database->phraseList(family)));
    switch (end.kind) {
    case Kind::Finished: console.printLine(sortedlists::finishedLabel()); return 0;
    case Kind::Cancelled: return 1;
    case Kind::NoDocuments: console.information(end.message); return 2;
    case Kind::Failed: console.information(end.message); return 1;
    }
    return 1;
}
