#include "results/InternetBrowser.h"

#include "results/RecordingBrowserLauncher.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A search path holding fake browser programs; D: is mapped to a temporary folder.
class BrowserTest : public testing::Test {
protected:
    void install(const QString& program, bool executable = true)
    {
        m_bin.write(program, "#!/bin/sh\n");
        QFile::setPermissions(m_bin.native(program),
                              executable ? QFile::ExeOwner | QFile::ReadOwner : QFile::ReadOwner);
    }
    QString program(const QString& name) const { return m_bin.native(name); }
    QStringList open(const QString& stored, const QString& text = u"D:\\P\\a b.htm"_s)
    {
        m_store.write(settings::kBrowser, stored);
        m_browser.StarteInternetBrowser(text);
        return m_launcher.calls;
    }
    QString pageUrl() const { return u"file://"_s + m_drive.native() + u"/P/a%20b.htm"_s; }

    MappedDrive m_drive;
    TempFolder m_bin;
    IsolatedSettings m_settings;
    settings::SettingsStore m_store;
    BrowserPrograms m_programs{{m_bin.native()}};
    RecordingBrowserLauncher m_launcher;
    RecordingUserInterface m_ui;
    InternetBrowser m_browser{m_store, m_programs, m_launcher, m_ui};
};

TEST_F(BrowserTest, KeywordsChooseTheDefaultHandlerOrANamedProgram)
{
    install(u"firefox-esr"_s);
    install(u"chromium"_s);
    // Stored value, program started (none: the default handler).
    for (const auto& [stored, started] : std::initializer_list<std::pair<const char*, const char*>>{
             {"standard", nullptr},
             {"opera", nullptr},
             {"safari", nullptr},
             {"unbekannt", nullptr},
             {"standard firefox", nullptr},
             {"firefox", "firefox-esr"},
             {"chrome", "chromium"},
             {"Google Chrome", "chromium"},
             {"chrome firefox", "firefox-esr"},
             {"", nullptr}}) {
        m_launcher.calls.clear();
        const QString expected =
            started ? u"start "_s + program(QString::fromUtf8(started)) + u" ["_s + pageUrl() + u']'
                    : u"open "_s + pageUrl();
        EXPECT_EQ(open(QString::fromUtf8(stored)), QStringList{expected}) << stored;
    }
    EXPECT_TRUE(m_ui.warnings.isEmpty());
    EXPECT_EQ(m_store.read(settings::kBrowser), u"standard"_s); // written back for ""
    EXPECT_EQ(open(u"firefox"_s, u"https://www.example.org/suche?q=Haus"_s).last(),
              u"start "_s + program(u"firefox-esr"_s) +
                  u" [https://www.example.org/suche?q=Haus]"_s);
}

TEST_F(BrowserTest, NamedBrowserThatCannotStartIsReported)
{
    install(u"firefox"_s, false); // not executable: not found
    EXPECT_TRUE(open(u"edge"_s).isEmpty());
    EXPECT_TRUE(open(u"internet explorer"_s).isEmpty());
    EXPECT_TRUE(open(u"firefox"_s).isEmpty());
    install(u"google-chrome"_s);
    m_launcher.programsStart = false;
    EXPECT_EQ(open(u"chrome"_s).size(), 1);
    EXPECT_EQ(m_ui.warnings, (QStringList{u"Datei: microsoft-edge kann nicht geöffnet werden"_s,
                                          u"Datei: iexplore kann nicht geöffnet werden"_s,
                                          u"Datei: firefox kann nicht geöffnet werden"_s,
                                          u"Datei: google-chrome kann nicht geöffnet werden"_s}));
    EXPECT_EQ(m_store.read(settings::kBrowser), u"chrome"_s);
}

TEST_F(BrowserTest, InstalledListNamesTheBrowsersFoundInTheSettingsOrder)
{
    EXPECT_TRUE(m_programs.installed().isEmpty());
    install(u"firefox"_s);
    install(u"google-chrome"_s);
    install(u"chromium"_s);
    install(u"opera"_s, false);
    const auto installed = m_programs.installed();
    ASSERT_EQ(installed.size(), 2);
    EXPECT_EQ(installed[0].keyword, u"chrome"_s);
    EXPECT_EQ(installed[0].displayName, u"Google Chrome"_s);
    EXPECT_EQ(installed[0].program, program(u"chromium"_s));
    EXPECT_EQ(installed[1].keyword, u"firefox"_s);
    EXPECT_EQ(installed[1].displayName, u"FireFox"_s);
}

} // namespace
