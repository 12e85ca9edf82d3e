#include "settings/TEinstellform.h"

#include "app/TMainForm_NB_Klar.h"
#include "dialogs/TOKBottomDlg.h"
#include "searchwindow/TSuchForm.h"
#include "settings/BrowserSymbolPictures.h"
#include "store/Settings.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"
#include "widgets/TATBinHex.h"

#include <QCheckBox>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace settings;
using namespace Qt::StringLiterals;

namespace {

// The one control of that name among the window's own, not those of windows it owns.
QWidget* control(QWidget* window, const QString& name)
{
    QWidget* found = nullptr;
    for (QWidget* each : window->findChildren<QWidget*>(name)) {
        if (each->window() != window)
            continue;
        EXPECT_EQ(found, nullptr) << "two controls named " << name.toStdString();
        found = each;
    }
    EXPECT_NE(found, nullptr) << "no control named " << name.toStdString();
    return found;
}

QColor background(QWidget* widget)
{
    EXPECT_TRUE(widget->autoFillBackground()) << widget->objectName().toStdString();
    return widget->palette().color(QPalette::Window);
}

void expectTextColor(QWidget* window, const QStringList& names, const QColor& color)
{
    for (const QString& name : names) {
        QWidget* each = control(window, name);
        ASSERT_NE(each, nullptr);
        EXPECT_EQ(each->palette().color(QPalette::Active, QPalette::WindowText), color)
            << window->objectName().toStdString() << "." << name.toStdString();
        EXPECT_EQ(each->palette().color(QPalette::Active, QPalette::ButtonText), color)
            << window->objectName().toStdString() << "." << name.toStdString();
    }
}

bool toolTipShownFor(QWidget* widget)
{
    QToolTip::hideText();
    QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), widget->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(widget, &event);
    const bool shown = QToolTip::isVisible();
    QToolTip::hideText();
    return shown;
}

} // namespace

// The real main window with the search window, the new-database dialog and the settings
// window it creates; the colour dialog answers from a script.
class TEinstellformTest : public testing::Test {
protected:
    TEinstellformTest()
    {
        drive.write(u"Datenbank/Briefe.dat"_s, "x");
        store.writeFirstStartDefaultsIfNeeded();
        store.write(kSelectedDatabase, u"0"_s);
    }

    void show()
    {
        TMainForm_NB_Klar::StartInfo start;
        start.nativeWorkingFolder = drive.native();
        main = std::make_unique<TMainForm_NB_Klar>(start, &ui);
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
        QCoreApplication::processEvents();
        settingsForm = main->settingsWindow();
        search = main->searchWindow();
        dialog = main->newDatabaseDialog();
        settingsForm->setColorChooser([this](const QColor&) { return nextColor; });
    }

    // Shown as the main window's SpeedButton2 shows it, without waiting for its end.
    void openSettings()
    {
        settingsForm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(settingsForm));
        QCoreApplication::processEvents();
    }

    void showSearchWindow()
    {
        search->prepare(u"Briefe"_s, true, QSize(1100, 600));
        search->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(search));
        QCoreApplication::processEvents();
    }

    template <typename T = QWidget> T* in(QWidget* window, const QString& name)
    {
        return qobject_cast<T*>(control(window, name));
    }

    // Every window and panel that takes the background colour.
    void expectBackground(const QColor& color)
    {
        for (QWidget* window :
             {static_cast<QWidget*>(main.get()), static_cast<QWidget*>(settingsForm),
              static_cast<QWidget*>(search), static_cast<QWidget*>(dialog)})
            EXPECT_EQ(background(window), color) << window->objectName().toStdString();
        for (const QString& panel :
             {u"PanelLinks"_s, u"PanelRechts"_s, u"PanelUnten"_s, u"ToolBar1"_s, u"Panel2"_s})
            EXPECT_EQ(background(in(search, panel)), color) << panel.toStdString();
    }

    void expectHintColor(const QColor& color)
    {
        const auto& controls = SettingsWindowModel::hintColorControls();
        expectTextColor(main.get(), controls.mainWindow, color);
        expectTextColor(settingsForm, controls.settingsWindow, color);
        expectTextColor(search, controls.searchWindow, color);
        expectTextColor(dialog, controls.newDatabaseDialog, color);
    }

    IsolatedSettings isolated;
    MappedDrive drive;
    SettingsStore store;
    RecordingUserInterface ui;
    std::unique_ptr<TMainForm_NB_Klar> main;
    TEinstellform* settingsForm = nullptr;
    TSuchForm* search = nullptr;
    TOKBottomDlg* dialog = nullptr;
    std::optional<QColor> nextColor;
};

// The stored colours and check boxes are shown at start; the boxes switch the hints.
TEST_F(TEinstellformTest, FirstPaintGivesEveryWindowTheStoredSettings)
{
    store.write(kColor, u"$00203040"_s);
    store.write(kTextColor, u"$0000FFFF"_s);
    store.write(kCopySearchTerm, u"0"_s);
    store.write(kShowViewerHint, u"nein"_s);
    show();
    expectBackground(QColor(0x40, 0x30, 0x20));
    expectHintColor(QColor(0xFF, 0xFF, 0x00));
    // Both settings buttons open this window.
    EXPECT_TRUE(in(main.get(), u"SpeedButton2"_s)->isEnabled());
    EXPECT_TRUE(in(search, u"SpeedButton2"_s)->isEnabled());
    EXPECT_FALSE(in<QCheckBox>(settingsForm, u"SuchtextInClipbrdCheckBox"_s)->isChecked());
    EXPECT_FALSE(in<QCheckBox>(settingsForm, u"KurzhinweisImViewerZeigenCheckBox"_s)->isChecked());
    EXPECT_FALSE(search->viewerHintsShown());
}

TEST_F(TEinstellformTest, ChosenColorsRecolorEveryListedControlAndAreStored)
{
    show();
    openSettings();
    const int width = main->width();
    nextColor = QColor(0x12, 0x34, 0x56);
    settingsForm->FarbenAendernButtonClick();
    EXPECT_EQ(store.read(kColor), u"$00563412"_s);
    expectBackground(QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(main->width(), width);

    nextColor = QColor(0xFF, 0x80, 0x00);
    settingsForm->HinweistexteFarbenAendernButtonClick();
    EXPECT_EQ(store.read(kTextColor), u"$000080FF"_s);
    expectHintColor(QColor(0xFF, 0x80, 0x00));

    // A cancelled colour dialog changes nothing.
    nextColor.reset();
    settingsForm->FarbenAendernButtonClick();
    settingsForm->HinweistexteFarbenAendernButtonClick();
    EXPECT_EQ(store.read(kColor), u"$00563412"_s);
    EXPECT_EQ(store.read(kTextColor), u"$000080FF"_s);
    expectBackground(QColor(0x12, 0x34, 0x56));
}

// Cancel (the button or Esc) puts back the colour and the boxes of the opening and
// stores nothing.
TEST_F(TEinstellformTest, CancelPutsBackTheColorAndTheCheckBoxesOfTheOpening)
{
    store.write(kColor, u"$00102030"_s);
    show();
    openSettings();
    nextColor = QColor(Qt::red);
    settingsForm->FarbenAendernButtonClick();
    expectBackground(QColor(Qt::red));
    in<QPushButton>(settingsForm, u"AbbruchButton"_s)->click();
    EXPECT_FALSE(settingsForm->isVisible());
    EXPECT_EQ(store.read(kColor), u"$00102030"_s);
    expectBackground(QColor(0x30, 0x20, 0x10));

    openSettings();
    auto* copy = in<QCheckBox>(settingsForm, u"SuchtextInClipbrdCheckBox"_s);
    auto* hints = in<QCheckBox>(settingsForm, u"KurzhinweisImViewerZeigenCheckBox"_s);
    copy->setChecked(false);
    hints->setChecked(false);
    QTest::keyClick(settingsForm, Qt::Key_Escape);
    EXPECT_FALSE(settingsForm->isVisible());
    EXPECT_TRUE(copy->isChecked());
    EXPECT_TRUE(hints->isChecked());
    EXPECT_EQ(store.read(kCopySearchTerm), u"1"_s);
    EXPECT_EQ(store.read(kShowViewerHint), u"1"_s);
    EXPECT_TRUE(search->viewerHintsShown());
}

TEST_F(TEinstellformTest, OkStoresTheBoxesAndSwitchesTheViewerHintsAtOnce)
{
    show();
    showSearchWindow();
    auto* memo = in(search, u"ViewerMemo"_s);
    ASSERT_FALSE(memo->toolTip().isEmpty());
    EXPECT_TRUE(toolTipShownFor(memo));
    for (const bool copy : {false, true}) { // the two boxes set opposite: none stands for the other
        const bool hints = !copy;
        openSettings();
        in<QCheckBox>(settingsForm, u"SuchtextInClipbrdCheckBox"_s)->setChecked(copy);
        in<QCheckBox>(settingsForm, u"KurzhinweisImViewerZeigenCheckBox"_s)->setChecked(hints);
        in<QPushButton>(settingsForm, u"OkButton"_s)->click();
        EXPECT_FALSE(settingsForm->isVisible());
        EXPECT_EQ(store.read(kCopySearchTerm), copy ? u"1"_s : u"0"_s);
        EXPECT_EQ(store.read(kShowViewerHint), hints ? u"1"_s : u"0"_s);
        EXPECT_EQ(search->viewerHintsShown(), hints);
        EXPECT_EQ(toolTipShownFor(memo), hints);
    }
}

// The stored size is read at start, the buttons step it within 6 to 72, and the main window
// stores it when it closes.
TEST_F(TEinstellformTest, ViewerFontSizeStaysWithinBoundsAndIsStoredAtClose)
{
    store.write(kViewerFontSize, u"14"_s);
    show();
    EXPECT_EQ(search->viewerFontSize(), 14);
    for (int i = 0; i < 80; ++i)
        settingsForm->SpeedButton1Click();
    EXPECT_EQ(search->viewerFontSize(), 72);
    EXPECT_EQ(QFontInfo(search->viewer()->font()).pointSize(), 72);
    for (int i = 0; i < 80; ++i)
        settingsForm->SpeedButton2Click();
    EXPECT_EQ(search->viewerFontSize(), 6);
    EXPECT_EQ(QFontInfo(search->viewer()->font()).pointSize(), 6);
    settingsForm->SpeedButton1Click();
    main->close();
    EXPECT_EQ(store.read(kViewerFontSize), u"7"_s);
}

TEST_F(TEinstellformTest, RestoreWritesTheStandardsAndAppliesThem)
{
    store.write(kHeight, u"700"_s);
    store.write(kWidth, u"1200"_s);
    store.write(kViewerFontSize, u"20"_s);
    show();
    nextColor = QColor(Qt::yellow);
    settingsForm->FarbenAendernButtonClick();
    settingsForm->HinweistexteFarbenAendernButtonClick();

    in<QPushButton>(settingsForm, u"Button1"_s)->click();
    EXPECT_EQ(store.read(kColor), u"clBlack"_s);
    EXPECT_EQ(store.read(kTextColor), u"clWhite"_s);
    EXPECT_EQ(store.read(kViewerFontSize), u"10"_s);
    EXPECT_EQ(store.read(kSearchHeight), u"500"_s);
    EXPECT_EQ(store.read(kSearchWidth), u"1024"_s);
    expectBackground(Qt::black);
    expectHintColor(Qt::white);
    EXPECT_EQ(search->viewerFontSize(), 10);
    EXPECT_EQ(main->size(), QSize(1024, 506));
    EXPECT_EQ(main->model().searchWindowSize(), QSize(1024, 500));

    // Closing keeps the standards: the sizes of the windows as they are now.
    main->close();
    EXPECT_EQ(store.read(kHeight), u"506"_s);
    EXPECT_EQ(store.read(kWidth), u"1024"_s);
    EXPECT_EQ(store.read(kSearchWidth), u"1024"_s);
    EXPECT_EQ(store.read(kViewerFontSize), u"10"_s);
}

TEST_F(TEinstellformTest, FontAndSortButtonsWorkOnlyWhileTheSearchWindowShows)
{
    show();
    openSettings();
    auto* plus = in<QPushButton>(settingsForm, u"SpeedButton1"_s);
    auto* minus = in<QPushButton>(settingsForm, u"SpeedButton2"_s);
    auto* sort = in<QPushButton>(settingsForm, u"SortierungAnzeigenBitBtn"_s);
    for (QPushButton* each : {plus, minus, sort})
        EXPECT_FALSE(each->isEnabled()) << each->objectName().toStdString();
    EXPECT_EQ(plus->text(), u"+    "_s);
    EXPECT_EQ(minus->text(), u"-    "_s);
    EXPECT_TRUE(plus->icon().isNull());
    settingsForm->hide();

    showSearchWindow();
    openSettings();
    for (QPushButton* each : {plus, minus, sort})
        EXPECT_TRUE(each->isEnabled()) << each->objectName().toStdString();
    EXPECT_TRUE(plus->text().isEmpty());
    EXPECT_TRUE(minus->text().isEmpty());
    EXPECT_FALSE(plus->icon().isNull());
    EXPECT_FALSE(minus->icon().isNull());

    settingsForm->hide();
    search->hide();
    openSettings();
    EXPECT_FALSE(plus->isEnabled());
    EXPECT_EQ(plus->text(), u"+    "_s);
}

TEST_F(TEinstellformTest, SortQuestionNoChangesNothingYesOpensTheSortPanel)
{
    show();
    showSearchWindow();
    openSettings();
    QWidget* sortPanel = in(search, u"Bevel5"_s);
    QWidget* internetPanel = in(search, u"Panel2"_s);

    ui.answers = {false};
    settingsForm->SortierungAnzeigenBitBtnClick();
    ASSERT_EQ(ui.questions.size(), 1);
    EXPECT_TRUE(
        ui.questions[0].startsWith(u"Möchten Sie die Dokumente von \"Briefe\" sortieren?"_s));
    EXPECT_TRUE(settingsForm->isVisible());
    EXPECT_FALSE(sortPanel->isVisible());
    EXPECT_TRUE(internetPanel->isVisible());

    ui.answers = {true};
    settingsForm->SortierungAnzeigenBitBtnClick();
    EXPECT_FALSE(settingsForm->isVisible());
    EXPECT_EQ(settingsForm->result(), QDialog::Rejected);
    EXPECT_TRUE(sortPanel->isVisible());
    EXPECT_FALSE(internetPanel->isVisible());
}

// Two fake browsers on a search path: their symbols show with hints, the others as
// placeholders that keep their place and do not react.
class BrowserSymbolsWindowTest : public testing::Test {
protected:
    BrowserSymbolsWindowTest()
    {
        for (const QString& program : {u"firefox-esr"_s, u"chromium"_s}) {
            bin.write(program, "#!/bin/sh\n");
            QFile(bin.native(program))
                .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        store.write(kBrowser, u"standard"_s);
        form = std::make_unique<TEinstellform>(TEinstellform::Windows{}, ui,
                                               BrowserPrograms({bin.native()}));
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    QLabel* symbol(const QString& name) { return form->findChild<QLabel*>(name); }
    QImage picture(const QString& name) { return symbol(name)->pixmap().toImage(); }

    IsolatedSettings isolated;
    TempFolder bin;
    SettingsStore store;
    RecordingUserInterface ui;
    std::unique_ptr<TEinstellform> form;
};

TEST_F(BrowserSymbolsWindowTest, InstalledBrowsersShowTheirSymbolsAndAClickChoosesOne)
{
    const QImage empty = QPixmap::fromImage(browsersymbolpictures::emptyPicture()).toImage();
    const struct {
        const char* name;
        const char* hint;
    } rows[] = {
        {"standard_Image", "Standard Browser"}, {"ie_Image", ""},    {"edge_Image", ""},
        {"chrome_Image", "Google Chrome"},      {"opera_Image", ""}, {"safari_Image", ""},
        {"firefox_Image", "FireFox"},
    };
    for (const auto& row : rows) {
        const QString name = QString::fromUtf8(row.name);
        ASSERT_NE(symbol(name), nullptr) << row.name;
        EXPECT_TRUE(symbol(name)->isVisible()) << row.name;
        EXPECT_EQ(symbol(name)->toolTip(), QString::fromUtf8(row.hint)) << row.name;
        EXPECT_EQ(picture(name) == empty, *row.hint == '\0') << row.name;
    }
    EXPECT_EQ(picture(u"AktuellerBrowser_Image"_s), picture(u"standard_Image"_s));

    // A click on a placeholder writes nothing, one on an installed symbol chooses it.
    QTest::mouseClick(symbol(u"opera_Image"_s), Qt::LeftButton);
    EXPECT_EQ(store.read(kBrowser), u"standard"_s);
    EXPECT_EQ(picture(u"AktuellerBrowser_Image"_s), picture(u"standard_Image"_s));

    QTest::mouseClick(symbol(u"firefox_Image"_s), Qt::LeftButton);
    EXPECT_EQ(store.read(kBrowser), u"firefox"_s);
    EXPECT_EQ(picture(u"AktuellerBrowser_Image"_s), picture(u"firefox_Image"_s));
}
