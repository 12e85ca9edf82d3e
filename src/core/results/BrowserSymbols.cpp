#include "results/BrowserSymbols.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// The symbols in the window's order with the hints they show when installed.
const QList<std::pair<QString, QString>>& symbolHints()
{
    using namespace browserkeyword;
    static const QList<std::pair<QString, QString>> hints = {
        {kStandard, u"Standard Browser"_s},
        {kInternetExplorer, u"Microsoft Internet Explorer"_s},
        {kEdge, u"Microsoft Edge"_s},
        {kChrome, u"Google Chrome"_s},
        {kOpera, u"Opera"_s},
        {kSafari, u"Safari"_s},
        {kFirefox, u"FireFox"_s},
    };
    return hints;
}

// The keywords a browser's name offers. Internet Explorer brings Edge along.
QStringList offeredBy(const QString& installedName)
{
    using namespace browserkeyword;
    const QString name = installedName.toLower();
    QStringList offered;
    if (name.contains(kInternetExplorer))
        offered << kInternetExplorer << kEdge;
    if (name.contains(kChrome) || name.contains(u"chromium"_s))
        offered << kChrome;
    for (const QString& keyword : {kOpera, kSafari, kFirefox}) {
        if (name.contains(keyword))
            offered << keyword;
    }
    return offered;
}

} // namespace

const BrowserSymbol* BrowserSymbolState::symbol(const QString& keyword) const
{
    const auto it =
        std::find_if(symbols.begin(), symbols.end(),
                     [&keyword](const BrowserSymbol& s) { return s.keyword == keyword; });
    return it == symbols.end() ? nullptr : &*it;
}

BrowserSymbolState PruefeWelcheBrowserInstalliert(const QStringList& installedNames, bool edgeFound,
                                                  const QString& storedBrowser)
{
    QStringList shown{browserkeyword::kStandard};
    if (edgeFound)
        shown << browserkeyword::kEdge;
    for (const QString& name : installedNames)
        shown << offeredBy(name);

    BrowserSymbolState state;
    for (const auto& [keyword, hint] : symbolHints()) {
        state.symbols.append({keyword, shown.contains(keyword) ? hint : QString()});
        if (storedBrowser.contains(keyword, Qt::CaseInsensitive))
            state.current = keyword;
    }
    return state;
}

BrowserSymbolState PruefeWelcheBrowserInstalliert(const BrowserPrograms& programs,
                                                  const settings::SettingsStore& settings)
{
    QStringList names;
    for (const BrowserPrograms::Installed& browser : programs.installed())
        names << browser.displayName << QFileInfo(browser.program).fileName();
    return PruefeWelcheBrowserInstalliert(names, !programs.find(browserkeyword::kEdge).isEmpty(),
                                          settings.read(settings::kBrowser));
}

bool chooseBrowserSymbol(BrowserSymbolState& state, const QString& keyword,
                         const settings::SettingsStore& settings)
{
    const BrowserSymbol* clicked = state.symbol(keyword);
    if (!clicked || !clicked->installed())
        return false;
    state.current = keyword;
    settings.write(settings::kBrowser, keyword);
    return true;
}
