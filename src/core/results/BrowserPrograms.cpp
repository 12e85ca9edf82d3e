#include "results/BrowserPrograms.h"

#include <QStandardPaths>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct NamedBrowser {
    QString keyword;
    QString displayName;
    QStringList programs;
};

// Debian's names first; the vendors' own packages after them.
const std::vector<NamedBrowser>& namedBrowsers()
{
    using namespace browserkeyword;
    static const std::vector<NamedBrowser> browsers = {
        {kInternetExplorer, u"Microsoft Internet Explorer"_s, {u"iexplore"_s}},
        {kEdge, u"Microsoft Edge"_s, {u"microsoft-edge"_s, u"microsoft-edge-stable"_s}},
        {kChrome,
         u"Google Chrome"_s,
         {u"chromium"_s, u"google-chrome"_s, u"google-chrome-stable"_s, u"chromium-browser"_s}},
        {kOpera, u"Opera"_s, {u"opera"_s}},
        {kSafari, u"Safari"_s, {u"safari"_s}},
        {kFirefox, u"FireFox"_s, {u"firefox"_s, u"firefox-esr"_s}},
    };
    return browsers;
}

} // namespace

BrowserPrograms::BrowserPrograms(QStringList searchPaths) : m_searchPaths(std::move(searchPaths)) {}

QStringList BrowserPrograms::programNames(const QString& keyword)
{
    const auto& browsers = namedBrowsers();
    const auto it =
        std::find_if(browsers.begin(), browsers.end(),
                     [&keyword](const NamedBrowser& b) { return b.keyword == keyword; });
    return it == browsers.end() ? QStringList() : it->programs;
}

QString BrowserPrograms::find(const QString& keyword) const
{
    for (const QString& name : programNames(keyword)) {
        const QString program = QStandardPaths::findExecutable(name, m_searchPaths);
        if (!program.isEmpty())
            return program;
    }
    return {};
}

QList<BrowserPrograms::Installed> BrowserPrograms::installed() const
{
    QList<Installed> result;
    for (const NamedBrowser& browser : namedBrowsers()) {
        const QString program = find(browser.keyword);
        if (!program.isEmpty())
            result.append({browser.keyword, browser.displayName, program});
    }
    return result;
}
