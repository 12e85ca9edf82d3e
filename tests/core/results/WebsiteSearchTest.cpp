#include "results/WebsiteSearch.h"

#include "cli/WebCommand.h"
#include "results/RecordingBrowserLauncher.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kTricky = u"Tür & Tor #1 \"x\" 100%"_s;
const QString kTrickyEncoded = u"T%C3%BCr%20%26%20Tor%20%231%20%22x%22%20100%25"_s;

// The base folder is D:\, the browser setting "standard", so every launch is an "open".
class WebsiteSearchTest : public testing::Test {
protected:
    void SetUp() override { m_store.write(settings::kBrowser, u"standard"_s); }

    void writeList(const QByteArray& text) { m_drive.write(u"Adressen_Webseiten.txt"_s, text); }
    void store(const QString& topic, const QString& site)
    {
        m_store.write(settings::kTopic, topic);
        m_store.write(settings::kSelectedWebsite, site);
    }
    QStringList stored() const
    {
        return {m_store.read(settings::kTopic), m_store.read(settings::kSelectedWebsite)};
    }
    // Selects the site by its address and presses the button with the panel shown.
    WebsiteSearch::ButtonOutcome searchAt(const QString& address, const QString& text,
                                          bool clipboard = false)
    {
        const int index = int(m_search.sites().indexOf(address));
        EXPECT_GE(index, 0) << address.toStdString();
        m_search.TntListBox1Click(index);
        return m_search.SuchImInternetBtnClick(true, text, clipboard);
    }

    MappedDrive m_drive;
    IsolatedSettings m_settings;
    settings::SettingsStore m_store;
    DatabasePaths m_paths{u"D:\\"_s};
    BrowserPrograms m_programs{{m_drive.native()}};
    RecordingBrowserLauncher m_launcher;
    RecordingUserInterface m_ui;
    InternetBrowser m_browser{m_store, m_programs, m_launcher, m_ui};
    QStringList m_clipboard;
    WebsiteSearch m_search{m_paths, m_store, m_browser, m_ui,
                           [this](const QString& text) { m_clipboard.append(text); }};
};

const QByteArray kList = "[Themen1]\r\nListe=Suche,Leer\r\n[Themen2]\r\nListe=Fremd\r\n"
                         "[Suche]\r\nListe=https://e.org/s?q=, www.example.org/find/, "
                         "https://e.org/start.html\r\n"
                         "[Fremd]\r\nListe=C:\\Windows\\notepad.exe, file:///etc/passwd, --flag, "
                         "javascript:alert(1), https:nohost=\r\n";

TEST_F(WebsiteSearchTest, FillSelectsTheStoredTopicAndSiteAndWritesNothing)
{
    writeList(kList);
    // Topics sorted: Fremd, Leer, Suche. Sites of Suche sorted: e.org/s?q=, e.org/start, www.
    struct Row {
        const char* topic;
        const char* site;
        int expectedTopic;
        int expectedSite;
    };
    for (const Row& row : {Row{"2", "2", 2, 2}, Row{"2", "0", 2, 0}, Row{"", "", -1, -1},
                           Row{"3", "1", -1, -1}, Row{"abc", "1", -1, -1}, Row{"2", "9", 2, 0},
                           Row{"2", "-1", 2, 0}, Row{"2", "x", 2, 0}, Row{"1", "0", 1, -1}}) {
        store(QString::fromUtf8(row.topic), QString::fromUtf8(row.site));
        m_search.fill();
        EXPECT_EQ(m_search.topicIndex(), row.expectedTopic) << row.topic << "/" << row.site;
        EXPECT_EQ(m_search.siteIndex(), row.expectedSite) << row.topic << "/" << row.site;
        EXPECT_EQ(stored(),
                  (QStringList{QString::fromUtf8(row.topic), QString::fromUtf8(row.site)}));
    }
    EXPECT_EQ(m_search.topics(), (QStringList{u"Fremd"_s, u"Leer"_s, u"Suche"_s}));
    EXPECT_TRUE(m_ui.warnings.isEmpty());
}

TEST_F(WebsiteSearchTest, ChoosingATopicOrASiteStoresBothIndexes)
{
    writeList(kList);
    m_search.fill();
    m_search.TntComboBox1Click(2);
    EXPECT_EQ(m_search.sites(), (QStringList{u"https://e.org/s?q="_s, u"https://e.org/start.html"_s,
                                             u"www.example.org/find/"_s}));
    EXPECT_EQ(stored(), (QStringList{u"2"_s, u"0"_s}));
    m_search.TntListBox1Click(2);
    EXPECT_EQ(stored(), (QStringList{u"2"_s, u"2"_s}));
    m_search.TntComboBox1Click(1); // a topic without its own section
    EXPECT_TRUE(m_search.sites().isEmpty());
    EXPECT_EQ(stored(), (QStringList{u"1"_s, u"-1"_s}));
    m_search.fill();
    EXPECT_EQ(m_search.topicIndex(), 1);
}

// A searching site gets the encoded text appended; a paste site opens unchanged and the
// trimmed text goes to the clipboard.
TEST_F(WebsiteSearchTest, SearchingSitesGetTheTextPasteSitesTheClipboard)
{
    writeList(kList);
    store(u"2"_s, u"0"_s);
    m_search.fill();
    const WebsiteSearch::ButtonOutcome outcome = searchAt(u"https://e.org/s?q="_s, kTricky);
    EXPECT_EQ(outcome.label, u"Suchtext: "_s);
    EXPECT_TRUE(outcome.searched);
    EXPECT_FALSE(outcome.showPanel);
    searchAt(u"www.example.org/find/"_s, kTricky);
    EXPECT_TRUE(m_clipboard.isEmpty());
    searchAt(u"https://e.org/start.html"_s, u"  Haus  "_s, true);
    EXPECT_EQ(m_launcher.calls,
              (QStringList{u"open https://e.org/s?q="_s + kTrickyEncoded,
                           u"open https://www.example.org/find/"_s + kTrickyEncoded,
                           u"open https://e.org/start.html"_s}));
    EXPECT_EQ(m_clipboard, QStringList{u"Haus"_s});
    EXPECT_TRUE(m_search.TntListBox1MouseMove().startsWith(u"Weißes Symbol: [+] "_s));
    EXPECT_TRUE(m_ui.warnings.isEmpty());
    // A blank text searches nothing.
    EXPECT_FALSE(m_search.SuchImInternetBtnClick(true, u" \t"_s, true).searched);
    EXPECT_EQ(m_launcher.calls.size(), 3);
}

TEST_F(WebsiteSearchTest, AnythingButAWebAddressReachesNoLauncher)
{
    writeList(kList);
    store(u"0"_s, u"0"_s);
    m_search.fill();
    for (const QString& address : {u"C:\\Windows\\notepad.exe"_s, u"file:///etc/passwd"_s,
                                   u"--flag"_s, u"javascript:alert(1)"_s, u"https:nohost="_s}) {
        m_ui.warnings.clear();
        EXPECT_TRUE(searchAt(address, u"x"_s).searched);
        ASSERT_EQ(m_ui.warnings.size(), 1) << address.toStdString();
        EXPECT_TRUE(m_ui.warnings[0].contains(u'"' + address + u'"'))
            << m_ui.warnings[0].toStdString();
    }
    EXPECT_TRUE(m_launcher.calls.isEmpty());
}

TEST_F(WebsiteSearchTest, HiddenPanelIsShownWithTheTextAndTheFirstSite)
{
    writeList(kList);
    store(u"2"_s, u"2"_s);
    m_search.fill();
    WebsiteSearch::ButtonOutcome outcome = m_search.SuchImInternetBtnClick(false, u"a b "_s, true);
    EXPECT_TRUE(outcome.showPanel);
    EXPECT_EQ(outcome.label, u"Suchtext: a b "_s);
    EXPECT_EQ(m_search.siteIndex(), 0);
    EXPECT_EQ(stored(), (QStringList{u"2"_s, u"0"_s}));
    outcome = m_search.SuchImInternetBtnClick(false, u"  "_s, true);
    EXPECT_EQ(outcome.label, u"Suchtext: Es wurde kein Text eingegeben!"_s);
    EXPECT_TRUE(m_launcher.calls.isEmpty());
    EXPECT_TRUE(m_clipboard.isEmpty());
}

TEST_F(WebsiteSearchTest, MissingOrBinaryListLeavesBothListsEmpty)
{
    store(u"0"_s, u"0"_s);
    m_search.fill();
    EXPECT_TRUE(m_search.topics().isEmpty());
    EXPECT_TRUE(m_ui.warnings.isEmpty());
    EXPECT_FALSE(m_search.SuchImInternetBtnClick(true, u"x"_s, true).searched);

    writeList(QByteArray("[Themen1]\0Liste=a\x00\xFF\xD8\xFF", 18));
    m_search.fill();
    EXPECT_TRUE(m_search.topics().isEmpty());
    EXPECT_EQ(m_ui.warnings.size(), 1);
    EXPECT_TRUE(m_launcher.calls.isEmpty());
}

TEST_F(WebsiteSearchTest, ItemsDrawTheirTextSymbolAndDarkenedSelection)
{
    writeList(kList);
    store(u"2"_s, u"0"_s);
    m_search.fill();
    const TColor window = 0x80C8FF; // 0x00BBGGRR
    const WebsiteSearch::ItemLook selected =
        m_search.TntListBox1DrawItem(0, true, window, colors::clWhite);
    EXPECT_EQ(selected.text, u"https://e.org/s?q="_s);
    EXPECT_EQ(selected.background, TColor(0x73B4E5));
    ASSERT_TRUE(selected.symbol.has_value());
    EXPECT_EQ(selected.symbol->text, u">"_s);
    const WebsiteSearch::ItemLook plain =
        m_search.TntListBox1DrawItem(1, false, window, colors::clWhite);
    EXPECT_EQ(plain.background, window);
    EXPECT_EQ(plain.symbol->text, u"+"_s);
    EXPECT_EQ(plain.symbol->fill, colors::clWhite);
    const WebsiteSearch::ItemLook topic =
        m_search.TntComboBox1DrawItem(2, true, window, colors::clWhite);
    EXPECT_EQ(topic.text, u"Suche"_s);
    EXPECT_FALSE(topic.symbol.has_value());
    // White text on the light selection would vanish: it turns black there; on the black
    // window of the default colours the selection is brightened and white text stays.
    EXPECT_EQ(selected.textColor, colors::clBlack);
    const WebsiteSearch::ItemLook onBlack =
        m_search.TntListBox1DrawItem(0, true, colors::clBlack, colors::clBlack);
    EXPECT_EQ(onBlack.background, TColor(0x3F3F3F));
    EXPECT_EQ(onBlack.textColor, colors::clWhite);
    EXPECT_EQ(m_search.TntListBox1MouseMove(),
              u"Grünes Symbol: [>] Webseite sucht selbständig nach dem Suchtext."_s);
}

struct UrlCase {
    const char* address;
    const char* text;
    const char* expected; // nullptr: refused
};

TEST(WebsiteUrlTest, OnlyWebAddressesWholeAndEncoded)
{
    const QString longPath = QString(300, u'p');
    for (const UrlCase& c : std::initializer_list<UrlCase>{
             {"https://e.org/?q=", "a+b/c", "https://e.org/?q=a%2Bb%2Fc"},
             {"HTTP://E.org/", "x", "http://e.org/x"},
             {"e.org/?q=", "ü", "https://e.org/?q=%C3%BC"},
             {"e.org:8080/s=", "x", "https://e.org:8080/s=x"},
             {"müller.de/", "x", "https://xn--mller-kva.de/x"},
             {"e.org/seite.html", "x", "https://e.org/seite.html"},
             // A stray "%" in the address must not encode the text twice.
             {"https://e.org/a%zz?q=", "a b%", "https://e.org/a%25zz?q=a%20b%25"},
             {"mailto:a@e.org", "x", nullptr},
             {"ftp://e.org/", "x", nullptr},
             {"/etc/passwd", "x", nullptr},
             {"localhost/", "x", nullptr},
             {"-e.org/", "x", nullptr},
             {"", "x", nullptr}}) {
        const Result<QUrl> url =
            websiteUrl(QString::fromUtf8(c.address), QString::fromUtf8(c.text));
        if (!c.expected) {
            EXPECT_FALSE(url.ok()) << c.address;
            continue;
        }
        ASSERT_TRUE(url.ok()) << c.address << ": " << url.error().toStdString();
        EXPECT_EQ(url->toString(QUrl::FullyEncoded), QString::fromUtf8(c.expected)) << c.address;
    }
    const Result<QUrl> longUrl = websiteUrl(u"https://e.org/"_s + longPath + u'=', kTricky);
    ASSERT_TRUE(longUrl.ok());
    EXPECT_EQ(longUrl->toString(QUrl::FullyEncoded),
              u"https://e.org/"_s + longPath + u'=' + kTrickyEncoded);
}

struct CliRun {
    int status;
    QString out;
    QString err;
};

TEST(WebCommandTest, ListsTopicsSitesAndTheAddressItWouldOpen)
{
    IsolatedSettings isolated;
    TempFolder base;
    RecordingBrowserLauncher launcher;
    const auto run = [&](QStringList args) {
        CliRun result;
        QTextStream out(&result.out);
        QTextStream err(&result.err);
        result.status = runWebCommand(base.native(), args, out, err, launcher);
        return result;
    };
    EXPECT_EQ(run({}).status, 1); // no list file
    base.write(u"Adressen_Webseiten.txt"_s, kList);
    EXPECT_EQ(run({}).out, u"Fremd\nLeer\nSuche\n"_s);
    EXPECT_EQ(run({u"suche"_s}).out, u"1\t>\thttps://e.org/s?q=\n2\t+\thttps://e.org/start.html\n"
                                     u"3\t>\twww.example.org/find/\n"_s);
    const CliRun found = run({u"Suche"_s, u"3"_s, kTricky});
    EXPECT_EQ(found.status, 0);
    EXPECT_EQ(found.out, u"https://www.example.org/find/"_s + kTrickyEncoded + u'\n');
    EXPECT_TRUE(launcher.calls.isEmpty());
    const CliRun opened = run({u"Suche"_s, u"1"_s, u"Haus"_s, u"--open"_s});
    EXPECT_EQ(opened.status, 0);
    EXPECT_EQ(launcher.calls, QStringList{u"open https://e.org/s?q=Haus"_s});
    const CliRun refused = run({u"Fremd"_s, u"1"_s, u"x"_s, u"--open"_s});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(u"\"--flag\""_s)) << refused.err.toStdString();
    EXPECT_EQ(launcher.calls.size(), 1);
    for (const QStringList& wrong :
         {QStringList{u"Suche"_s, u"1"_s}, QStringList{u"Suche"_s, u"--x"_s},
          QStringList{u"Suche"_s, u"--open"_s}}) {
        EXPECT_EQ(run(wrong).status, 2) << wrong.join(u' ').toStdString();
    }
    EXPECT_EQ(run({u"Nichts"_s}).status, 2);
    EXPECT_EQ(run({u"Suche"_s, u"4"_s, u"x"_s}).status, 2);
    EXPECT_EQ(run({u"Suche"_s, u"1"_s, u" "_s}).status, 2);
}

} // namespace
