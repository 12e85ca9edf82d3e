#include "searchwindow/SortListPanel.h"
#include "searchwindow/TSuchForm.h"

#include "lists/SortListTestSupport.h"
#include "searchwindow/SearchWindowFixture.h"
#include "searchwindow/ShownSearchWindow.h"
#include "widgets/TATBinHex.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QThread>

using namespace searchwindowtest;
using Kind = sortedlists::BuildEnd::Kind;
using sortlist::SortMode;

namespace {

// A database "DB" whose three documents are long enough for many pieces and spilled runs
// under the test's small limits.
class SortPanelTest : public DatabaseFixture {
protected:
    void build(int lines = 600)
    {
        const QString text = generatedDocumentText(11, lines) + QStringLiteral("Straße Ähre\r\n");
        write(QStringLiteral("ansi.txt"), encodedDocument(text, Family::Ansi));
        write(QStringLiteral("utf8.txt"), encodedDocument(text, Family::Utf8));
        write(QStringLiteral("wide.txt"), encodedDocument(text, Family::Unicode));
        index();
        for (const Family family : kFamilies)
            ASSERT_GT(document(family).size(), 5) << int(family);
    }
    static SortListLimits smallLimits()
    {
        SortListLimits limits;
        limits.pieceSize = 500;
        limits.runBudget = 8192;
        limits.eventIntervalMs = 0;
        return limits;
    }
    std::unique_ptr<TSuchForm> show()
    {
        auto form = showSearchWindow(paths, ui, launcher);
        form->findChild<SortListPanel*>(QStringLiteral("SortPanel"))->setLimits(smallLimits());
        form->openSortPanel();
        return form;
    }
    template <typename W = QWidget> static W* child(const TSuchForm& form, const char* name)
    {
        W* found = form.findChild<W*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QPushButton* button(const TSuchForm& form, const char* name)
    {
        return child<QPushButton>(form, name);
    }
    QString listPath(Family family) const
    {
        return base.native(relative(paths.phraseList("DB", family)));
    }
    static QString relative(const QString& programPath)
    {
        return programPath.mid(3).replace(u'\\', u'/');
    }
    QByteArray list(Family family) const
    {
        return base.read(relative(paths.phraseList("DB", family)));
    }
    void writeOldLists()
    {
        for (const Family family : kFamilies)
            base.write(relative(paths.phraseList("DB", family)), "alt\r\n");
    }
    QStringList tempEntries() const
    {
        return QDir(base.native(QStringLiteral("Datenbank/Temp")))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
    // The controls a user could operate now.
    static QStringList liveControls(const TSuchForm& form)
    {
        QStringList live;
        for (const QWidget* widget : form.findChildren<QWidget*>()) {
            if (widget->isVisible() && widget->isEnabled() &&
                widget->focusPolicy() != Qt::NoFocus &&
                !widget->objectName().startsWith(QLatin1String("qt_")))
                live.append(widget->objectName());
        }
        return live;
    }
    // Runs `step` at every event pass the build lets through, with the pass's number.
    static QTimer* duringBuild(TSuchForm& form, std::function<void(int)> step)
    {
        auto* timer = new QTimer(&form);
        timer->setInterval(0);
        QObject::connect(timer, &QTimer::timeout, &form,
                         [timer, step, pass = 0]() mutable { step(++pass); });
        timer->start();
        return timer;
    }
};

} // namespace

struct ModeCase {
    const char* name;
    const char* radio;
    SortMode mode;
};

class SortPanelModeTest : public SortPanelTest, public testing::WithParamInterface<ModeCase> {};

// The buttons build, in the chosen mode, exactly the lists of the command line's core build;
// the panel ends with "Fertig", an empty caption and Temp, and controls enabled again.
TEST_P(SortPanelModeTest, ButtonsBuildTheListsOfTheCoreBuilder)
{
    build();
    writeOldLists();
    auto form = show();
    EXPECT_TRUE(child(*form, "Bevel5")->isVisible());
    EXPECT_FALSE(child(*form, "Panel2")->isVisible());
    child<QRadioButton>(*form, GetParam().radio)->click();
    button(*form, "SortierteListenErstellenButton")->click();

    EXPECT_EQ(child<QLabel>(*form, "Label4")->text(), QStringLiteral("Fertig"));
    EXPECT_TRUE(form->windowTitle().isEmpty());
    EXPECT_EQ(child<QProgressBar>(*form, "ProgressBar1")->value(), 0);
    EXPECT_TRUE(tempEntries().isEmpty());
    EXPECT_TRUE(ui.informations.isEmpty() && ui.warnings.isEmpty())
        << ui.warnings.join(u'\n').toStdString();
    for (const char* name : {"TntEdit2", "AnsiLadenButton", "UTF8LadenButton", "UnicodeLadenButton",
                             "SortierteListenErstellenButton", "CancelBtn"})
        EXPECT_TRUE(child(*form, name)->isEnabled()) << name;

    std::array<QByteArray, 3> fromWindow;
    for (const Family family : kFamilies) {
        fromWindow[int(family)] = list(family);
        EXPECT_NE(fromWindow[int(family)], QByteArray("alt\r\n"));
        QFile::remove(listPath(family));
    }
    RecordingTaskProgress reporter;
    ASSERT_EQ(
        sortedlists::buildAllLists(Database(paths, QStringLiteral("DB")), GetParam().mode, reporter)
            .kind,
        Kind::Finished);
    for (const Family family : kFamilies)
        EXPECT_EQ(fromWindow[int(family)], list(family)) << int(family);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SortPanelModeTest,
    testing::Values(ModeCase{"Words", "nurWoerterButton", SortMode::Words},
                    ModeCase{"Phrases", "nurSaetzeButton", SortMode::Phrases},
                    ModeCase{"Both", "WoerterUndSaetzeButton", SortMode::WordsAndPhrases}),
    [](const testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

// Mid-build only the panel's cancel button is live; pressing it stops the build, keeps every
// old list, empties Temp, closes the panel and gives the window its controls back. Esc
// during the next build cancels it as the button does; the window then closes.
TEST_F(SortPanelTest, CancelOrEscMidBuildKeepsTheOldLists)
{
    build(3000);
    writeOldLists();
    auto form = show();
    QStringList liveDuringBuild;
    QString captionAfterCancel;
    bool runsSeen = false;
    QTimer* steps = duringBuild(*form, [&](int pass) {
        if (pass == 5)
            liveDuringBuild = liveControls(*form);
        runsSeen = runsSeen || !tempEntries().isEmpty();
        if (pass == 5) {
            // Clicks on the disabled controls reach nothing.
            QTest::mouseClick(button(*form, "OKBtn"), Qt::LeftButton);
            QTest::mouseClick(button(*form, "SortierteListenErstellenButton"), Qt::LeftButton);
        }
        if (runsSeen && captionAfterCancel.isEmpty()) {
            QTest::mouseClick(button(*form, "SortAbbrechenButton"), Qt::LeftButton);
            captionAfterCancel = form->windowTitle();
        }
    });
    button(*form, "SortierteListenErstellenButton")->click();
    delete steps;

    EXPECT_EQ(liveDuringBuild, QStringList{QStringLiteral("SortAbbrechenButton")});
    EXPECT_TRUE(runsSeen);
    EXPECT_EQ(captionAfterCancel, sortedlists::cancelCaption());
    for (const Family family : kFamilies)
        EXPECT_EQ(list(family), QByteArray("alt\r\n")) << int(family);
    EXPECT_TRUE(tempEntries().isEmpty());
    EXPECT_FALSE(child(*form, "Bevel5")->isVisible());
    EXPECT_TRUE(child(*form, "Panel2")->isVisible());
    EXPECT_EQ(child<QLabel>(*form, "Label4")->text(), QStringLiteral("Sortierte Liste von: "));
    EXPECT_TRUE(form->windowTitle().isEmpty());
    EXPECT_TRUE(form->isVisible());
    for (const char* name : {"TntEdit2", "AnsiLadenButton", "UTF8LadenButton", "UnicodeLadenButton",
                             "TntEdit1", "CancelBtn", "SpeedButton1"})
        EXPECT_TRUE(child(*form, name)->isEnabled()) << name;

    form->openSortPanel();
    duringBuild(*form, [&](int pass) {
        if (pass == 3)
            QTest::keyClick(button(*form, "SortAbbrechenButton"), Qt::Key_Escape);
        if (pass > 3)
            QThread::msleep(2); // the build outlasts Timer3's 100 ms
    });
    button(*form, "SortierteListenErstellenButton")->click();
    for (const Family family : kFamilies)
        EXPECT_EQ(list(family), QByteArray("alt\r\n")) << int(family);
    EXPECT_TRUE(tempEntries().isEmpty());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_FALSE(child(*form, "Bevel5")->isVisibleTo(form.get()));
}

// After a build the load buttons follow the documents; the shown document's list opens in
// the viewer, and the in-document search then searches the list, not the document.
TEST_F(SortPanelTest, FinishedListOpensInTheViewerAndIsSearchedThere)
{
    build();
    QFile::remove(base.native(QStringLiteral("Datenbank/DB_UnicodeDokument.txt")));
    auto form = show();
    button(*form, "AnsiLadenButton")->click();
    ASSERT_FALSE(button(*form, "ZeilenAlsListeSortieren")->isEnabled());
    button(*form, "SortierteListenErstellenButton")->click();
    EXPECT_TRUE(form->viewer()->fileName().isEmpty()); // the build closed the document
    EXPECT_TRUE(button(*form, "AnsiLadenButton")->isEnabled());
    EXPECT_TRUE(button(*form, "UTF8LadenButton")->isEnabled());
    EXPECT_FALSE(button(*form, "UnicodeLadenButton")->isEnabled());
    EXPECT_FALSE(QFile::exists(listPath(Family::Unicode)));

    for (const Family family : {Family::Ansi, Family::Utf8}) {
        button(*form, family == Family::Ansi ? "AnsiLadenButton" : "UTF8LadenButton")->click();
        ASSERT_TRUE(button(*form, "ZeilenAlsListeSortieren")->isEnabled());
        button(*form, "ZeilenAlsListeSortieren")->click();
        EXPECT_EQ(form->viewer()->fileName(), paths.phraseList(QStringLiteral("DB"), family));
        EXPECT_EQ(child<QLabel>(*form, "Label8")->text(),
                  family == Family::Ansi ? QStringLiteral("Sortierte ANSI-Liste von DB: \"DB\"")
                                         : QStringLiteral("Sortierte UTF8-Liste von DB: \"DB\""));
        EXPECT_FALSE(button(*form, "LesezeichenBtn")->isVisible());
        EXPECT_TRUE(button(*form, "WeiterSuche")->isEnabled());

        // "Straße" stands far later in the document than in the list.
        child<QLineEdit>(*form, "TntEdit1")->setText(QStringLiteral("Straße"));
        form->WeiterSucheClick();
        const QByteArray bytes = list(family);
        const QByteArray word = encodedDocument(QStringLiteral("Straße"), family);
        EXPECT_EQ(form->viewer()->core().selStart(), bytes.indexOf(word)) << int(family);
        EXPECT_EQ(form->viewer()->GetSelText(), word);
    }
}

// A document that vanishes mid-build: the German message, the old lists stay, the panel does
// not claim "Fertig", and the window works on. (The other bad inputs: SortedListBadInputTest.)
// With no document left the information box comes and nothing else.
TEST_F(SortPanelTest, AVanishedDocumentGivesAMessageAndNoDocumentsTheInformation)
{
    build(3000);
    writeOldLists();
    auto form = show();
    QTimer* steps = duringBuild(*form, [&](int pass) {
        if (pass == 10) // while counting
            QFile::remove(base.native(QStringLiteral("Datenbank/DB_AnsiDokument.txt")));
    });
    button(*form, "SortierteListenErstellenButton")->click();
    delete steps;

    ASSERT_EQ(ui.warnings.size(), 1);
    EXPECT_TRUE(ui.warnings[0].startsWith(QStringLiteral(
        "Das Dokument E:\\Datenbank\\DB_AnsiDokument.txt kann nicht gelesen werden")))
        << ui.warnings[0].toStdString();
    for (const Family family : kFamilies)
        EXPECT_EQ(list(family), QByteArray("alt\r\n")) << int(family);
    EXPECT_EQ(child<QLabel>(*form, "Label4")->text(), sortedlists::failedLabel());
    EXPECT_TRUE(form->windowTitle().isEmpty());
    EXPECT_TRUE(child(*form, "Bevel5")->isVisible());
    EXPECT_TRUE(button(*form, "SortierteListenErstellenButton")->isEnabled());
    EXPECT_TRUE(child(*form, "TntEdit2")->isEnabled());

    for (const Family family : {Family::Utf8, Family::Unicode})
        QFile::remove(base.native(
            QStringLiteral("Datenbank/DB_%1Dokument.txt").arg(documentFamilyName(family))));
    button(*form, "SortierteListenErstellenButton")->click();
    EXPECT_EQ(ui.informations, QStringList{sortedlists::noDocumentsMessage(QStringLiteral("DB"))});
    EXPECT_EQ(ui.warnings.size(), 1);
    EXPECT_EQ(child<QLabel>(*form, "Label4")->text(), sortedlists::failedLabel()); // unchanged
    EXPECT_TRUE(form->windowTitle().isEmpty());
    EXPECT_TRUE(button(*form, "SortierteListenErstellenButton")->isEnabled());
}
