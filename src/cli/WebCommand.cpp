#include "cli/WebCommand.h"

#include "cli/CommandHelp.h"
#include "cli/ConsoleReporter.h"
#include "cli/ProcessBrowserLauncher.h"
#include "platform/FileFacts.h"
#include "results/BrowserPrograms.h"
#include "results/InternetBrowser.h"
#include "results/WebsiteAddress.h"
#include "results/WebsiteListFile.h"
#include "store/DatabasePaths.h"

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct WebArguments {
    QStringList positional; // none, TOPIC, or TOPIC N TEXT
    bool open = false;
};

std::optional<WebArguments> parse(const QStringList& args)
{
    WebArguments parsed;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--open"))
            parsed.open = true;
        else if (arg.startsWith(QLatin1String("--")))
            return std::nullopt;
        else
            parsed.positional.append(arg);
    }
    const qsizetype count = parsed.positional.size();
    if (count == 2 || count > 3 || (parsed.open && count != 3))
        return std::nullopt;
    return parsed;
}

int printSites(const QStringList& sites, QTextStream& out)
{
    for (qsizetype i = 0; i < sites.size(); ++i)
        out << (i + 1) << '\t' << siteSymbol(siteKind(sites[i])).text << '\t' << sites[i] << '\n';
    return 0;
}

int searchSite(const QString& site, const QString& text, bool open, BrowserLauncher& launcher,
               QTextStream& out, ConsoleReporter& console)
{
    if (websitelist::trimmed(text).isEmpty()) {
        console.information(u"Es wurde kein Text eingegeben!"_s);
        return 2;
    }
    const Result<QUrl> url = websiteUrl(site, text);
    if (!url) {
        console.warning(url.error());
        return 1;
    }
    const QString address = url->toString(QUrl::FullyEncoded);
    out << address << '\n';
    if (open) {
        const BrowserPrograms programs;
        const settings::SettingsStore store;
        InternetBrowser(store, programs, launcher, console).StarteInternetBrowser(address);
    }
    return 0;
}

} // namespace

int runWebCommand(const QString& nativeBase, const QStringList& args, QTextStream& out,
                  QTextStream& err)
{
    ProcessBrowserLauncher launcher;
    return runWebCommand(nativeBase, args, out, err, launcher);
}

int runWebCommand(const QString& nativeBase, const QStringList& args, QTextStream& out,
                  QTextStream& err, BrowserLauncher& launcher)
{
    const std::optional<WebArguments> parsed = parse(args);
    if (!parsed) {
        err << commandhelp::usageLine(u"web"_s);
        return 2;
    }
    ConsoleReporter console(out, err);
    const QString base = DatabasePaths::determineBaseFolder(false, nativeBase, QString());
    if (base.isEmpty()) {
        console.information(
            u"Der Ordner %1 liegt auf keinem zugeordneten Laufwerk."_s.arg(nativeBase));
        return 1;
    }
    const QString listPath = DatabasePaths(base).websiteList();
    if (!platform::exists(listPath)) {
        console.information(u"Die Datei %1 gibt es nicht."_s.arg(listPath));
        return 1;
    }
    const Result<WebsiteListFile> list = WebsiteListFile::load(listPath);
    if (!list) {
        console.warning(list.error());
        return 1;
    }
    const QStringList topics = list->topics();
    if (parsed->positional.isEmpty()) {
        for (const QString& topic : topics)
            out << topic << '\n';
        return 0;
    }
    const QString& wanted = parsed->positional[0];
    const auto topic = std::find_if(topics.begin(), topics.end(), [&wanted](const QString& t) {
        return t.compare(wanted, Qt::CaseInsensitive) == 0;
    });
    if (topic == topics.end()) {
        console.information(u"Das Thema \"%1\" gibt es nicht."_s.arg(wanted));
        return 2;
    }
    const QStringList sites = list->sites(*topic);
    if (parsed->positional.size() == 1)
        return printSites(sites, out);
    bool ok = false;
    const int number = parsed->positional[1].toInt(&ok);
    if (!ok || number < 1 || number > sites.size()) {
        console.information(
            u"Das Thema \"%1\" hat keine Webseite Nummer %2."_s.arg(*topic, parsed->positional[1]));
        return 2;
    }
    return searchSite(sites[number - 1], parsed->positional[2], parsed->open, launcher, out,
                      console);
}
