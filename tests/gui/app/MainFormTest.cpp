#include "app/TMainForm_NB_Klar.h"

#include "searchwindow/TSuchForm.h"
#include "store/Settings.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

class MainFormTest : public testing::Test {
protected:
    MainFormTest()
    {
        for (const char* name : {"Briefe", "Notizen"})
            drive.write(QStringLiteral("Datenbank/%1.dat").arg(QLatin1String(name)), "x");
        settings::SettingsStore().write(settings::kSelectedDatabase, QStringLiteral("1"));
    }

    std::unique_ptr<TMainForm_NB_Klar> show()
    {
        TMainForm_NB_Klar::StartInfo start;
        start.nativeWorkingFolder = drive.native();
        auto form = std::make_unique<TMainForm_NB_Klar>(start, &ui);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        QCoreApplication::processEvents();
        return form;
    }

    IsolatedSettings isolated;
    MappedDrive drive;
    RecordingUserInterface ui;
};

TEST_F(MainFormTest, ListsTheDatabasesAndSelectsTheStoredOne)
{
    auto form = show();
    ASSERT_EQ(form->databaseList()->count(), 2);
    EXPECT_EQ(form->databaseList()->item(0)->text(), QStringLiteral("Briefe"));
    EXPECT_EQ(form->databaseList()->currentRow(), 1);
    EXPECT_EQ(form->model().selectedName(), QStringLiteral("Notizen"));
    EXPECT_TRUE(form->windowTitle().contains(QStringLiteral("Nimbra-Doviruzu")));
    EXPECT_EQ(form->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->text(),
              QStringLiteral("Schli&eßen"));
}

TEST_F(MainFormTest, PopupDeletesTheSelectedDatabaseAfterYes)
{
    auto form = show();
    ui.answers = {true};
    form->popupMenu()->findChild<QAction*>(QStringLiteral("Datenbankloeschen1"))->trigger();
    ASSERT_EQ(ui.questions.size(), 1);
    EXPECT_EQ(ui.questions[0],
              QStringLiteral("Möchten Sie die Datenbank \"Notizen\" wirklich löschen?"));
    ASSERT_EQ(form->databaseList()->count(), 1);
    EXPECT_EQ(form->databaseList()->currentRow(), 0);
    EXPECT_FALSE(QFile::exists(drive.native(QStringLiteral("Datenbank/Notizen.dat"))));
}

TEST_F(MainFormTest, CloseButtonStoresTheSelectionAndEmptiesTemp)
{
    auto form = show();
    drive.write(QStringLiteral("Datenbank/Temp/Split/piece.txt"), "x");
    form->databaseList()->setCurrentRow(0);
    form->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(settings::SettingsStore().read(settings::kSelectedDatabase), QStringLiteral("0"));
    EXPECT_FALSE(QFile::exists(drive.native(QStringLiteral("Datenbank/Temp/Split"))));
}

// Stored sizes beyond any screen (a hand-edited setting) open the window on the screen.
TEST_F(MainFormTest, HugeStoredSizesAreFittedToTheScreen)
{
    const settings::SettingsStore store;
    for (const QString& name :
         {settings::kHeight, settings::kWidth, settings::kSearchHeight, settings::kSearchWidth})
        store.write(name, QStringLiteral("2147483647"));
    auto form = show();
    const QSize available = form->screen()->availableGeometry().size();
    EXPECT_LE(form->width(), available.width());
    EXPECT_LE(form->height(), available.height());
    EXPECT_GE(form->width(), form->minimumWidth());
    // The search window too, once it is shown.
    TSuchForm* search = form->searchWindow();
    search->prepare(QStringLiteral("DB"), true, form->model().searchWindowSize());
    search->show();
    QCoreApplication::processEvents();
    search->repaint();
    // Its controls need a minimum width of their own, beyond the 800 pixels of this screen.
    EXPECT_LE(search->width(), std::max(available.width(), search->minimumWidth()));
    EXPECT_LE(search->height(), available.height());
    search->hide();
    EXPECT_EQ(fitWindowSize({20, 20}, {300, 200}, available), QSize(300, 200));
    EXPECT_EQ(fitWindowSize({900, 700}, {300, 200}, QSize()), QSize(900, 700));
}
