#include "results/ResultPage.h"

#include "platform/DriveMap.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// D: lives at a fixed native folder, so every link below is a literal.
class ResultPageTest : public testing::Test {
protected:
    ResultPageTest() : m_previous(DriveMap::current())
    {
        DriveMap map;
        map.setRoot(u'D', u"/srv/d"_s);
        DriveMap::setCurrent(map);
    }
    ~ResultPageTest() override { DriveMap::setCurrent(m_previous); }

    static QByteArray page(std::span<const SearchHit> entries, const QString& term,
                           const QString& database)
    {
        const resultpage::Page page{entries, term, int(entries.size()), 1, false};
        return resultpage::fileBytes(
            resultpage::lines(page, {database, false, false}, DatabasePaths(u"D:\\P\\"_s)));
    }

private:
    DriveMap m_previous;
};

QByteArray head(const QByteArray& database)
{
    return "<html>\r\n<Head>\r\n<Title> Nimbra-Doviruzu Suchergebnis </Title>\r\n<META "
           "http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n</Head>\r\n"
           "<body bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#669900\" Vlink=\"#999999\" "
           "Alink=\"#999999\" > <font face=\"verdana, arial, helvetica\">\r\nDatenbankname: \"" +
           database +
           "\"<br>Sucheinstellung: Gross/klein <u>egal</u> und Suchtext <u>auch als Teil</u> in "
           "einem Wort/Satz finden.";
}

const QByteArray kTail = "</font>\r\n</body>\r\n</html>\r\n";

TEST_F(ResultPageTest, PagesByteForByte)
{
    const SearchHit entries[] = {{"  D:\\Texte\\Brief.txt", "Das Haus am See"}};
    EXPECT_EQ(page(entries, u" Haus"_s, u"Texte"_s),
              head("Texte") +
                  "\r\n<br>Suchbegriff: <font color=\"#cc0000\">\"<u> Haus\"</u><font "
                  "color=\"#000000\"> wurde in 1 Datei gefunden.<br>Es wird nur die erste "
                  "Fundstelle in der Datei hier aufgelistet:<br>\r\n" +
                  QByteArray(66, '_') +
                  "<br><br>\r\n<font color=\"#000000\">in: <a "
                  "href=\"file:///srv/d/Texte/Brief.txt\" target=\"_blank\">"
                  "file:///D:/Texte/Brief.txt</a><br><font color=\"#000080\">Das <b>Haus</b> am "
                  "See<br><br><br>\r\n" +
                  kTail);
    EXPECT_EQ(page({}, u"<i>&"_s, u"A&B"_s),
              head("A&amp;B") +
                  "<br>\r\n<br>Suchbegriff: <font color=\"#cc0000\">\"<u>&lt;i&gt;&amp;\"</u><font "
                  "color=\"#000000\"> wurde NICHT gefunden:<br>\r\n" +
                  QByteArray(50, '_') + "<br><br>\r\n" + kTail);
}

TEST_F(ResultPageTest, SettingsLinesAndTheirRules)
{
    const SearchHit oneEntry[] = {{"D:\\a.txt", "x"}};
    for (const auto& [matchCase, wholeWords, length] :
         {std::tuple{true, true, 83}, {true, false, 115}, {false, true, 69}, {false, false, 101}}) {
        EXPECT_EQ(resultpage::settingsLine(matchCase, wholeWords).size(), length);
        const ResultPageHeader header{u"T"_s, matchCase, wholeWords};
        for (const auto& [entries, underscores] :
             {std::pair{std::span<const SearchHit>(oneEntry), length / 3 * 2}, {{}, length / 2}}) {
            const resultpage::Page page{entries, u"x"_s, int(entries.size()), 1, false};
            EXPECT_EQ(resultpage::lines(page, header, DatabasePaths(u"D:\\"_s))[8],
                      u"_"_s.repeated(underscores) + u"<br><br>"_s);
        }
    }
}

struct LineRow {
    const char* name;
    const char* path;
    const char* snippet;
    const char* term;
    bool matchCase;
    const char* shown; // what follows the link, or the whole line of a plain entry
};

void PrintTo(const LineRow& row, std::ostream* out)
{
    *out << row.name;
}

class ResultPageLineTest : public ResultPageTest, public testing::WithParamInterface<LineRow> {};

TEST_P(ResultPageLineTest, MarksTheLastOccurrenceAndEscapesTheText)
{
    const LineRow& row = GetParam();
    const QString line =
        resultpage::hitLine({row.path, row.snippet}, QString::fromUtf8(row.term), row.matchCase);
    const QString link = u"<font color=\"#000080\">"_s;
    EXPECT_EQ(line.contains(link) ? line.section(link, 1) : line, QString::fromUtf8(row.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Results, ResultPageLineTest,
    testing::Values(
        LineRow{"LastOfTwoKeepsItsCapital", "D:\\a.txt", "Haus und Haus", "haus", false,
                "Haus und <b>Haus</b><br><br><br>"},
        LineRow{"MatchCaseSkipsOtherCase", "D:\\a.txt", "Haus und haus", "Haus", true,
                "<b>Haus</b> und haus<br><br><br>"},
        LineRow{"UmlautFoldedAlike", "D:\\a.txt", "Der \xc3\x84RGER", "\xc3\xa4rger", false,
                "Der <b>\xc3\x84RGER</b><br><br><br>"},
        LineRow{"OnlyInThePathIsNotMarked", "D:\\Haus\\a.txt", "nichts", "Haus", false,
                "nichts<br><br><br>"},
        LineRow{"MarkupIsNeverMarked", "D:\\a.txt", "Abbruch", "br", false,
                "Ab<b>br</b>uch<br><br><br>"},
        LineRow{"BlankTermMarksNothing", "D:\\a.txt", "Haus", "   ", false, "Haus<br><br><br>"},
        LineRow{"FileMarkupShownAsText", "D:\\a.txt", "<script>x</script> &amp;", "script", false,
                "&lt;script&gt;x&lt;/<b>script</b>&gt; &amp;amp;<br><br><br>"},
        LineRow{"TermWithMarkupCharacters", "D:\\a.txt", "if a<b then", "a<b", true,
                "if <b>a&lt;b</b> then<br><br><br>"},
        LineRow{"SnippetHoldingTheMarker", "D:\\a.txt", "x##text##y", "y", false,
                "x##text##<b>y</b><br><br><br>"},
        LineRow{"PlainBlankPath", "   ", "Haus", "q", false, "##text##Haus<br>"}),
    [](const testing::TestParamInfo<LineRow>& info) { return info.param.name; });

TEST_F(ResultPageTest, LinksCarryTheNativeFileUrlAndShowTheProgramPath)
{
    for (const auto& [path, href, shown] : {
             std::tuple{"D:\\Mein Ordner\\Nr #1.txt", "file:///srv/d/Mein%20Ordner/Nr%20%231.txt",
                        "file:///D:/Mein Ordner/Nr #1.txt"},
             {"D:\\M\xc3\xbcller\\Gr\xc3\xbc\xc3\x9f"
              "e.txt",
              "file:///srv/d/M%C3%BCller/Gr%C3%BC%C3%9Fe.txt",
              "file:///D:/M\xc3\xbcller/Gr\xc3\xbc\xc3\x9f"
              "e.txt"},
             {"D:\\Sag \"Hallo\" & <b>.txt",
              "file:///srv/d/Sag%20%22Hallo%22%20&amp;%20%3Cb%3E.txt",
              "file:///D:/Sag &quot;Hallo&quot; &amp; &lt;b&gt;.txt"},
             {"Q:\\x y.txt", "file:///Q:/x%20y.txt", "file:///Q:/x y.txt"},
             {"D:\\t8\\x##text##y.txt", "file:///srv/d/t8/x%23%23text%23%23y.txt",
              "file:///D:/t8/x##text##y.txt"},
         }) {
        EXPECT_TRUE(resultpage::hitLine({path, "t"}, u"t"_s, false)
                        .startsWith(u"<font color=\"#000000\">in: <a href=\""_s +
                                    QString::fromUtf8(href) + u"\" target=\"_blank\">"_s +
                                    QString::fromUtf8(shown) + u"</a><br>"_s))
            << path;
    }
}

} // namespace
