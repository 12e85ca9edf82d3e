#include "searchwindow/TSuchForm.h"

#include "search/HitNavigator.h"
#include "searchwindow/SearchWindowFixture.h"
#include "searchwindow/ShownSearchWindow.h"
#include "store/ByteSize.h"
#include "store/Windows1252.h"
#include "widgets/TATBinHex.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTest>
#include <QWheelEvent>

using namespace searchwindowtest;

namespace {

// 200 lines, so that a document is longer than a page.
QByteArray longText(const QByteArray& line)
{
    QByteArray text;
    for (int i = 0; i < 200; ++i)
        text += line + " " + QByteArray::number(i) + "\r\n";
    return text;
}

class TSuchFormTest : public DatabaseFixture {
protected:
    void build()
    {
        write(QStringLiteral("ansi.txt"),
              longText("Zeile") + "Herr M\xFCller wohnt hier. aaaa\r\n" + longText("Ende"));
        write(QStringLiteral("utf8.txt"), "Frau M\xC3\xBCller zahlt 5 \xE2\x82\xAC\r\n");
        write(QStringLiteral("wide.txt"), utf16le(QStringLiteral("Ω und Müller Ω\r\n")));
        index();
    }
    std::unique_ptr<TSuchForm> show(bool pathListOnly = false)
    {
        return showSearchWindow(paths, ui, launcher, pathListOnly);
    }
    template <typename W> static W* child(TSuchForm& form, const char* name)
    {
        W* found = form.findChild<W*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QString text(TSuchForm& form, const char* label)
    {
        return child<QLabel>(form, label)->text();
    }
    bool pagesWritten() const
    {
        return QFile::exists(base.native(QStringLiteral("Datenbank/Temp/NB_Ergebnis.htm")));
    }
};

} // namespace

TEST_F(TSuchFormTest, PhraseAndOrStayOpposite)
{
    build();
    auto form = show();
    EXPECT_TRUE(child<QCheckBox>(*form, "OderCheckBox")->isChecked());
    child<QCheckBox>(*form, "PhraseCheckBox")->setChecked(true);
    EXPECT_FALSE(child<QCheckBox>(*form, "OderCheckBox")->isChecked());
    child<QCheckBox>(*form, "PhraseCheckBox")->setChecked(false);
    EXPECT_TRUE(child<QCheckBox>(*form, "OderCheckBox")->isChecked());
}

TEST_F(TSuchFormTest, AClickIntoTheSearchFieldShowsTheFirstDocument)
{
    build();
    auto form = show();
    EXPECT_FALSE(text(*form, "Label8").startsWith(QStringLiteral("ANSI-DB")));
    QTest::mouseClick(child<QLineEdit>(*form, "TntEdit2"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return text(*form, "Label8").startsWith(QStringLiteral("ANSI-DB: \"DB\""));
    })) << text(*form, "Label8").toStdString();
}

// The memo lies over the viewer and holds only the page drawn: its wheel turns move the
// viewer, which takes the focus. Ctrl+wheel over the memo or the viewer zooms both
// together, so the memo's lines keep the breaks of its own font.
TEST_F(TSuchFormTest, WheelOverTheMemoScrollsTheViewerAndCtrlZoomsBoth)
{
    build();
    auto form = show();
    form->AnsiLadenButtonClick();
    auto* viewer = child<TATBinHex>(*form, "Viewer");
    auto* memo = child<QPlainTextEdit>(*form, "ViewerMemo");
    memo->show();
    child<QLineEdit>(*form, "TntEdit2")->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !viewer->screenLines().lines().isEmpty(); }));
    const qint64 top = viewer->screenLines().lines().front().pos;
    const QPoint inside = memo->viewport()->rect().center();
    QWheelEvent down(inside, memo->viewport()->mapToGlobal(inside), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(memo->viewport(), &down);
    EXPECT_TRUE(QTest::qWaitFor([&] { return viewer->screenLines().lines().front().pos > top; }));
    EXPECT_TRUE(viewer->hasFocus());

    const int before = QFontInfo(memo->font()).pointSize();
    for (QWidget* target :
         {static_cast<QWidget*>(memo->viewport()), static_cast<QWidget*>(viewer)}) {
        const QPoint inside = target->rect().center();
        QWheelEvent zoom(inside, target->mapToGlobal(inside), QPoint(), QPoint(0, 120),
                         Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(target, &zoom);
    }
    EXPECT_EQ(QFontInfo(memo->font()).pointSize(), before + 2);
    EXPECT_EQ(QFontInfo(viewer->font()).pointSize(), QFontInfo(memo->font()).pointSize());
    EXPECT_EQ(form->viewerFontSize(), before + 2);
}

// A UTF-8 page in the memo is wrapped by the width of what it shows (decoded), so its lines
// fill the memo instead of ending where the undecoded bytes would have.
TEST_F(TSuchFormTest, Utf8LinesFillTheMemo)
{
    QByteArray line;
    for (int i = 0; i < 120; ++i)
        line += "Gr\xC3\xBC\xC3\x9F"
                "e \xC3\xBC"
                "ber \xC3\x96l ";
    write(QStringLiteral("lang.txt"), line + "\r\n");
    index();
    auto form = show();
    form->UTF8LadenButtonClick();
    child<QLineEdit>(*form, "TntEdit1")->setText(QStringLiteral("über"));
    QTest::keyClick(child<QLineEdit>(*form, "TntEdit1"), Qt::Key_Return);
    auto* memo = child<QPlainTextEdit>(*form, "ViewerMemo");
    ASSERT_TRUE(memo->isVisible());
    const QStringList lines = memo->toPlainText().split(u'\n');
    ASSERT_GT(lines.size(), 3);
    int widest = 0;
    for (const QString& shown : lines.mid(0, lines.size() - 2))
        widest = std::max(widest, memo->fontMetrics().horizontalAdvance(shown));
    EXPECT_GT(widest, memo->viewport()->width() * 8 / 10) << lines[0].toStdString();
    // The occurrence count goes with the file when the window is opened again.
    EXPECT_TRUE(text(*form, "Label6").startsWith(QStringLiteral("\"über\" ist 120 mal")));
    form->closeShownFile();
    EXPECT_EQ(text(*form, "Label6"), QString());
}

TEST_F(TSuchFormTest, SplitterPositionIsKeptForTheNextWindow)
{
    build();
    {
        auto form = show();
        auto* splitter = child<QSplitter>(*form, "Splitter1");
        EXPECT_EQ(splitter->sizes().first(), 483);
        splitter->setSizes({520, form->width() - 520});
        emit splitter->splitterMoved(520, 1);
    }
    auto form = show();
    EXPECT_EQ(child<QSplitter>(*form, "Splitter1")->sizes().first(), 520);
}

struct FamilyCase {
    const char* name;
    Family family;
    QByteArray stored; // "Müller" as the document holds it
    QString path;
};

class TSuchFormNavigationTest : public TSuchFormTest,
                                public testing::WithParamInterface<FamilyCase> {};

// In each document the viewer selects the hit's bytes and the memo over it the same
// occurrence; the position label names the file.
TEST_P(TSuchFormNavigationTest, BothSelectionsCoverTheHit)
{
    const FamilyCase& param = GetParam();
    build();
    auto form = show();
    TATBinHex* viewer = form->viewer();
    switch (param.family) {
    case Family::Ansi: form->AnsiLadenButtonClick(); break;
    case Family::Utf8: form->UTF8LadenButtonClick(); break;
    case Family::Unicode: form->UnicodeLadenButtonClick(); break;
    }
    EXPECT_EQ(form->shownDocument(), param.family);
    const char* const prefixes[] = {"ANSI-DB: ", "UTF8-DB: ", "UNICODE-DB: "};
    EXPECT_EQ(text(*form, "Label8"),
              QLatin1String(prefixes[int(param.family)]) + QStringLiteral("\"DB\"  Position: "));
    child<QLineEdit>(*form, "TntEdit1")->setText(QStringLiteral("müller"));
    child<QPushButton>(*form, "WeiterSuche")->click();

    const qint64 expected = document(param.family).indexOf(param.stored);
    ASSERT_GT(expected, 0);
    EXPECT_EQ(viewer->core().selStart(), expected);
    EXPECT_EQ(viewer->core().selLength(), param.stored.size());
    auto* memo = child<QPlainTextEdit>(*form, "ViewerMemo");
    EXPECT_TRUE(memo->isVisible());
    EXPECT_EQ(memo->textCursor().selectedText(), QStringLiteral("Müller"));
    EXPECT_EQ(text(*form, "Label6"),
              QStringLiteral("\"müller\" ist 1 mal in der angezeigten Datei enthalten."));
    // The only one: the last-hit message.
    EXPECT_EQ(ui.informations, QStringList{HitNavigator::kLastHit});
    // With the hit's line at the top, the position label names the hit's file.
    viewer->ScrollToPos(expected + 2);
    form->ZeigDieTitelAn();
    EXPECT_EQ(text(*form, "Label2"), numberLocale().toString(viewer->core().viewPos()) +
                                         QStringLiteral("  \"") + param.path + u'"');
    EXPECT_EQ(child<QLabel>(*form, "Label2")->toolTip(), param.path);
    child<QPushButton>(*form, "Button2")->click(); // clears the field
    EXPECT_FALSE(child<QPushButton>(*form, "WeiterSuche")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Documents, TSuchFormNavigationTest,
    testing::Values(FamilyCase{"Ansi", Family::Ansi, "M\xFCller", "D:\\Texte\\ansi.txt"},
                    FamilyCase{"Utf8", Family::Utf8, "M\xC3\xBCller", "D:\\Texte\\utf8.txt"},
                    FamilyCase{"Unicode", Family::Unicode, utf16le(QStringLiteral("Müller")).mid(2),
                               "D:\\Texte\\wide.txt"}),
    [](const testing::TestParamInfo<FamilyCase>& info) { return std::string(info.param.name); });

TEST_F(TSuchFormTest, LongPathIsShortenedWithItsFullHint)
{
    const QString name =
        QStringLiteral("ein_sehr_langer_Dateiname_") + QString(60, u'x') + QStringLiteral(".txt");
    write(name, longText("Text \xFC"));
    index();
    auto form = show();
    form->AnsiLadenButtonClick();
    form->viewer()->ScrollLineDown(5); // past the blank lines before the first title
    form->ZeigDieTitelAn();
    const QString caption = text(*form, "Label2");
    EXPECT_TRUE(caption.endsWith(QStringLiteral("..."))) << caption.toStdString();
    EXPECT_TRUE(caption.contains(QStringLiteral("  \"D:\\Texte\\ein_sehr")));
    EXPECT_EQ(child<QLabel>(*form, "Label2")->toolTip(), QStringLiteral("D:\\Texte\\") + name);
    // Once the file is closed (as the main window does before a search) no position is left.
    form->closeShownFile();
    form->ZeigDieTitelAn();
    EXPECT_EQ(text(*form, "Label2"), QString());
    form->AnsiLadenButtonClick();
    form->viewer()->ScrollLineDown(5);
    // The shortened caption, "..." included, is drawn whole inside the label and the panel.
    for (const int width : {1100, 700}) {
        form->resize(width, form->height());
        QCoreApplication::processEvents();
        form->ZeigDieTitelAn();
        const QLabel* label = child<QLabel>(*form, "Label2");
        const int advance = label->fontMetrics().horizontalAdvance(label->text());
        const QWidget* panel = child<QWidget>(*form, "PanelRechts");
        EXPECT_LE(advance, label->contentsRect().width()) << width;
        EXPECT_LT(label->mapTo(panel, QPoint(0, 0)).x() + advance, panel->width()) << width;
        EXPECT_TRUE(label->text().endsWith(QStringLiteral("..."))) << width;
    }
}

TEST_F(TSuchFormTest, BookmarksPerDocumentAndNoneForTheFileList)
{
    build();
    auto form = show();
    TATBinHex* viewer = form->viewer();
    form->AnsiLadenButtonClick();
    viewer->ScrollLineDown(50);
    const qint64 position = viewer->core().viewPos();
    ASSERT_GT(position, 0);
    form->LesezeichenBtnClick();
    const settings::SettingsStore store;
    EXPECT_EQ(store.read(QStringLiteral("Lesezeichen_Ansi_DB")), QString::number(position));

    form->UTF8LadenButtonClick(); // the UTF-8 view does not move
    EXPECT_EQ(viewer->core().viewPos(), 0);
    form->AnsiLadenButtonClick();
    EXPECT_EQ(viewer->core().viewPos(), position);
    // The file list is no document: no bookmark is saved while it is shown.
    child<QLineEdit>(*form, "TntEdit2")->setText(QStringLiteral("#ansi"));
    form->DateiensucheBtnClick();
    form->LesezeichenBtnClick();
    EXPECT_EQ(store.read(QStringLiteral("Lesezeichen_Ansi_DB")), QString::number(position));
}

TEST_F(TSuchFormTest, EnterRunsTheFileNameSearchWithHashAndFilesTheText)
{
    write(QStringLiteral("Müller.txt"), "Inhalt");
    write(QStringLiteral("Brief.txt"), "Inhalt");
    index();
    auto form = show();
    auto* field = child<QLineEdit>(*form, "TntEdit2");
    field->setText(QStringLiteral("#müller"));
    EXPECT_TRUE(form->fileNameSearchMode());
    EXPECT_EQ(child<QLineEdit>(*form, "TntEdit1")->text(), QStringLiteral("müller"));
    EXPECT_FALSE(child<QPushButton>(*form, "OKBtn")->isEnabled());
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(text(*form, "Label8"), QStringLiteral("Dateienliste Position:"));
    const QByteArray descriptor = base.read(QStringLiteral("Datenbank/DB.dat"));
    EXPECT_EQ(form->viewer()->core().selStart(), descriptor.indexOf("M\xC3\xBCller.txt"));
    EXPECT_EQ(child<QPlainTextEdit>(*form, "ViewerMemo")->textCursor().selectedText(),
              QStringLiteral("Müller"));
    EXPECT_EQ(base.read(QStringLiteral("Datenbank/Suchwoerterlisten/DB_Ansi_Suchwoerterliste.txt")),
              "#müller\r\n");
    EXPECT_TRUE(form->isVisible());
}

TEST_F(TSuchFormTest, EnterWithoutHashAsksTheCountAndNeinSearchesNothing)
{
    build();
    auto form = show();
    auto* field = child<QLineEdit>(*form, "TntEdit2");
    field->setText(QStringLiteral("müller"));
    form->repaint();
    CountAnswer answer;
    answerCountDialog(form.get(), false, &answer);
    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_TRUE(answer.asked);
    EXPECT_TRUE(answer.text.startsWith(
        QStringLiteral("\"müller\" wurde in der Datenbank 3 mal gefunden.")));
    EXPECT_EQ(answer.focused, QStringLiteral("JAButton")); // "Lokale Suche" started the count
    EXPECT_FALSE(pagesWritten());
    EXPECT_TRUE(launcher.calls.isEmpty());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_FALSE(form->searchRunning());
}

TEST_F(TSuchFormTest, CountButtonFocusesNeinAndOnlyUtf8HitsLeaveItLoaded)
{
    build();
    auto form = show();
    form->AnsiLadenButtonClick();
    child<QLineEdit>(*form, "TntEdit2")->setText(QStringLiteral("zahlt"));
    form->repaint();
    CountAnswer answer;
    answerCountDialog(form.get(), false, &answer);
    child<QPushButton>(*form, "Anz_FundstellenBtn")->click();
    ASSERT_TRUE(answer.asked);
    EXPECT_EQ(answer.focused, QStringLiteral("NeinButton"));
    EXPECT_TRUE(answer.text.contains(QStringLiteral("In der UTF8-Datei 1 mal,")));
    EXPECT_EQ(form->shownDocument(), Family::Utf8);
    EXPECT_EQ(child<QLineEdit>(*form, "TntEdit1")->text(), QStringLiteral("zahlt"));
    EXPECT_FALSE(pagesWritten());
}

TEST_F(TSuchFormTest, JaSearchesAndWritesThePagesWhileTheViewerStaysAsItWas)
{
    build();
    auto form = show();
    form->AnsiLadenButtonClick();
    form->viewer()->ScrollLineDown(20);
    const qint64 position = form->viewer()->core().viewPos();
    child<QLineEdit>(*form, "TntEdit2")->setText(QStringLiteral("müller"));
    form->AnsiLadenButtonClick(); // the field's change closed the document
    form->viewer()->ScrollLineDown(20);
    form->repaint();
    bool checked = false;
    QObject::connect(form.get(), &QWidget::windowTitleChanged, form.get(),
                     [&](const QString& title) {
                         if (checked || title != QStringLiteral("Suche läuft..."))
                             return;
                         checked = true;
                         // A paint during the run enables nothing, and the viewer shows what it
                         // showed.
                         form->repaint();
                         EXPECT_FALSE(child<QPushButton>(*form, "OKBtn")->isEnabled());
                         EXPECT_FALSE(child<QPushButton>(*form, "AnsiLadenButton")->isEnabled());
                         EXPECT_EQ(form->viewer()->fileName(),
                                   paths.document(QStringLiteral("DB"), Family::Ansi));
                         EXPECT_EQ(form->viewer()->core().viewPos(), position);
                     });
    CountAnswer answer;
    answerCountDialog(form.get(), true, &answer);
    child<QPushButton>(*form, "OKBtn")->click();
    EXPECT_TRUE(checked);
    EXPECT_EQ(form->hitList().size(), 3);
    EXPECT_TRUE(pagesWritten());
    EXPECT_EQ(launcher.calls.size(), 1);
    EXPECT_EQ(form->result(), QDialog::Accepted);
    const SearchTermList::SearchOutcome outcome = form->searchOutcome();
    EXPECT_TRUE(outcome.documentShown);
    EXPECT_EQ(outcome.documentHit, (std::array<bool, 3>{true, true, true}));
    EXPECT_TRUE(child<QPushButton>(*form, "OKBtn")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(*form, "GrossKleinBeachten")->isEnabled());
}

TEST_F(TSuchFormTest, EscOutsideARunClosesWithCancel)
{
    build();
    auto form = show();
    QTest::keyClick(child<QLineEdit>(*form, "TntEdit2"), Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible()); // Timer3 acts, not the key itself
    form->Timer3Timer();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
}

TEST_F(TSuchFormTest, OneCharacterIsRefusedAndTheControlsComeBack)
{
    write(QStringLiteral("a.txt"), "a b c");
    index(true);
    auto form = show(true);
    child<QLineEdit>(*form, "TntEdit2")->setText(QStringLiteral(" a "));
    form->OKBtnClick();
    EXPECT_EQ(ui.informations,
              QStringList{QStringLiteral(
                  "Nur ein Zeichen als Suchtext ist bei der \"Suche\" nicht erlaubt")});
    EXPECT_TRUE(form->hitList().isEmpty());
    EXPECT_TRUE(form->searchFailed()); // the main window then says no "Fertig"
    for (const char* name : {"GrossKleinBeachten", "NurGanzeWoerterCheckBox"})
        EXPECT_TRUE(child<QCheckBox>(*form, name)->isEnabled()) << name;
    EXPECT_TRUE(child<QLineEdit>(*form, "TntEdit2")->isEnabled());
}

// A long Unicode paragraph wraps at the viewer's width: the next screen line starts where
// the one before ends, after at most the blank the line was broken at.
TEST_F(TSuchFormTest, UnicodeParagraphWrapsInTheWindow)
{
    QString paragraph;
    for (int i = 0; i < 40; ++i)
        paragraph += QStringLiteral("Grüße Ωμέγα Привет 東京 %1 ").arg(i);
    write(QStringLiteral("wide.txt"), utf16le(paragraph + QStringLiteral("\r\n")));
    index();
    auto form = show();
    form->UnicodeLadenButtonClick();
    auto* viewer = child<TATBinHex>(*form, "Viewer");
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer->screenLines().lines().size() > 6; }));
    const QList<TStrPosition>& lines = viewer->screenLines().lines();
    int continuations = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qint64 gap = lines[i].pos - (lines[i - 1].pos + 2 * lines[i - 1].text.size());
        if ((gap == 0 || gap == 2) && lines[i - 1].text.contains(QStringLiteral("Ωμέγα")))
            ++continuations;
    }
    EXPECT_GE(continuations, 2);
}
