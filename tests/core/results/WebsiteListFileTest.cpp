#include "results/WebsiteListFile.h"

#include "store/Windows1252.h"
#include "support/TempFolder.h"

#include <QFile>
#include <QStringEncoder>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct IniCase {
    const char* name;
    const char* text;
    const char* section;
    const char* key;
    const char* expected;
};

class WebsiteIniTest : public testing::TestWithParam<IniCase> {};

TEST_P(WebsiteIniTest, ValueAsWindowsReadsIt)
{
    const IniCase& c = GetParam();
    const WebsiteListFile file = WebsiteListFile::parse(QString::fromUtf8(c.text));
    EXPECT_EQ(file.value(QString::fromUtf8(c.section), QString::fromUtf8(c.key)),
              QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WebsiteIniTest,
    testing::Values(
        IniCase{"NamesWithoutCase", "[THEMEN1]\nLISTE=a,b\n", "Themen1", "liste", "a,b"},
        IniCase{"BlanksAroundNamesAndValue", "  [ Suche ]  \n  Liste  =  x , y  \n", "Suche",
                "Liste", "x , y"},
        IniCase{"QuotesCommasBackslashesStay", "[S]\nListe=\"a,b\",C:\\x\\,'q'\n", "S", "Liste",
                "\"a,b\",C:\\x\\,'q'"},
        IniCase{"EqualsInValueStays", "[S]\nListe=https://e.org/?a=1&b=\n", "S", "Liste",
                "https://e.org/?a=1&b="},
        IniCase{"CommentLineIgnored", "[S]\n; Liste=alt\n  ;Liste=alt2\nListe=neu\n", "S", "Liste",
                "neu"},
        IniCase{"SemicolonInsideValueStays", "[S]\nListe=a;b\n", "S", "Liste", "a;b"},
        IniCase{"FirstSectionAndKeyWin", "[S]\nListe=1\nliste=2\n[s]\nListe=3\n", "S", "Liste",
                "1"},
        IniCase{"KeyBeforeAnySectionBelongsToNone", "Liste=x\n[S]\n", "S", "Liste", ""},
        IniCase{"OnlyCarriageReturns", "[A]\rListe=1\r[B]\rListe=2\r", "B", "Liste", "2"},
        IniCase{"CrLf", "[A]\r\nListe=1\r\n", "A", "Liste", "1"},
        IniCase{"SectionWithoutBracketIsNoSection", "[A]\nListe=1\n[B\nListe=2\n", "A", "Liste",
                "1"},
        IniCase{"MissingSection", "[A]\nListe=1\n", "B", "Liste", ""},
        IniCase{"LineWithoutEqualsIgnored", "[A]\nListe\nListe=2\n", "A", "Liste", "2"}),
    [](const testing::TestParamInfo<IniCase>& info) { return std::string(info.param.name); });

TEST(WebsiteListFileTest, TopicsJoinedWithCommaSplitTrimmedAndSorted)
{
    const WebsiteListFile file = WebsiteListFile::parse(
        u"[Themen1]\nListe=zebra, Birne,\t,Äpfel\n[Themen2]\nListe= apfel ,\x01Mango\x02\n"
        u"[Mango]\nListe=b.org/, ,a.org/\n"_s);
    // Without the comma "Äpfel" and "apfel" would become one topic "Äpfelapfel".
    EXPECT_EQ(file.topics(),
              (QStringList{u"apfel"_s, u"Äpfel"_s, u"Birne"_s, u"Mango"_s, u"zebra"_s}));
    EXPECT_EQ(file.sites(u"mango"_s), (QStringList{u"a.org/"_s, u"b.org/"_s}));
    EXPECT_TRUE(file.sites(u"Birne"_s).isEmpty());

    const QString longSite = u"https://e.org/"_s + QString(300, u'a') + u'=';
    EXPECT_EQ(WebsiteListFile::parse(u"[A]\nListe="_s + longSite).sites(u"A"_s),
              QStringList{longSite});
}

TEST(WebsiteListFileTest, EncodingFollowsTheClassDecision)
{
    const QString text = u"[Themen1]\r\nListe=Bücher,Straße\r\n"_s;
    QStringEncoder utf16le(QStringEncoder::Utf16LE);
    QStringEncoder utf16be(QStringEncoder::Utf16BE);
    const QByteArray utf16leBytes = utf16le.encode(text);
    const QByteArray utf16beBytes = utf16be.encode(text);
    for (const auto& [name, bytes] : std::initializer_list<std::pair<const char*, QByteArray>>{
             {"utf8", text.toUtf8()},
             {"utf8 bom", "\xEF\xBB\xBF" + text.toUtf8()},
             {"utf16le bom", "\xFF\xFE" + utf16leBytes},
             {"utf16be bom", "\xFE\xFF" + utf16beBytes},
             {"utf16le without bom", utf16leBytes},
             {"1252", cp1252::encode(text)}}) {
        const WebsiteListFile file = WebsiteListFile::parse(WebsiteListFile::decode(bytes));
        EXPECT_EQ(file.topics(), (QStringList{u"Bücher"_s, u"Straße"_s})) << name;
    }
}

TEST(WebsiteListFileTest, MissingFileIsEmptyBadFilesGiveAMessage)
{
    MappedDrive drive;
    const Result<WebsiteListFile> missing = WebsiteListFile::load(drive.program(u"gone.txt"_s));
    ASSERT_TRUE(missing.ok());
    EXPECT_TRUE(missing->topics().isEmpty());

    QByteArray random;
    for (int i = 0; i < 4096; ++i)
        random.append(char((i * 7919 + i / 3) & 0xFF));
    for (const auto& [name, bytes] : std::initializer_list<std::pair<const char*, QByteArray>>{
             {"png", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10", 20)},
             {"binary", random},
             {"utf32", QByteArray("\xFF\xFE\0\0[\0\0\0", 8)}}) {
        drive.write(u"Adressen_Webseiten.txt"_s, bytes);
        const Result<WebsiteListFile> loaded =
            WebsiteListFile::load(drive.program(u"Adressen_Webseiten.txt"_s));
        ASSERT_FALSE(loaded.ok()) << name;
        EXPECT_EQ(loaded.error(), u"Die Datei D:\\Adressen_Webseiten.txt ist keine Textdatei; "
                                  u"die Liste der Webseiten bleibt leer."_s)
            << name;
    }

    QFile large(drive.native(u"Adressen_Webseiten.txt"_s));
    ASSERT_TRUE(large.resize(WebsiteListFile::kMaxFileSize + 1));
    const Result<WebsiteListFile> tooLarge =
        WebsiteListFile::load(drive.program(u"Adressen_Webseiten.txt"_s));
    ASSERT_FALSE(tooLarge.ok());
    EXPECT_TRUE(tooLarge.error().contains(u"ist zu groß"_s)) << tooLarge.error().toStdString();

    drive.makeFolder(u"Ordner.txt"_s);
    EXPECT_FALSE(WebsiteListFile::load(drive.program(u"Ordner.txt"_s)).ok());
}

} // namespace
