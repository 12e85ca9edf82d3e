#include "models/MainFormModel.h"

#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace settings;

class MainFormModelTest : public testing::Test {
protected:
    void addDatabase(const QString& name)
    {
        drive.write(QStringLiteral("Datenbank/") + name + QStringLiteral(".dat"), "x");
    }
    void create(int screenWidth = 1920)
    {
        model.create(false, drive.native(), QStringLiteral("/nowhere"), screenWidth);
    }

    IsolatedSettings isolated;
    MappedDrive drive;
    RecordingUserInterface ui;
    SettingsStore store;
    MainFormModel model{store, ui};
};

TEST_F(MainFormModelTest, FirstStartOnANarrowScreenStillWrites1024)
{
    create(800);
    EXPECT_EQ(model.paths().baseFolder(), QStringLiteral("D:\\"));
    EXPECT_TRUE(QDir(drive.native(QStringLiteral("Datenbank/Temp"))).exists());
    EXPECT_EQ(store.read(kWidth), QStringLiteral("1024"));
    EXPECT_EQ(model.mainWindowSize(), QSize(1024, 506));
    EXPECT_EQ(model.searchWindowSize(), QSize(1024, 500));
    EXPECT_TRUE(ui.warnings.isEmpty());
}

TEST_F(MainFormModelTest, NarrowScreenWidthIsTheFallbackWhenWidthIsMissingLater)
{
    store.write(kSelectedDatabase, QStringLiteral("0"));
    create(800);
    EXPECT_EQ(model.mainWindowSize(), QSize(800, 506));
}

TEST_F(MainFormModelTest, SizeThatIsNoNumberWarnsAndFallsBack)
{
    store.write(kSelectedDatabase, QStringLiteral("0"));
    store.write(kHeight, QStringLiteral("x"));
    store.write(kWidth, QStringLiteral("-5"));
    create();
    ASSERT_EQ(ui.warnings.size(), 1);
    EXPECT_TRUE(ui.warnings[0].contains(QStringLiteral("\"x\"")));
    EXPECT_EQ(model.mainWindowSize(), QSize(1024, 506));
}

TEST_F(MainFormModelTest, StoredSelectionOutsideTheListSelectsTheFirst)
{
    for (const char* name : {"A", "B", "C"})
        addDatabase(QLatin1String(name));
    create();
    for (const char* stored : {"3", "-1", "-5", "abc", "7"}) {
        store.write(kSelectedDatabase, QLatin1String(stored));
        EXPECT_EQ(model.listAtFirstPaint().selectedIndex, 0) << stored;
    }
    store.write(kSelectedDatabase, QStringLiteral("2"));
    EXPECT_EQ(model.listAtFirstPaint().selectedIndex, 2);
    // Only the text that is no number is reported.
    ASSERT_EQ(ui.warnings.size(), 1);
    EXPECT_TRUE(ui.warnings[0].contains(QStringLiteral("\"abc\"")) &&
                ui.warnings[0].contains(kSelectedDatabase));
}

TEST_F(MainFormModelTest, AViewerFontSizeThatIsNoNumberIsReportedAndStandard)
{
    create();
    store.write(kViewerFontSize, QStringLiteral("groß"));
    model.listAtFirstPaint();
    ASSERT_EQ(ui.warnings.size(), 1);
    EXPECT_TRUE(ui.warnings[0].contains(QStringLiteral("\"groß\"")) &&
                ui.warnings[0].contains(kViewerFontSize));
    model.close(-1, 0, QSize(900, 600));
    EXPECT_EQ(store.read(kViewerFontSize), QStringLiteral("10"));
}

TEST_F(MainFormModelTest, SelectingADatabaseWithoutAllDocumentsOffersOnlyTheWholeDelete)
{
    addDatabase(QStringLiteral("Notes"));
    drive.write(QStringLiteral("Datenbank/Notes_AnsiDokument.txt"), "x");
    drive.write(QStringLiteral("Datenbank/Notes_UTF8Dokument.txt"), "x");
    create();
    model.selectDatabase(0, QStringLiteral("Notes"));
    EXPECT_TRUE(model.pathListOnly());
    EXPECT_EQ(model.deleteItemCaption(), QStringLiteral("Datenbank löschen!"));
    EXPECT_FALSE(model.deleteDocumentsItemEnabled());
    EXPECT_EQ(store.read(kSelectedDatabase), QStringLiteral("0"));

    drive.write(QStringLiteral("Datenbank/Notes_UnicodeDokument.txt"), "x");
    model.selectDatabase(0, QStringLiteral("Notes"));
    EXPECT_EQ(model.deleteItemCaption(), QStringLiteral("Datenbank komplett löschen!"));
    EXPECT_TRUE(model.deleteDocumentsItemEnabled());
}

TEST_F(MainFormModelTest, DeleteAsksAndOnlyYesDeletes)
{
    addDatabase(QStringLiteral("Notes"));
    create();
    model.selectDatabase(0, QStringLiteral("Notes"));
    ui.answers = {false};
    EXPECT_FALSE(model.deleteSelectedDatabase());
    EXPECT_EQ(model.relist(), QStringList({"Notes"}));
    ui.answers = {true};
    EXPECT_TRUE(model.deleteSelectedDatabase());
    EXPECT_TRUE(model.relist().isEmpty());
    EXPECT_EQ(ui.questions.size(), 2);
}

TEST_F(MainFormModelTest, CloseStoresSelectionAndSizesAndEmptiesTemp)
{
    addDatabase(QStringLiteral("Notes"));
    create();
    store.write(kColor, QString());
    drive.write(QStringLiteral("Datenbank/Temp/NB_Ergebnis.htm"), "x");
    model.close(-1, 1, QSize(900, 600));
    EXPECT_EQ(store.read(kSelectedDatabase), QStringLiteral("0"));
    EXPECT_EQ(store.read(kColor), QStringLiteral("clBlack"));
    EXPECT_EQ(store.read(kHeight), QStringLiteral("600"));
    EXPECT_EQ(store.read(kWidth), QStringLiteral("900"));
    EXPECT_FALSE(QFile::exists(drive.native(QStringLiteral("Datenbank/Temp/NB_Ergebnis.htm"))));

    model.close(-1, 0, QSize(900, 600));
    EXPECT_EQ(store.read(kSelectedDatabase), QStringLiteral("-1"));
}

// What the search window will own is written back as it was read, the browser set once.
TEST_F(MainFormModelTest, ViewerFontSizeAndBrowserSurviveAStartAndClose)
{
    create();
    store.write(kViewerFontSize, QStringLiteral("14"));
    store.write(kBrowser, QString());
    model.listAtFirstPaint();
    store.write(kViewerFontSize, QStringLiteral("99"));
    EXPECT_EQ(store.read(kBrowser), QStringLiteral("standard"));
    model.close(-1, 0, QSize(900, 600));
    EXPECT_EQ(store.read(kViewerFontSize), QStringLiteral("14"));
}

TEST_F(MainFormModelTest, CaptionSaysWhenRunningAsAdministrator)
{
    EXPECT_EQ(MainFormModel::caption(false),
              QStringLiteral("  Nimbra-Doviruzu -  Die Suchmaschine für Doviruzu-Dokumente."));
    EXPECT_EQ(MainFormModel::caption(true),
              QStringLiteral("Nimbra-Doviruzu - Mit Administratorberechtigung gestartet."));
}

TEST_F(MainFormModelTest, ControlFolderCountsOnlyInsideTheBaseFolder)
{
    store.write(kControlFolder, QStringLiteral("d:\\"));
    create();
    EXPECT_EQ(model.controlFolder(), QStringLiteral("d:\\"));
    MainFormModel other(store, ui);
    store.write(kControlFolder, QStringLiteral("E:\\Steuer"));
    other.create(false, drive.native(), QString(), 1920);
    EXPECT_TRUE(other.controlFolder().isEmpty());
}

// A re-index fills the dialog from the descriptor's header; without one the fields stay
// empty for the user to fill.
TEST_F(MainFormModelTest, ReindexFieldsComeFromTheDescriptorHeader)
{
    create();
    drive.write(QStringLiteral("Datenbank/Texte.dat"),
                "PFAD_UND_ENDUNGEN= D:\\Texte *.txt *.csv   \r\nD:\\Texte\\a.txt\r\n");
    const MainFormModel::UpdateFields fields = model.updateFields(QStringLiteral("Texte"));
    EXPECT_EQ(fields.folder, QStringLiteral("D:\\Texte"));
    EXPECT_EQ(fields.extensions, QStringLiteral("*.TXT *.CSV   "));
    EXPECT_FALSE(fields.withDocuments);

    drive.write(QStringLiteral("Datenbank/Ohne.dat"), "D:\\Texte\\a.txt\r\n");
    const MainFormModel::UpdateFields without = model.updateFields(QStringLiteral("Ohne"));
    EXPECT_TRUE(without.folder.isEmpty());
    EXPECT_TRUE(without.extensions.isEmpty());
    EXPECT_TRUE(model.updateFields(QStringLiteral("Fehlt")).folder.isEmpty());
}
