#include "models/MainFormModel.h"

#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace settings;
using namespace Qt::StringLiterals;

class MainFormModelTest : public testing::Test {
protected:
    void addDatabase(const QString& name) { drive.write(u"Datenbank/"_s + name + u".dat"_s, "x"); }
    void create(int screenWidth = 1920)
    {
        model.create(false, drive.native(), u"/nowhere"_s, screenWidth);
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
    EXPECT_EQ(model.paths().baseFolder(), u"D:\\"_s);
    EXPECT_TRUE(QDir(drive.native(u"Datenbank/Temp"_s)).exists());
    EXPECT_EQ(store.read(kWidth), u"1024"_s);
    EXPECT_EQ(model.mainWindowSize(), QSize(1024, 506));
    EXPECT_EQ(model.searchWindowSize(), QSize(1024, 500));
    EXPECT_TRUE(ui.warnings.isEmpty());
}

// Later starts, without the width stored, fall back to a narrow screen's width; a size that
// is no number warns and falls back.
TEST_F(MainFormModelTest, MissingOrBadSizesOfLaterStartsFallBack)
{
    store.write(kSelectedDatabase, u"0"_s);
    create(800);
    EXPECT_EQ(model.mainWindowSize(), QSize(800, 506));

    store.write(kHeight, u"x"_s);
    store.write(kWidth, u"-5"_s);
    MainFormModel other(store, ui);
    other.create(false, drive.native(), u"/nowhere"_s, 1920);
    ASSERT_EQ(ui.warnings.size(), 1);
    EXPECT_TRUE(ui.warnings[0].contains(u"\"x\""_s));
    EXPECT_EQ(other.mainWindowSize(), QSize(1024, 506));
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
    store.write(kSelectedDatabase, u"2"_s);
    EXPECT_EQ(model.listAtFirstPaint().selectedIndex, 2);
    // Only the text that is no number is reported.
    ASSERT_EQ(ui.warnings.size(), 1);
    EXPECT_TRUE(ui.warnings[0].contains(u"\"abc\""_s) &&
                ui.warnings[0].contains(kSelectedDatabase));
}

TEST_F(MainFormModelTest, ADatabaseWithoutAllDocumentsOffersOnlyTheWholeDeleteWhichAsks)
{
    addDatabase(u"Notes"_s);
    drive.write(u"Datenbank/Notes_AnsiDokument.txt"_s, "x");
    drive.write(u"Datenbank/Notes_UTF8Dokument.txt"_s, "x");
    create();
    model.selectDatabase(0, u"Notes"_s);
    EXPECT_TRUE(model.pathListOnly());
    EXPECT_EQ(model.deleteItemCaption(), u"Datenbank löschen!"_s);
    EXPECT_FALSE(model.deleteDocumentsItemEnabled());
    EXPECT_EQ(store.read(kSelectedDatabase), u"0"_s);

    drive.write(u"Datenbank/Notes_UnicodeDokument.txt"_s, "x");
    model.selectDatabase(0, u"Notes"_s);
    EXPECT_EQ(model.deleteItemCaption(), u"Datenbank komplett löschen!"_s);
    EXPECT_TRUE(model.deleteDocumentsItemEnabled());

    // The delete asks, and only a yes deletes.
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
    addDatabase(u"Notes"_s);
    create();
    store.write(kColor, QString());
    drive.write(u"Datenbank/Temp/NB_Ergebnis.htm"_s, "x");
    model.close(-1, 1, QSize(900, 600));
    EXPECT_EQ(store.read(kSelectedDatabase), u"0"_s);
    EXPECT_EQ(store.read(kColor), u"clBlack"_s);
    EXPECT_EQ(store.read(kHeight), u"600"_s);
    EXPECT_EQ(store.read(kWidth), u"900"_s);
    EXPECT_FALSE(QFile::exists(drive.native(u"Datenbank/Temp/NB_Ergebnis.htm"_s)));

    model.close(-1, 0, QSize(900, 600));
    EXPECT_EQ(store.read(kSelectedDatabase), u"-1"_s);
}

// What the search window will own is written back as it was read, the browser set once; a
// font size that is no number is reported and written back as the standard.
TEST_F(MainFormModelTest, ViewerFontSizeAndBrowserSurviveAStartAndClose)
{
    create();
    store.write(kViewerFontSize, u"14"_s);
    store.write(kBrowser, QString());
    model.listAtFirstPaint();
    store.write(kViewerFontSize, u"99"_s);
    EXPECT_EQ(store.read(kBrowser), u"standard"_s);
    model.close(-1, 0, QSize(900, 600));
    EXPECT_EQ(store.read(kViewerFontSize), u"14"_s);

    store.write(kViewerFontSize, u"groß"_s);
    model.listAtFirstPaint();
    ASSERT_EQ(ui.warnings.size(), 1);
    EXPECT_TRUE(ui.warnings[0].contains(u"\"groß\""_s) && ui.warnings[0].contains(kViewerFontSize));
    model.close(-1, 0, QSize(900, 600));
    EXPECT_EQ(store.read(kViewerFontSize), u"10"_s);
}

TEST(MainFormModelCaptionTest, SaysWhenRunningAsAdministrator)
{
    EXPECT_EQ(MainFormModel::caption(false),
              u"  Nimbra-Doviruzu -  Die Suchmaschine für Doviruzu-Dokumente."_s);
    EXPECT_EQ(MainFormModel::caption(true),
              u"Nimbra-Doviruzu - Mit Administratorberechtigung gestartet."_s);
}

TEST_F(MainFormModelTest, ControlFolderCountsOnlyInsideTheBaseFolder)
{
    store.write(kControlFolder, u"d:\\"_s);
    create();
    EXPECT_EQ(model.controlFolder(), u"d:\\"_s);
    MainFormModel other(store, ui);
    store.write(kControlFolder, u"E:\\Steuer"_s);
    other.create(false, drive.native(), QString(), 1920);
    EXPECT_TRUE(other.controlFolder().isEmpty());
}

// A re-index fills the dialog from the descriptor's header; without one the fields stay
// empty for the user to fill.
TEST_F(MainFormModelTest, ReindexFieldsComeFromTheDescriptorHeader)
{
    create();
    drive.write(u"Datenbank/Texte.dat"_s,
                "PFAD_UND_ENDUNGEN= D:\\Texte *.txt *.csv   \r\nD:\\Texte\\a.txt\r\n");
    const MainFormModel::UpdateFields fields = model.updateFields(u"Texte"_s);
    EXPECT_EQ(fields.folder, u"D:\\Texte"_s);
    EXPECT_EQ(fields.extensions, u"*.TXT *.CSV   "_s);
    EXPECT_FALSE(fields.withDocuments);

    drive.write(u"Datenbank/Ohne.dat"_s, "D:\\Texte\\a.txt\r\n");
    const MainFormModel::UpdateFields without = model.updateFields(u"Ohne"_s);
    EXPECT_TRUE(without.folder.isEmpty());
    EXPECT_TRUE(without.extensions.isEmpty());
    EXPECT_TRUE(model.updateFields(u"Fehlt"_s).folder.isEmpty());
}
