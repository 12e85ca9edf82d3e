#include "cli/SearchCommand.h"

#include "cli/CommandHelp.h"
#include "cli/ConsoleReporter.h"
#include "cli/FilesCommand.h"
#include "cli/ProcessBrowserLauncher.h"
#include "results/BrowserPrograms.h"
#include "results/InternetBrowser.h"
#include "results/ResultPageWriter.h"
#include "search/SearchDriver.h"
#include "search/SearchField.h"
#include "store/Catalogue.h"
#include "store/DatabaseName.h"

namespace {

struct SearchArguments {
    QString name;
    QString text;
    bool caseSensitive = false;
    bool wholeWords = false;
    bool open = false;
};

std::optional<SearchArguments> parse(const QStringList& args)
{
    SearchArguments parsed;
    QStringList positional;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--case-sensitive"))
            parsed.caseSensitive = true;
        else if (arg == QLatin1String("--whole-words"))
            parsed.wholeWords = true;
        else if (arg == QLatin1String("--open"))
            parsed.open = true;
        else if (arg.startsWith(QLatin1String("--")))
            return std::nullopt;
        else
            positional.append(arg);
    }
    if (positional.size() != 2)
        return std::nullopt;
    parsed.name = positional[0];
    parsed.text = positional[1];
    return parsed;
}

QString printable(const SearchHit& hit)
{
    return QString::fromUtf8(hit.path) + u'\t' + QString::fromUtf8(hit.snippet);
}

} // namespace

int runSearchCommand(const QString& nativeBase, const QStringList& args, QTextStream& out,
                     QTextStream& err)
{
    const std::optional<SearchArguments> parsed = parse(args);
    if (!parsed) {
        err << commandhelp::usageLine(QStringLiteral("search"));
        return 2;
    }
    if (const QString why = databasename::refusal(parsed->name); !why.isEmpty()) {
        err << why << '\n';
        return 2;
    }
    // As in the window's search field, "#text" looks for file names.
    if (searchfield::isFileNameSearch(parsed->text))
        return runFilesCommand(nativeBase, {parsed->name, searchfield::fileNameText(parsed->text)},
                               out, err);
    const DatabasePaths paths(DatabasePaths::determineBaseFolder(false, nativeBase, QString()));
    ConsoleStyle style;
    style.captions = false; // no progress line: the hits are the output
    ConsoleReporter console(out, err, style);
    if (!catalogue::databaseNames(paths).contains(parsed->name)) {
        console.information(
            QStringLiteral("Die Datenbank \"%1\" gibt es nicht.").arg(parsed->name));
        return 2;
    }
    SearchDriver driver(paths, console, console);
    const Result<SearchHits> hits = driver.run(Database(paths, parsed->name), parsed->text,
                                               parsed->caseSensitive, parsed->wholeWords);
    if (!hits)
        return 2;
    const bool cancelled = console.cancelRequested();
    for (const SearchHit& hit : *hits)
        out << printable(hit) << '\n';

    // The result pages, as the window writes them; the first opens in the chosen browser.
    ProcessBrowserLauncher launcher;
    const BrowserPrograms programs;
    const settings::SettingsStore store;
    InternetBrowser browser(store, programs, launcher, console);
    ResultPageState state;
    ResultPageWriter pages(paths, state, console, console, parsed->open ? &browser : nullptr);
    const ResultPageHeader header{parsed->name, parsed->caseSensitive, parsed->wholeWords,
                                  cancelled};
    const bool written = pages.writePageSet(*hits, parsed->text, header).ok();
    if (cancelled) {
        err << "Suche abgebrochen.\nBisher in " << hits->size() << " Dateien gefunden.\n";
        return kCancelledExitStatus;
    }
    return written ? 0 : 1;
}
