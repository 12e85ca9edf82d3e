#include "viewer/TATBinHexCore.h"

#include "store/Windows1252.h"
#include "support/TempFolder.h"
#include "support/Utf16.h"
#include "viewer/TATBinHexLineMeasurer.h"
#include "viewer/TATBinHexReporter.h"
#include "viewer/TATBinHexSelectionText.h"
#include "viewer/TStrPositions.h"
#include "viewer/ViewerFileSlot.h"
#include "viewer/ViewerMemoText.h"

#include <QFile>

#include <gtest/gtest.h>

#include <random>

namespace {

class RecordingReporter : public TATBinHexReporter {
public:
    QStringList errors;
    void showError(const QString& text) override { errors.append(text); }
};

// Every character 10 pixels wide.
class FixedMeasurer : public TATBinHexLineMeasurer {
public:
    explicit FixedMeasurer(int areaWidth) : m_areaWidth(areaWidth) {}
    int textWidth(QStringView text) const override { return 10 * int(text.size()); }
    int textAreaWidth() const override { return m_areaWidth; }

private:
    int m_areaWidth;
};

// Runs of letters and spaces of every length around the line limit, ended by every kind
// of line break and cluster of breaks, plus one run longer than a buffer block.
QByteArray mixedText(qsizetype size, unsigned seed)
{
    const QByteArray breaks[] = {"\r\n", "\n\r", "\r",     "\n",
                                 "\r\r", "\n\n", "\r\n\r", "\n\r\n\r\n"};
    const int lengths[] = {0, 1, 5, 20, 40, 80, 2047, 2048, 2049, 4096, 6000};
    std::mt19937 random(seed);
    QByteArray text;
    while (text.size() < size) {
        for (int n = lengths[random() % std::size(lengths)]; n > 0; --n)
            text.append(random() % 6 == 0 ? ' ' : char('a' + random() % 26));
        text.append(breaks[random() % std::size(breaks)]);
    }
    return text.insert(size / 2, QByteArray(500000, 'x'));
}

class TATBinHexCoreTest : public testing::Test {
protected:
    TATBinHexCoreTest() { core.setReporter(&reporter); }

    void open(const QByteArray& bytes, TATBinHexMode mode = vbmodeText)
    {
        (void)core.Open(QString());
        core.setMode(mode);
        drive.write(QStringLiteral("a.txt"), bytes);
        ASSERT_TRUE(core.Open(name()));
    }
    // Grows or cuts the open file (sparse when grown) and opens it again.
    void resizeAndReopen(qint64 size)
    {
        QFile(drive.native(QStringLiteral("a.txt"))).resize(size);
        (void)core.Open(QString());
        ASSERT_TRUE(core.Open(name()));
    }
    QString name() const { return drive.program(QStringLiteral("a.txt")); }

    QStringList shownTexts()
    {
        QStringList texts;
        for (const TATBinHexLine& line : core.pageLines())
            texts.append(core.displayText(line.chars));
        return texts;
    }
    QList<qint64> forwardStarts()
    {
        QList<qint64> starts;
        for (qint64 pos = 0; pos < core.fileSize() / core.charSize() * core.charSize();
             pos = core.nextLineStart(pos))
            starts.append(pos);
        return starts;
    }
    QList<qint64> backwardStarts()
    {
        QList<qint64> starts;
        for (qint64 pos = core.fileSize() / core.charSize() * core.charSize(); pos > 0;)
            starts.prepend(pos = core.prevLineStart(pos));
        return starts;
    }

    MappedDrive drive;
    RecordingReporter reporter;
    TATBinHexCore core;
};

} // namespace

// ---- opening ----------------------------------------------------------------------------

TEST_F(TATBinHexCoreTest, OpenEmptySameMissingAndNoName)
{
    open(QByteArray());
    EXPECT_TRUE(core.isOpen());
    EXPECT_TRUE(core.pageLines().isEmpty());
    EXPECT_TRUE(core.viewShowsEnd());
    core.SetSelection(0, 1, true, true);
    EXPECT_EQ(core.selLength(), 0);
    EXPECT_TRUE(core.GetSelText().isEmpty());
    EXPECT_EQ(core.offsetText(0x1F), "0000001F");
    EXPECT_TRUE(reporter.errors.isEmpty());

    open("eins\nzwei");
    core.SetSelection(5, 4, false, false);
    EXPECT_TRUE(core.Open(name())); // the same name does nothing
    EXPECT_EQ(core.selLength(), 4);
    EXPECT_TRUE(core.Open(QString())); // no name closes
    EXPECT_FALSE(core.isOpen());
    EXPECT_EQ(core.bufferSize(), 0);

    const QString missing = drive.program(QStringLiteral("fehlt.txt"));
    EXPECT_FALSE(core.Open(missing));
    EXPECT_EQ(reporter.errors, QStringList{"Cannot open file: \"D:\\fehlt.txt\""});
    drive.write(QStringLiteral("fehlt.txt"), "da");
    EXPECT_TRUE(core.Open(missing));
    EXPECT_EQ(core.charAt(1), u'a');
}

// The byte order of a UTF-16 view comes from the first two bytes.
TEST_F(TATBinHexCoreTest, ByteOrderComesFromTheFirstTwoBytes)
{
    using Order = TATBinHexCore::ByteOrder;
    const std::pair<QByteArray, Order> cases[] = {{QByteArray("\xFE\xFF\0a", 4), Order::BigEndian},
                                                  {"\xFE\xFF", Order::BigEndian},
                                                  {"\xFF\xFE", Order::LittleEndian},
                                                  {QByteArray("a\0", 2), Order::LittleEndian},
                                                  {"\xFE", Order::LittleEndian}};
    for (const auto& [bytes, order] : cases) {
        open(bytes, vbmodeUnicode);
        EXPECT_EQ(core.unicodeOrder(), order) << bytes.toHex().toStdString();
    }
}

TEST_F(TATBinHexCoreTest, OffsetDigitsGrowAndSelectedTextStopsAt16MiB)
{
    open(QByteArray(0x123, 'a'));
    EXPECT_EQ(core.offsetDigits(), 8);
    resizeAndReopen(17 * 1024 * 1024);
    core.SelectAll();
    EXPECT_EQ(core.selLength(), 17 * 1024 * 1024);
    EXPECT_EQ(core.GetSelText().size(), 16 * 1024 * 1024);
    resizeAndReopen(0x123456789); // 9 digits
    EXPECT_EQ(core.offsetDigits(), 10);
}

// ---- selection --------------------------------------------------------------------------

TEST_F(TATBinHexCoreTest, SelectionIsRoundedCutOrIgnored)
{
    const struct {
        const char* name;
        TATBinHexMode mode;
        qint64 fileSize, start, length, expectedStart, expectedLength;
    } cases[] = {{"utf16_odd_rounded_down", vbmodeUnicode, 20, 5, 7, 4, 6},
                 {"utf16_same_after_rounding", vbmodeUnicode, 20, 3, 3, 2, 2},
                 {"text_odd_kept", vbmodeText, 20, 5, 7, 5, 7},
                 {"past_end_cut", vbmodeText, 10, 8, 5, 8, 2},
                 {"utf16_odd_file_cut", vbmodeUnicode, 11, 9, 9, 8, 2},
                 {"negative_start", vbmodeText, 10, -1, 2, 2, 2},
                 {"negative_length", vbmodeText, 10, 1, -2, 2, 2},
                 {"beyond_last_character", vbmodeText, 10, 10, 1, 2, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        open(QByteArray(c.fileSize, 'a'), c.mode);
        core.SetSelection(2, 2, false, false);
        int events = 0;
        core.setOnSelectionChange([&] { ++events; });
        core.SetSelection(c.start, c.length, false, true);
        EXPECT_EQ(core.selStart(), c.expectedStart);
        EXPECT_EQ(core.selLength(), c.expectedLength);
        EXPECT_EQ(events, c.expectedStart == 2 && c.expectedLength == 2 ? 0 : 1);
        core.setOnSelectionChange({});
    }
}

TEST_F(TATBinHexCoreTest, SelectLineAtStopsBeforeBreaksAfter2048CharactersOrAtWordEnds)
{
    open("eins\r\nzwei drei\r\n\r\n" + QByteArray(5000, 'x'));
    core.SelectLineAt(8);
    EXPECT_EQ(core.GetSelText(), "zwei drei");
    core.SelectLineAt(15); // on the CR: the line before it
    EXPECT_EQ(core.GetSelText(), "zwei drei");
    core.SelectLineAt(17); // the empty line
    EXPECT_EQ(core.selLength(), 0);
    core.SelectLineAt(19 + 2500);
    EXPECT_EQ(core.selStart(), 19 + 2500 - 2048);
    EXPECT_EQ(core.selLength(), 2 * 2048);

    open(utf16("(Hallo, Welt_1 x[y])"), vbmodeUnicode);
    const std::pair<qint64, const char*> words[] = {{2, "Hallo"},   {8, "Hallo"},   {12, ","},
                                                    {18, "Welt_1"}, {26, "Welt_1"}, {30, "x"},
                                                    {34, "y"},      {0, "("}};
    for (const auto& [pos, word] : words) {
        core.SelectLineAt(pos + 1, true); // odd positions round down
        EXPECT_EQ(core.GetSelTextW(), word) << pos;
    }
}

TEST_F(TATBinHexCoreTest, SelectedTextOfAnsiUtf16AndCodePageFiles)
{
    open("Die K\xF6\xDF\x80!");
    core.SetSelection(4, 4, true, true);
    EXPECT_EQ(core.GetSelText(), "K\xF6\xDF\x80");
    open("\xFE\xFF" + utf16(QStringLiteral("Grüße"), true), vbmodeUnicode);
    core.SetSelection(6, 6, true, true);
    EXPECT_EQ(core.GetSelTextW(), QStringLiteral("üße"));
    EXPECT_EQ(core.charAt(6), u'ü');
    if (!isEncodingAvailable(vEncWEuroDOS))
        GTEST_SKIP() << "no decoder for IBM-850";
    open("\x81\x94\xE1");
    core.setTextEncoding(vEncWEuroDOS);
    core.SelectAll();
    EXPECT_EQ(core.charAt(0), u'ü');
    EXPECT_EQ(core.GetSelText(), "\xFC\xF6\xDF");
}

TEST_F(TATBinHexCoreTest, SelectionTextAsTextOrHex)
{
    open(QByteArray("K\xC3\xA4se\0!", 7));
    EXPECT_EQ(selectionText(core, false, false), QString()); // nothing selected
    core.SelectAll();
    EXPECT_EQ(selectionText(core, false, false), QString::fromUtf8("KÃ¤se !"));
    EXPECT_EQ(selectionText(core, false, true), QString::fromUtf8("Käse !"));
    EXPECT_EQ(selectionText(core, true, false), "4B C3 A4 73 65 00 21");
    core.setTextEncoding(vEncCyrWin);
    core.SelectAll();
    EXPECT_EQ(selectionText(core, false, false), QString::fromUtf8("KГ¤se !"));
    open(QByteArray("\xFE\xFF\0a\0\0\0b", 8), vbmodeUnicode);
    core.SelectAll();
    EXPECT_EQ(selectionText(core, true, false), QChar(0xFEFF) + QStringLiteral("a b"));
}

// ---- layout and stepping ----------------------------------------------------------------

// Pairs of a text and its shown lines, split at "|".
TEST_F(TATBinHexCoreTest, EachBreakSplitsOnceLongLinesAreCutTabsExpand)
{
    const char* cases[] = {"a\r\nb", "a|b",  "a\n\rb",     "a|b",  "a\rb",       "a|b",
                           "a\nb",   "a|b",  "a\r\n\r\nb", "a||b", "a\n\r\n\rb", "a||b",
                           "a\r\rb", "a||b", "a\n\nb",     "a||b", "a\r\n\rb",   "a||b",
                           "\n\r\n", "|",    "a\r\n",      "a",    "a\tb",       "a        b"};
    for (std::size_t i = 0; i < std::size(cases); i += 2) {
        for (const bool wide : {false, true}) {
            SCOPED_TRACE(QByteArray(cases[i]).toHex().toStdString() + (wide ? " UTF-16" : ""));
            open(wide ? utf16(cases[i]) : QByteArray(cases[i]), wide ? vbmodeUnicode : vbmodeText);
            EXPECT_EQ(shownTexts(), QString(cases[i + 1]).split(u'|'));
            EXPECT_EQ(backwardStarts(), forwardStarts());
        }
    }

    // Long lines are cut at 2,048 characters; tabs expand.
    open(QByteArray(5000, 'x') + "\r\n" + QByteArray(2048, 'y') + "\nz\tz");
    core.setTextTabSize(4);
    const QList<TATBinHexLine> lines = core.pageLines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[1].start, 2048);
    EXPECT_EQ(lines[2].chars.size(), 5000 - 2 * 2048);
    EXPECT_EQ(lines[3].chars, QString(2048, u'y')); // its break follows: no empty line
    EXPECT_EQ(shownTexts()[4], "z    z");
    core.setFontFixedPitch(true);
    EXPECT_EQ(shownTexts()[4], "z   z");
    EXPECT_EQ(backwardStarts(), forwardStarts());
}

// Backward steps give exactly the forward lines: cuts at 2,048 characters, every break
// cluster, a run longer than a block, across buffer refills, in every byte order.
TEST_F(TATBinHexCoreTest, BackwardStepsGiveTheForwardLines)
{
    const QByteArray text = mixedText(3'000'000, 7);
    const std::pair<QByteArray, TATBinHexMode> files[] = {
        {text, vbmodeText},
        {utf16(text), vbmodeUnicode},
        {"\xFE\xFF" + utf16(text, true), vbmodeUnicode}};
    for (const auto& [bytes, mode] : files) {
        open(bytes, mode);
        const QList<qint64> starts = forwardStarts();
        EXPECT_GT(starts.size(), 2000);
        EXPECT_EQ(backwardStarts(), starts);
        core.setLinesPerPage(30);
        for (const qsizetype first : {qsizetype(0), starts.size() / 3, starts.size() / 2}) {
            core.ScrollToPos(starts[first] + core.charSize());
            ASSERT_EQ(core.viewPos(), starts[first]);
            core.ScrollLineDown(700);
            EXPECT_EQ(core.viewPos(), starts[first + 700]);
            core.ScrollLineUp(700);
            EXPECT_EQ(core.viewPos(), starts[first]);
        }
    }
    EXPECT_TRUE(reporter.errors.isEmpty());
}

TEST_F(TATBinHexCoreTest, WrappedLinesStepBackAsForward)
{
    FixedMeasurer measurer(375);
    core.setMeasurer(&measurer);
    core.setTextWrap(true);
    open(mixedText(20'000, 3).left(10'000)); // without the long run
    const QList<qint64> starts = forwardStarts();
    EXPECT_EQ(backwardStarts(), starts);
    for (const TATBinHexLine& line : core.pageLines())
        EXPECT_LE(line.chars.size(), 37);
    open("eins zwei drei vier\nC:\\Texte\\Brief.txt"); // 10 characters wide
    FixedMeasurer ten(100);
    core.setMeasurer(&ten);
    EXPECT_EQ(shownTexts(), QStringList({"eins zwei", "drei vier", "C:\\Texte\\", "Brief.txt"}));
    FixedMeasurer narrow(1); // no character fits: one per line, and no hang
    core.setMeasurer(&narrow);
    EXPECT_EQ(core.nextLineStart(0), 1);
    EXPECT_EQ(core.pageLines().size(), core.linesPerPage());
}

TEST_F(TATBinHexCoreTest, ScrollingStopsAtTheEndHexModesStepByTheirLineWidth)
{
    QByteArray text;
    for (int i = 0; i < 20; ++i)
        text += "Zeile " + QByteArray::number(i) + "\r\n";
    open(text);
    core.setLinesPerPage(5);
    core.ScrollLineDown(100);
    EXPECT_EQ(shownTexts().first(), "Zeile 15");
    EXPECT_TRUE(core.viewShowsEnd());
    const qint64 end = core.viewPos();
    core.ScrollLineDown(1);
    EXPECT_EQ(core.viewPos(), end);
    core.moveToStart();
    core.moveToEnd();
    EXPECT_EQ(core.viewPos(), end);
    core.ScrollToPos(text.indexOf("Zeile 7") + 3); // inside a line: that line on top
    EXPECT_EQ(shownTexts().first(), "Zeile 7");
    core.ScrollToPos(text.indexOf("Zeile 7")); // a line start: one step back
    EXPECT_EQ(shownTexts().first(), "Zeile 6");
    core.ScrollToPos(text.size() - 1);
    EXPECT_EQ(core.viewPos(), end);
    core.ScrollLineUp(100);
    EXPECT_EQ(core.viewPos(), 0);

    // Hex modes step by their line width.
    open(QByteArray(100, 'a'), vbmodeHex);
    core.setLinesPerPage(3);
    EXPECT_EQ(core.lineStep(), 16);
    core.ScrollLineDown(100);
    EXPECT_EQ(core.viewPos(), 64); // the last full page: lines 4 to 6
    core.ScrollToPos(40);
    EXPECT_EQ(core.viewPos(), 32);
    core.setMode(vbmodeUHex);
    EXPECT_EQ(core.lineStep(), 16);
    core.setTextWidthUHex(7);
    EXPECT_EQ(core.lineStep(), 8);
}

TEST_F(TATBinHexCoreTest, AHitFarDownShowsFiveLinesAbove)
{
    QByteArray text;
    for (int i = 0; text.size() < 3'000'000; ++i)
        text += "Zeile " + QByteArray::number(i) + " mit etwas Text\r\n";
    open(text);
    core.setLinesPerPage(10);
    for (const char* hit : {"Zeile 91234 ", "etwas Text\r\nZeile 99000 "}) {
        const qint64 at = text.indexOf(hit) + qstrlen(hit) - 6;
        core.SetSelection(at, 5, true, true);
        EXPECT_EQ(core.GetSelText(), text.mid(at, 5));
        const QList<TATBinHexLine> lines = core.pageLines();
        ASSERT_EQ(lines.size(), 10);
        EXPECT_TRUE(lines[5].start <= at && at < lines[5].end) << hit;
    }
    FixedMeasurer measurer(200); // 20 characters wide, not wrapped
    core.setMeasurer(&measurer);
    core.SetSelection(text.indexOf("Text\r\nZeile 99000"), 4, true, false);
    EXPECT_EQ(core.horzOffset(), (22 - 5) * 10); // "Zeile 98999 mit etwas " before it
}

// ---- read errors and the slot -----------------------------------------------------------

TEST_F(TATBinHexCoreTest, ShrunkFileGivesTheReadErrorStateAVanishedOneReadsOn)
{
    open(mixedText(3'000'000, 5));
    QFile(drive.native(QStringLiteral("a.txt"))).resize(1000);
    core.ScrollToPos(2'500'000);
    EXPECT_FALSE(core.lastReadOk());
    EXPECT_EQ(reporter.errors.value(0), "Cannot read file: \"D:\\a.txt\"");
    core.ScrollLineDown(3);
    core.ScrollLineUp(3);
    core.SetSelection(2'600'000, 10, true, true);
    EXPECT_TRUE(core.GetSelText().isEmpty());
    core.moveToStart(); // the start no longer has the size it had either
    EXPECT_FALSE(core.lastReadOk());
    EXPECT_TRUE(core.pageLines().isEmpty());

    open("eins\nzwei\n");
    ASSERT_TRUE(QFile::remove(drive.native(QStringLiteral("a.txt"))));
    // The open handle still reads the document it opened (or the system refused to delete).
    EXPECT_EQ(shownTexts(), QStringList({"eins", "zwei"}));
    core.SelectLineAt(6);
    EXPECT_EQ(core.GetSelText(), "zwei");
}

TEST_F(TATBinHexCoreTest, ClosingTheSlotClosesEveryViewer)
{
    ViewerFileSlot slot;
    TATBinHexCore viewer(&slot);
    auto viewer2 = std::make_unique<TATBinHexCore>(&slot);
    drive.write(QStringLiteral("a.txt"), "eins");
    drive.write(QStringLiteral("b.txt"), "zwei");
    ASSERT_TRUE(viewer.Open(name()));
    ASSERT_TRUE(viewer2->Open(drive.program(QStringLiteral("b.txt"))));
    slot.closeAll();
    EXPECT_FALSE(viewer.isOpen());
    EXPECT_FALSE(viewer2->isOpen());
    viewer2.reset();
    ASSERT_TRUE(viewer.Open(name())); // reopened under the same name after the rewrite
    slot.closeAll();
    EXPECT_FALSE(viewer.isOpen());
}

TEST_F(TATBinHexCoreTest, ModeChangeReopensAtTheSamePosition)
{
    open(utf16("eins\r\nzwei\r\ndrei\r\n"), vbmodeUnicode);
    core.setLinesPerPage(1);
    core.ScrollLineDown(1);
    core.SetSelection(12, 2, false, false);
    core.setMode(vbmodeText);
    EXPECT_EQ(core.viewPos(), 12);
    EXPECT_EQ(core.selLength(), 0);
    core.setMode(vbmodeUnicode);
    EXPECT_EQ(core.viewPos(), 12);
    EXPECT_EQ(shownTexts().first(), "zwei");
}

TEST_F(TATBinHexCoreTest, ReopenFollowsTheTailOrKeepsThePosition)
{
    QByteArray text;
    for (int i = 0; i < 50; ++i)
        text += "Zeile " + QByteArray::number(i) + "\n";
    core.setLinesPerPage(5);
    open(text);
    EXPECT_FALSE(core.fitsOnPageFromStart());
    core.moveToEnd();
    core.SetSelection(3, 2, false, false);
    drive.write(QStringLiteral("a.txt"), text + "Zeile 50\nZeile 51\n");
    ASSERT_TRUE(core.reopen(true));
    EXPECT_EQ(core.layoutLine(core.viewPos()).chars, "Zeile 47");
    EXPECT_EQ(core.selLength(), 0);
    core.ScrollToPos(text.indexOf("Zeile 20"));
    const qint64 view = core.viewPos();
    ASSERT_TRUE(core.reopen(true)); // not at the end: stays
    EXPECT_EQ(core.viewPos(), view);
    drive.write(QStringLiteral("a.txt"), "kurz\n");
    ASSERT_TRUE(core.reopen(false));
    EXPECT_TRUE(core.fitsOnPageFromStart());
    ASSERT_TRUE(QFile::remove(drive.native(QStringLiteral("a.txt"))));
    EXPECT_FALSE(core.reopen(true));
    EXPECT_FALSE(core.isOpen());
}

// ---- pixel positions and the memo text -------------------------------------------------

TEST_F(TATBinHexCoreTest, StrPositionsMapPointerToPositionToPixelAndSelectionRects)
{
    FixedMeasurer measurer(1000);
    core.setMeasurer(&measurer);
    TStrPositions table(core);
    table.clear(16);
    table.add({QStringLiteral("ab\tc"), 2, 1, 100}); // tab of 8 spaces: c at 2 + 100
    table.add({QStringLiteral("xyz"), 2, 17, 106});
    EXPECT_EQ(table.posAt({50, -5}), 100);  // above the first line
    EXPECT_EQ(table.posAt({0, 5}), 100);    // left of the line
    EXPECT_EQ(table.posAt({6, 5}), 100);    // left half of "a"
    EXPECT_EQ(table.posAt({7, 5}), 101);    // right half of "a"
    EXPECT_EQ(table.posAt({60, 5}), 102);   // left half of the tab
    EXPECT_EQ(table.posAt({63, 5}), 103);   // right half of the tab
    EXPECT_EQ(table.posAt({500, 5}), 104);  // right of the line: just after it
    EXPECT_EQ(table.posAt({25, 20}), 108);  // second line, its band starts at 17
    EXPECT_EQ(table.posAt({25, 400}), 109); // below all lines: end of the last

    EXPECT_EQ(table.pointOf(103), QPoint(102, 1));
    EXPECT_EQ(table.pointOf(104), QPoint(112, 1));
    EXPECT_EQ(table.pointOf(107), QPoint(12, 17));
    EXPECT_FALSE(table.pointOf(200).has_value());
    const QList<QRect> rects = table.selectionRects(101, 6);
    ASSERT_EQ(rects.size(), 2);
    EXPECT_EQ(rects[0], QRect(12, 1, 100, 16));          // "b", tab, "c"
    EXPECT_EQ(rects[1], QRect(2, 17, 10, 16));           // "x"
    EXPECT_TRUE(table.selectionRects(104, 2).isEmpty()); // the line break only
}

TEST(ViewerMemoTextTest, DecodesByFamily)
{
    // Lines arrive as the viewer reads the bytes: one Windows-1252 character per byte.
    const QString ansiLine = cp1252::decode("M\xC3\xBCller und M\xFCller \xE2\x82\xAC");
    EXPECT_EQ(viewerMemoText(ansiLine, Family::Ansi), QString::fromUtf8("Müller und Müller €"));
    // Four bytes stay four characters in ANSI text, become one in UTF-8 text.
    const QString emoji = cp1252::decode("\xF0\x9F\x98\x80");
    EXPECT_EQ(viewerMemoText(emoji, Family::Ansi).size(), 4);
    EXPECT_EQ(viewerMemoText(emoji, Family::Utf8), QString::fromUtf8("😀"));
    // 0x80 is the euro sign in Windows-1252, not U+0080.
    EXPECT_EQ(viewerMemoText(QString(QChar(0x20AC)), Family::Ansi), QString(QChar(0x20AC)));
    EXPECT_EQ(viewerMemoText(cp1252::decode("a\xE0\xB0\x80z"), Family::Utf8), "a z");
    EXPECT_EQ(viewerMemoText(QStringLiteral("\u0C00x"), Family::Unicode),
              QStringLiteral("\u0C00x"));
}
