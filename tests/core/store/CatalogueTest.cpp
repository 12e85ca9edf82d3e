#include "store/Catalogue.h"

#include "platform/FileFacts.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace catalogue;

class CatalogueTest : public testing::Test {
protected:
    CatalogueTest() : paths(drive.program(QStringLiteral("Basis\\")))
    {
        drive.makeFolder(QStringLiteral("Basis"));
        ensureFolderTree(paths, ui);
    }

    void addDatabase(const QString& name) { drive.write(db(name + QStringLiteral(".dat")), "x"); }
    static QString db(const QString& file) { return QStringLiteral("Basis/Datenbank/") + file; }
    bool has(const QString& relative) const { return QFile::exists(drive.native(relative)); }

    MappedDrive drive;
    RecordingUserInterface ui;
    DatabasePaths paths;
};

TEST_F(CatalogueTest, FolderTreeIsCreatedWithoutWarnings)
{
    EXPECT_TRUE(ui.warnings.isEmpty());
    EXPECT_TRUE(QDir(drive.native(QStringLiteral("Basis/Datenbank/Suchwoerterlisten"))).exists());
    EXPECT_TRUE(QDir(drive.native(QStringLiteral("Basis/Datenbank/Temp"))).exists());
    EXPECT_FALSE(QDir(drive.native(QStringLiteral("Basis/Datenbank/Temp/ZipTemp"))).exists());
}

TEST_F(CatalogueTest, FolderThatCannotBeMadeIsReportedAndTheRestGoesOn)
{
    drive.write(QStringLiteral("Blocked/Datenbank"), "a file in the way");
    const DatabasePaths blocked(drive.program(QStringLiteral("Blocked")));
    ensureFolderTree(blocked, ui);
    ASSERT_EQ(ui.warnings.size(), 3);
    EXPECT_EQ(ui.warnings[0],
              QStringLiteral("Kann das Verzeichnis D:\\Blocked\\Datenbank nicht anlegen!"));
}

TEST_F(CatalogueTest, ListsDescriptorsWithoutMhtFilesInNameOrder)
{
    for (const char* name : {"notes", "Zeta", "my.database", "Alpha", "Notes_mht", "NOTES_MHT"})
        addDatabase(QLatin1String(name));
    drive.write(db(QStringLiteral("Other.DAT")), "x");
    drive.write(db(QStringLiteral("readme.txt")), "x");
    drive.write(db(QStringLiteral("Haupt_Dateinamen_Liste_Laufwerk_D.txt")), "x");
    // "Other.DAT" opens as "Other.dat" only where names are compared without case.
    const QStringList expected =
        platform::exists(paths.descriptor(QStringLiteral("Other")))
            ? QStringList({"Alpha", "my.database", "notes", "Other", "Zeta"})
            : QStringList({"Alpha", "my.database", "notes", "Zeta"});
    EXPECT_EQ(databaseNames(paths), expected);
}

TEST_F(CatalogueTest, EmptyFolderListsNothingAndSelectsNothing)
{
    const Listing listing =
        LiesNamenDatenbanken(paths, true, QStringLiteral("2"), QStringLiteral("x"));
    EXPECT_TRUE(listing.names.isEmpty());
    EXPECT_EQ(listing.selectedIndex, -1);
}

TEST_F(CatalogueTest, UpdateModeSelectsTheStoredIndexInsideTheList)
{
    for (const char* name : {"A", "B", "C"})
        addDatabase(QLatin1String(name));
    EXPECT_EQ(LiesNamenDatenbanken(paths, true, QStringLiteral("2"), QString()).selectedIndex, 2);
    EXPECT_EQ(LiesNamenDatenbanken(paths, true, QString(), QString()).selectedIndex, 0);
    for (const char* outside : {"3", "-5", "abc"})
        EXPECT_EQ(
            LiesNamenDatenbanken(paths, true, QLatin1String(outside), QString()).selectedIndex, 0)
            << outside;
}

TEST_F(CatalogueTest, NewNameSelectsTheLastEntryContainingIt)
{
    for (const char* name : {"Briefe", "Briefe2020", "Notizen"})
        addDatabase(QLatin1String(name));
    const Listing listing =
        LiesNamenDatenbanken(paths, false, QStringLiteral("2"), QStringLiteral("Brief"));
    EXPECT_EQ(listing.selectedIndex, 1);
    EXPECT_TRUE(listing.runSelectionHandler);
    // Containment is case-sensitive.
    EXPECT_EQ(
        LiesNamenDatenbanken(paths, false, QString(), QStringLiteral("notizen")).selectedIndex, -1);
    EXPECT_EQ(LiesNamenDatenbanken(paths, false, QString(), QString()).selectedIndex, -1);
}

TEST_F(CatalogueTest, DeletingADatabaseRemovesAllItsFilesButNotTheDriveList)
{
    const QString name = QStringLiteral("Notes");
    QStringList files = {paths.descriptor(name), paths.log(name),
                         paths.searchTermListWithoutDocuments(name)};
    for (const Family family : kFamilies) {
        files << paths.document(name, family) << paths.titlePositions(name, family)
              << paths.phraseList(name, family) << paths.searchTermList(name, family);
    }
    for (QString file : files)
        drive.write(file.mid(3).replace(u'\\', u'/'), "x");
    addDatabase(QStringLiteral("Notes2"));
    drive.write(db(QStringLiteral("Haupt_Dateinamen_Liste_Laufwerk_D.txt")), "x");

    deleteDatabaseFiles(Database(paths, name));
    for (QString file : files)
        EXPECT_FALSE(has(file.mid(3).replace(u'\\', u'/'))) << file.toStdString();
    EXPECT_TRUE(has(db(QStringLiteral("Haupt_Dateinamen_Liste_Laufwerk_D.txt"))));
    EXPECT_EQ(databaseNames(paths), QStringList({"Notes2"}));
}

TEST_F(CatalogueTest, DeletingDocumentsKeepsTheDatabaseListedAsPathListOnly)
{
    const QString name = QStringLiteral("Notes");
    addDatabase(name);
    for (const Family family : kFamilies) {
        drive.write(db(QStringLiteral("Notes_%1Dokument.txt").arg(documentFamilyName(family))),
                    "x");
        drive.write(db(QStringLiteral("Notes_%1_TitelPositionen.txt").arg(familyName(family))),
                    "x");
    }
    drive.write(db(QStringLiteral("Notes_Phrasen_Woerter_AnsiListe.txt")), "x");
    EXPECT_FALSE(isPathListOnly(Database(paths, name)));

    deleteDocumentFiles(Database(paths, name));
    EXPECT_EQ(databaseNames(paths), QStringList({"Notes"}));
    EXPECT_TRUE(isPathListOnly(Database(paths, name)));
    EXPECT_FALSE(has(db(QStringLiteral("Notes_Utf8_TitelPositionen.txt"))));
    EXPECT_TRUE(has(db(QStringLiteral("Notes_Phrasen_Woerter_AnsiListe.txt"))));
}

TEST_F(CatalogueTest, ConfirmationTexts)
{
    EXPECT_EQ(deleteDatabaseQuestion(QStringLiteral("Notes")),
              QStringLiteral("Möchten Sie die Datenbank \"Notes\" wirklich löschen?"));
    EXPECT_EQ(deleteDocumentsQuestion(QStringLiteral("Notes")),
              QStringLiteral("Möchten Sie die Daten von \"Notes\" wirklich löschen?\r\n"
                             "Die Suche funktioniert danach noch, aber langsamer."));
}

TEST_F(CatalogueTest, EmptyingTempRemovesSubfoldersAndKeepsTheFolder)
{
    drive.write(QStringLiteral("Basis/Datenbank/Temp/NB_Ergebnis.htm"), "x");
    drive.write(QStringLiteral("Basis/Datenbank/Temp/Split/SplitDokument001.txt"), "x");
    drive.write(QStringLiteral("Basis/Datenbank/Temp/.hidden"), "x");
    EXPECT_TRUE(emptyTempFolder(paths));
    EXPECT_TRUE(QDir(drive.native(QStringLiteral("Basis/Datenbank/Temp")))
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());
    EXPECT_TRUE(has(QStringLiteral("Basis/Datenbank/Temp")));
}
