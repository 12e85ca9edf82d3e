#include "widgets/TATBinHex.h"

#include "support/TempFolder.h"
#include "support/Utf16.h"
#include "viewer/ViewerFileSlot.h"
#include "widgets/TATBinHexHost.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class RecordingReporter : public TATBinHexReporter {
public:
    QStringList errors;
    void showError(const QString& text) override { errors.append(text); }
};

class ScriptedHost : public TATBinHexHost {
public:
    std::optional<Family> family;
    bool titleSearch = false;
    bool acceptsLeft = false;
    int pages = 0;
    QString leftText;

    bool titleSearchRunning() const override { return titleSearch; }
    std::optional<Family> shownFamily() const override { return family; }
    void pageDrawn() override { ++pages; }
    bool acceptsLeftSearchText() const override { return acceptsLeft; }
    void setLeftSearchText(const QString& text) override { leftText = text; }
};

QByteArray numberedLines(int count, const QByteArray& filler = " mit\tTabs und Text")
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += "Zeile " + QByteArray::number(i) + filler + "\r\n";
    return text;
}

QFont searchWindowFont()
{
    QFont font(QStringLiteral("Arial Unicode MS"));
    font.setPixelSize(15);
    return font;
}

class TATBinHexTest : public testing::Test {
protected:
    TATBinHexTest() : viewer(&slot)
    {
        viewer.setReporter(&reporter);
        viewer.resize(420, 300);
        viewer.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    }

    void open(const QByteArray& bytes, TATBinHexMode mode = vbmodeText)
    {
        (void)viewer.Open(QString());
        viewer.setMode(mode);
        drive.write(QStringLiteral("a.txt"), bytes);
        ASSERT_TRUE(viewer.Open(drive.program(QStringLiteral("a.txt"))));
    }
    QWidget* area() { return viewer.viewport(); }
    void sendMouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent event(type, at, area()->mapToGlobal(at), button, held, modifiers);
        QApplication::sendEvent(area(), &event);
    }
    void click(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        sendMouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, modifiers);
        sendMouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    // The middle of the character at pos, as the page shows it now.
    QPoint pointInside(qint64 pos)
    {
        const std::optional<QPoint> point = viewer.pointOf(pos);
        EXPECT_TRUE(point.has_value()) << pos;
        return point.value_or(QPoint()) + QPoint(1, viewer.lineHeight() / 2);
    }
    QString shownText()
    {
        QStringList texts;
        for (const TStrPosition& line : viewer.screenLines().lines())
            texts.append(viewer.core().displayText(line.text));
        return texts.join(u'\n');
    }

    MappedDrive drive;
    RecordingReporter reporter;
    ViewerFileSlot slot;
    TATBinHex viewer;
};

// ---- position and pixel -----------------------------------------------------------------

struct MappingCase {
    const char* name;
    bool proportionalFont;
    bool wrap;
    TATBinHexMode mode;
};

class TATBinHexMappingTest : public TATBinHexTest,
                             public testing::WithParamInterface<MappingCase> {};

// Every character on the page maps to a pixel and back; every pixel maps to the nearest
// character boundary of its line.
TEST_P(TATBinHexMappingTest, PixelPositionPixel)
{
    const MappingCase& param = GetParam();
    if (param.proportionalFont)
        viewer.setFont(searchWindowFont());
    viewer.setTextWrap(param.wrap);
    const QString text = QString::fromUtf8(numberedLines(40, " Wörter\tmit Tabs, Ümlaute "
                                                             "und ein langer Satz, der umbricht"));
    open(param.mode == vbmodeUnicode ? utf16(text) : text.toLatin1(), param.mode);
    const int size = viewer.core().charSize();
    const QList<TStrPosition>& lines = viewer.screenLines().lines();
    ASSERT_EQ(lines.size(), viewer.core().linesPerPage());
    int widest = 0;
    for (const TStrPosition& line : lines) {
        for (qsizetype i = 0; i < line.text.size(); ++i) {
            const qint64 pos = line.pos + i * size;
            ASSERT_EQ(viewer.posAt(pointInside(pos)), pos) << line.text.toStdString() << i;
            const int width =
                viewer.core().textX(line.text, i + 1) - viewer.core().textX(line.text, i);
            widest = std::max(widest, width);
        }
    }
    for (const TStrPosition& line : lines) {
        const int endX = viewer.pointOf(line.pos + line.text.size() * size)->x();
        for (int y = line.y; y < line.y + viewer.lineHeight(); y += 4) {
            for (int x = 0; x < endX + 30; x += 2) {
                const std::optional<QPoint> boundary = viewer.pointOf(viewer.posAt({x, y}));
                ASSERT_TRUE(boundary.has_value());
                EXPECT_EQ(boundary->y(), line.y);
                if (x < line.x)
                    EXPECT_EQ(boundary->x(), line.x);
                else if (x > endX)
                    EXPECT_EQ(boundary->x(), endX);
                else
                    EXPECT_LE(std::abs(boundary->x() - x), widest / 2 + 1) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(viewer.posAt({5, -10}), lines.first().pos);
    EXPECT_EQ(viewer.posAt({5, 10000}), lines.last().pos + lines.last().text.size() * size);
}

INSTANTIATE_TEST_SUITE_P(TATBinHex, TATBinHexMappingTest,
                         testing::Values(MappingCase{"Mono", false, false, vbmodeText},
                                         MappingCase{"MonoWrapped", false, true, vbmodeText},
                                         MappingCase{"Proportional", true, false, vbmodeText},
                                         MappingCase{"ProportionalWrappedUtf16", true, true,
                                                     vbmodeUnicode},
                                         MappingCase{"MonoUtf16", false, false, vbmodeUnicode}),
                         [](const auto& info) { return std::string(info.param.name); });

// Wrapped lines hold the file's characters in order: only line breaks and the one blank a
// wrap drops lie between them, and every line fits the width unless it holds one character.
TEST_F(TATBinHexTest, WrappedLinesRebuildTheText)
{
    viewer.setFont(searchWindowFont());
    viewer.setTextWrap(true);
    const QString text = QString::fromUtf8(
        "Ein Absatz mit Wörtern, Pfaden wie C:\\Texte\\Briefe\\Brief.txt und\tTabs, der "
        "über viele Zeilen umbricht, weil er viel länger ist als das Fenster breit.\r\n\r\n"
        "Kurz.\nNochEinSehrLangesWortOhneJedeLückeDasHartGeschnittenWerdenMuss.\r\n");
    const QString repeated = text.repeated(3);
    for (const TATBinHexMode mode : {vbmodeText, vbmodeUnicode}) {
        open(mode == vbmodeUnicode ? utf16(repeated) : repeated.toLatin1(), mode);
        const int size = viewer.core().charSize();
        qint64 expected = 0;
        for (bool end = false; !end;) {
            end = viewer.core().viewShowsEnd();
            for (const TStrPosition& line : viewer.screenLines().lines()) {
                if (line.pos < expected)
                    continue; // the last page overlaps the one before
                const QString between = repeated.mid(expected / size, (line.pos - expected) / size);
                EXPECT_TRUE(between.size() <= 4 && between.trimmed().isEmpty())
                    << between.toStdString(); // a dropped blank or the line breaks
                EXPECT_EQ(line.text, repeated.mid(line.pos / size, line.text.size()));
                if (line.text.size() > 1) {
                    EXPECT_LE(viewer.core().textX(line.text, line.text.size()),
                              area()->width() - viewer.leftMargin());
                }
                expected = line.pos + line.text.size() * size;
            }
            viewer.ScrollLineDown(viewer.core().linesPerPage());
        }
    }
}

// ---- scrolling --------------------------------------------------------------------------

TEST_F(TATBinHexTest, LinesDownThenUpReturnInWrappedText)
{
    viewer.setFont(searchWindowFont());
    viewer.setTextWrap(true);
    open(numberedLines(500, " und ein Satz, der im schmalen Fenster sicher umbricht, weil er "
                            "lang ist"));
    viewer.ScrollLineDown(7);
    const qint64 start = viewer.core().viewPos();
    for (int i = 0; i < 60; ++i)
        QTest::keyClick(&viewer, Qt::Key_Down);
    EXPECT_GT(viewer.core().viewPos(), start);
    for (int i = 0; i < 60; ++i)
        QTest::keyClick(&viewer, Qt::Key_Up);
    EXPECT_EQ(viewer.core().viewPos(), start);
    QTest::keyClick(&viewer, Qt::Key_PageDown);
    QTest::keyClick(&viewer, Qt::Key_PageUp);
    EXPECT_EQ(viewer.core().viewPos(), start);
}

// Growing taller while the end shows keeps the end in view, with a full page.
TEST_F(TATBinHexTest, CtrlEndShowsTheLastLineAndCtrlHomeTheFirst)
{
    const QByteArray text = numberedLines(3000);
    for (const TATBinHexMode mode : {vbmodeText, vbmodeUnicode}) {
        open(mode == vbmodeText ? text : utf16(QString::fromLatin1(text)), mode);
        QTest::keyClick(&viewer, Qt::Key_End, Qt::ControlModifier);
        EXPECT_TRUE(shownText().endsWith("Zeile 2999 mit  Tabs und Text"));
        EXPECT_EQ(viewer.screenLines().lines().size(), viewer.core().linesPerPage());
        viewer.resize(viewer.width(), viewer.height() + 5 * viewer.lineHeight());
        QApplication::processEvents();
        EXPECT_TRUE(viewer.core().viewShowsEnd());
        EXPECT_EQ(viewer.screenLines().lines().size(), viewer.core().linesPerPage());
        QTest::keyClick(&viewer, Qt::Key_Home, Qt::ControlModifier);
        EXPECT_EQ(viewer.core().viewPos(), 0);
    }
}

TEST_F(TATBinHexTest, ThumbMovesInProportionToTheFileSize)
{
    open(numberedLines(20000)); // far more than 32,767 characters
    QScrollBar* bar = viewer.verticalScrollBar();
    ASSERT_EQ(bar->maximum(), 32767);
    QSignalSpy scrolled(&viewer, &TATBinHex::OnScroll);
    const qint64 size = viewer.core().fileSize();
    bar->setSliderPosition(20000);
    const qint64 target = size * 20000 / 32767;
    EXPECT_LE(viewer.core().viewPos(), target);
    EXPECT_GT(viewer.core().viewPos(), target - 100);
    EXPECT_EQ(bar->value(), int(32767 * viewer.core().viewPos() / size));
    EXPECT_EQ(scrolled.count(), 1);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    const qint64 end = viewer.core().viewPos();
    bar->setSliderPosition(100); // back while the end is shown: ignored, still reported
    EXPECT_EQ(viewer.core().viewPos(), end);
    EXPECT_EQ(scrolled.count(), 3);
    // The thumb never puts a UTF-16 view on an odd byte.
    open(utf16(QString::fromLatin1(numberedLines(10000))), vbmodeUnicode);
    for (int position = 1; position < bar->maximum(); position += 997) {
        bar->setSliderPosition(position);
        ASSERT_EQ(viewer.core().viewPos() % 2, 0) << position;
    }
}

// A read error (the file shrank) drops the scroll bar too.
TEST_F(TATBinHexTest, SmallFileOrReadErrorHasNoScrollBarAndWidensTheMemo)
{
    QPlainTextEdit memo;
    memo.resize(100, 100);
    viewer.setViewerMemo(&memo);
    open("eins\r\nzwei\r\n");
    EXPECT_EQ(viewer.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(memo.width(), viewer.width() + 4);
    const QByteArray text = numberedLines(200000);
    open(text);
    EXPECT_GT(viewer.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(memo.width(), viewer.width() - 16);
    QFile(drive.native(QStringLiteral("a.txt"))).resize(1000);
    viewer.ScrollToPos(text.size() / 2);
    EXPECT_EQ(reporter.errors.value(0), "Cannot read file: \"D:\\a.txt\"");
    EXPECT_EQ(viewer.verticalScrollBar()->maximum(), 0);
}

TEST_F(TATBinHexTest, HorizontalScrollingStaysWithinTheWidestLine)
{
    open(QByteArray(300, 'x') + "\r\nkurz\r\n");
    QTest::keyClick(&viewer, Qt::Key_Right);
    EXPECT_EQ(viewer.core().horzOffset(), 200);
    QTest::keyClick(&viewer, Qt::Key_End);
    const int widest = viewer.leftMargin() + viewer.core().textX(QString(300, u'x'), 300);
    EXPECT_EQ(viewer.core().horzOffset(), widest - area()->width());
    EXPECT_EQ(viewer.horizontalScrollBar()->maximum(), widest - area()->width());
    QTest::keyClick(&viewer, Qt::Key_Right);
    EXPECT_EQ(viewer.core().horzOffset(), widest - area()->width());
    QTest::keyClick(&viewer, Qt::Key_Home);
    EXPECT_EQ(viewer.core().horzOffset(), 0);
    viewer.setTextWrap(true);
    EXPECT_EQ(viewer.horizontalScrollBar()->maximum(), 0);
}

// ---- mouse ------------------------------------------------------------------------------

TEST_F(TATBinHexTest, DraggingSelectsAndReportsOnRelease)
{
    const QByteArray text = numberedLines(50);
    open(text);
    QSignalSpy changed(&viewer, &TATBinHex::OnSelectionChange);
    const qint64 from = text.indexOf("Zeile 3") + 2;
    const qint64 to = text.indexOf("Zeile 1 ") + 4; // upward: start and end swap
    sendMouse(QEvent::MouseButtonPress, pointInside(from), Qt::LeftButton, Qt::LeftButton);
    sendMouse(QEvent::MouseMove, pointInside(to), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(changed.count(), 0);
    sendMouse(QEvent::MouseButtonRelease, pointInside(to), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(viewer.GetSelText(), text.mid(to, from - to));
    const qint64 further = text.indexOf("Zeile 5") + 3;
    click(pointInside(further), Qt::ShiftModifier);
    EXPECT_EQ(viewer.GetSelText(), text.mid(to, further - to));
}

TEST_F(TATBinHexTest, HoldingBelowTheTextScrollsEvery50MsAndExtends)
{
    const QByteArray text = numberedLines(200);
    open(text);
    sendMouse(QEvent::MouseButtonPress, pointInside(8), Qt::LeftButton, Qt::LeftButton);
    sendMouse(QEvent::MouseMove, {20, area()->height() + 30}, Qt::NoButton, Qt::LeftButton);
    QTest::qWait(290);
    sendMouse(QEvent::MouseButtonRelease, {20, area()->height() + 30}, Qt::LeftButton,
              Qt::NoButton);
    const qint64 view = viewer.core().viewPos();
    const qint64 lines = text.left(view).count('\n');
    EXPECT_GE(lines, 3);
    EXPECT_LE(lines, 8);
    EXPECT_EQ(viewer.core().selStart(), 8);
    // The selection reaches the end of the page now shown.
    const TStrPosition& last = viewer.screenLines().lines().last();
    EXPECT_EQ(viewer.core().selStart() + viewer.core().selLength(), last.pos + last.text.size());
    QTest::qWait(120);
    EXPECT_EQ(viewer.core().viewPos(), view); // released: no more scrolling
}

TEST_F(TATBinHexTest, DoubleClickSelectsTheWordAndATripleClickTheLine)
{
    const QByteArray text = "Hallo schöne Welt, wie geht's?\r\nzweite Zeile";
    open(text);
    const QPoint onWorld = pointInside(text.indexOf("Welt") + 1);
    click(onWorld);
    sendMouse(QEvent::MouseButtonDblClick, onWorld, Qt::LeftButton, Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, onWorld, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(viewer.GetSelText(), "Welt");
    click(onWorld);
    EXPECT_EQ(viewer.GetSelText(), text.left(text.indexOf('\r')));
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    sendMouse(QEvent::MouseButtonDblClick, onWorld, Qt::LeftButton, Qt::LeftButton);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    click(onWorld);
    EXPECT_EQ(viewer.core().selLength(), 0); // too late for a third click: a new selection
}

TEST_F(TATBinHexTest, MiddleButtonPansInTheDominantDirection)
{
    open(numberedLines(400));
    const QPoint anchor(100, 100);
    sendMouse(QEvent::MouseButtonPress, anchor, Qt::MiddleButton, Qt::MiddleButton);
    ASSERT_TRUE(viewer.isPanning());
    sendMouse(QEvent::MouseMove, anchor + QPoint(10, 40), Qt::NoButton, Qt::NoButton);
    QTest::qWait(250); // two ticks of 40 div 16 = 2 lines
    const qint64 lines = QByteArray(drive.read("a.txt")).left(viewer.core().viewPos()).count('\n');
    EXPECT_GE(lines, 4);
    EXPECT_LE(lines, 6);
    sendMouse(QEvent::MouseMove, anchor + QPoint(5, 5), Qt::NoButton, Qt::NoButton);
    const qint64 still = viewer.core().viewPos();
    QTest::qWait(150); // within 16 pixels: no movement
    EXPECT_EQ(viewer.core().viewPos(), still);
    sendMouse(QEvent::MouseButtonPress, anchor, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(viewer.isPanning());
    EXPECT_EQ(viewer.core().selLength(), 0); // the click only ended panning
}

TEST_F(TATBinHexTest, WheelScrollsShiftGoesSidewaysCtrlZooms)
{
    open(numberedLines(300) + QByteArray(400, 'x'));
    QSignalSpy options(&viewer, &TATBinHex::OnOptionsChange);
    const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event({50, 50}, area()->mapToGlobal(QPoint(50, 50)), {}, {0, delta},
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(area(), &event);
    };
    wheel(-120, Qt::NoModifier);
    const qint64 expected = numberedLines(QApplication::wheelScrollLines()).size();
    EXPECT_EQ(viewer.core().viewPos(), expected);
    wheel(120, Qt::NoModifier);
    EXPECT_EQ(viewer.core().viewPos(), 0);
    const int height = viewer.lineHeight();
    wheel(120, Qt::ControlModifier);
    EXPECT_GT(viewer.lineHeight(), height);
    EXPECT_EQ(options.count(), 1);
    for (int i = 0; i < 100; ++i)
        wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(QFontInfo(viewer.font()).pointSize(), 2);
    EXPECT_GT(viewer.core().linesPerPage(), 9);
}

// ---- clipboard and popup menu -----------------------------------------------------------

TEST_F(TATBinHexTest, CopiesAsTextOrHexByModeAndFamily)
{
    QClipboard* clipboard = QApplication::clipboard();
    open(QByteArray("Ka\0f\xE4", 5));
    viewer.SelectAll();
    viewer.CopyToClipboard(false);
    EXPECT_EQ(clipboard->text(), QString::fromUtf8("Ka f\u00E4"));
    viewer.CopyToClipboard(true);
    EXPECT_EQ(clipboard->text(), "4B 61 00 66 E4");
    ScriptedHost host;
    host.family = Family::Utf8;
    viewer.setHost(&host);
    open("M\xC3\xBCller");
    viewer.SelectAll();
    QTest::keyClick(&viewer, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QString::fromUtf8("Müller"));
    host.family = Family::Unicode;
    open(utf16(QString::fromUtf8("Grüße")) + QByteArray(2, '\0') + "x", vbmodeUnicode);
    viewer.SelectAll();
    QTest::keyClick(&viewer, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QString::fromUtf8("Grüße "));
}

TEST_F(TATBinHexTest, PopupMenuTransfersTextAndChangesTheEncoding)
{
    ScriptedHost host;
    host.family = Family::Ansi;
    viewer.setHost(&host);
    open("Stra\xDF"
         "e und Weg");
    QSignalSpy options(&viewer, &TATBinHex::OnOptionsChange);
    std::unique_ptr<QMenu> menu(viewer.createPopupMenu(nullptr));
    QAction* transfer = menu->actions().first();
    EXPECT_EQ(transfer->text(), QString::fromUtf8("Text in Suchleiste links übertragen"));
    EXPECT_FALSE(transfer->isEnabled());
    viewer.SetSelection(0, 6, false, false);
    menu.reset(viewer.createPopupMenu(nullptr));
    menu->actions().first()->trigger();
    EXPECT_TRUE(host.leftText.isEmpty()); // the host takes no single-byte text now
    host.acceptsLeft = true;
    menu->actions().first()->trigger();
    EXPECT_EQ(host.leftText, QString::fromUtf8("Straße"));

    QMenu* encodings = menu->actions().last()->menu();
    ASSERT_NE(encodings, nullptr);
    EXPECT_EQ(menu->actions().last()->text(), "Encoding...");
    QMenu* cyrillic = nullptr;
    for (QAction* action : encodings->actions())
        if (action->text() == "Cyrillic")
            cyrillic = action->menu();
    ASSERT_NE(cyrillic, nullptr);
    cyrillic->actions().last()->trigger(); // Windows-1251
    EXPECT_EQ(viewer.core().textEncoding(), vEncCyrWin);
    EXPECT_EQ(options.count(), 1);

    viewer.setMode(vbmodeUnicode);
    menu.reset(viewer.createPopupMenu(nullptr));
    EXPECT_FALSE(menu->actions().last()->menu()->isEnabled());
    viewer.setTextPopupCommands(TATBinHex::vpCmdCopy | TATBinHex::vpCmdCopyHex |
                                TATBinHex::vpCmdSelectLine | TATBinHex::vpCmdSelectAll);
    menu.reset(viewer.createPopupMenu(nullptr));
    for (QAction* action : menu->actions())
        EXPECT_EQ(action->menu(), nullptr); // no encoding menu
}

// ---- the memo and the host --------------------------------------------------------------

TEST_F(TATBinHexTest, MemoHoldsThePageShownInTheFamilysText)
{
    ScriptedHost host;
    host.family = Family::Ansi;
    QPlainTextEdit memo;
    viewer.setHost(&host);
    viewer.setViewerMemo(&memo);
    open(numberedLines(100, " M\xC3\xBCller und M\xFCller"));
    viewer.repaint();
    QStringList expected;
    for (int i = 0; i < viewer.core().linesPerPage(); ++i)
        expected.append(QString::fromUtf8("Zeile %1 Müller und Müller").arg(i));
    EXPECT_EQ(memo.toPlainText(), expected.join(u'\n'));
    EXPECT_EQ(memo.height(), viewer.height());
    EXPECT_EQ(host.pages, 1);
    viewer.ScrollLineDown(50);
    viewer.repaint();
    EXPECT_EQ(memo.document()->blockCount(), viewer.core().linesPerPage());
    EXPECT_TRUE(memo.toPlainText().startsWith("Zeile 50 "));
    host.titleSearch = true;
    viewer.ScrollLineDown(1);
    viewer.repaint();
    EXPECT_TRUE(memo.toPlainText().startsWith("Zeile 50 "));
    EXPECT_EQ(host.pages, 2);
}

TEST_F(TATBinHexTest, AutoReloadFollowsTheTailAndClosesAGoneFile)
{
    open(numberedLines(100));
    viewer.setAutoReload(true);
    QTest::keyClick(&viewer, Qt::Key_End, Qt::ControlModifier);
    QSignalSpy reloaded(&viewer, &TATBinHex::OnFileReload);
    drive.write(QStringLiteral("a.txt"), numberedLines(120));
    ASSERT_TRUE(reloaded.wait(3000));
    EXPECT_TRUE(shownText().endsWith("Zeile 119 mit   Tabs und Text"));
    QTest::qWait(150);
    const int count = int(reloaded.count());
    ASSERT_TRUE(QFile::remove(drive.native(QStringLiteral("a.txt"))));
    ASSERT_TRUE(reloaded.wait(3000));
    EXPECT_GT(reloaded.count(), count);
    EXPECT_FALSE(viewer.core().isOpen());
    EXPECT_TRUE(reporter.errors.isEmpty());
}

} // namespace
