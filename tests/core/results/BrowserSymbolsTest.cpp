#include "results/BrowserSymbols.h"

#include "support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The keywords of the installed symbols, in the window's order.
QStringList installedOf(const BrowserSymbolState& state)
{
    QStringList keywords;
    for (const BrowserSymbol& symbol : state.symbols) {
        if (symbol.installed())
            keywords << symbol.keyword;
    }
    return keywords;
}

struct DetectionCase {
    QStringList names;
    bool edgeFound;
    QString stored;
    QStringList installed;
    QString current;
};

TEST(BrowserSymbolsTest, DetectionOverFakeLists)
{
    const QString st = u"standard"_s, ie = u"internet explorer"_s, edge = u"edge"_s,
                  chrome = u"chrome"_s, opera = u"opera"_s, safari = u"safari"_s,
                  firefox = u"firefox"_s;
    for (const DetectionCase& c : std::initializer_list<DetectionCase>{
             {{}, false, {}, {st}, {}},
             {{}, true, u"edge"_s, {st, edge}, edge},
             {{u"Internet Explorer"_s}, false, u"standard"_s, {st, ie, edge}, st},
             {{u"chromium"_s, u"firefox-esr"_s}, false, u"Chrome"_s, {st, chrome, firefox}, chrome},
             {{u"Google Chrome"_s, u"Opera Stable"_s, u"Safari"_s, u"Mozilla Firefox"_s},
              false,
              u"firefox chrome"_s,
              {st, chrome, opera, safari, firefox},
              firefox},
             // Not installed: still current, as the setting says.
             {{u"Opera"_s}, false, u"safari"_s, {st, opera}, safari},
             {{u"Netscape"_s}, false, u"unbekannt"_s, {st}, {}}}) {
        const BrowserSymbolState state =
            PruefeWelcheBrowserInstalliert(c.names, c.edgeFound, c.stored);
        ASSERT_EQ(state.symbols.size(), 7);
        EXPECT_EQ(installedOf(state), c.installed) << c.names.join(u',').toStdString();
        EXPECT_EQ(state.current, c.current) << c.stored.toStdString();
    }
    const BrowserSymbolState ieOnly =
        PruefeWelcheBrowserInstalliert({u"Internet Explorer"_s}, false, {});
    EXPECT_EQ(ieOnly.symbol(edge)->hint, u"Microsoft Edge"_s);
    EXPECT_EQ(ieOnly.symbol(ie)->hint, u"Microsoft Internet Explorer"_s);
    EXPECT_TRUE(ieOnly.symbol(firefox)->hint.isEmpty());
}

TEST(BrowserSymbolsTest, ProgramsOnThePathAndClicks)
{
    IsolatedSettings isolated;
    TempFolder bin;
    for (const QString& program : {u"microsoft-edge"_s, u"chromium"_s, u"firefox-esr"_s}) {
        bin.write(program, "#!/bin/sh\n");
        QFile::setPermissions(bin.native(program), QFile::ExeOwner | QFile::ReadOwner);
    }
    const settings::SettingsStore store;
    store.write(settings::kBrowser, u"firefox"_s);
    BrowserSymbolState state =
        PruefeWelcheBrowserInstalliert(BrowserPrograms({bin.native()}), store);
    EXPECT_EQ(installedOf(state),
              (QStringList{u"standard"_s, u"edge"_s, u"chrome"_s, u"firefox"_s}));
    EXPECT_EQ(state.current, u"firefox"_s);

    // A placeholder writes nothing.
    EXPECT_FALSE(chooseBrowserSymbol(state, u"opera"_s, store));
    EXPECT_EQ(state.current, u"firefox"_s);
    EXPECT_EQ(store.read(settings::kBrowser), u"firefox"_s);
    EXPECT_TRUE(chooseBrowserSymbol(state, u"chrome"_s, store));
    EXPECT_EQ(state.current, u"chrome"_s);
    EXPECT_EQ(store.read(settings::kBrowser), u"chrome"_s);
    EXPECT_TRUE(chooseBrowserSymbol(state, u"standard"_s, store));
    EXPECT_EQ(store.read(settings::kBrowser), u"standard"_s);
}

} // namespace
