#include "store/Catalogue.h"

#include "platform/FileFacts.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace catalogue;
using namespace Qt::StringLiterals;

class CatalogueTest : public testing::Test {
protected:
    CatalogueTest() : paths(drive.program(u"Basis\\"_s))
    {
        drive.makeFolder(u"Basis"_s);
        ensureFolderTree(paths, ui);
    }

    void addDatabase(const QString& name) { drive.write(db(name + u".dat"_s), "x"); }
    static QString db(const QString& file) { return u"Basis/Datenbank/"_s + file; }
    bool has(const QString& relative) const { return QFile::exists(drive.native(relative)); }

    MappedDrive drive;
    RecordingUserInterface ui;
    DatabasePaths paths;
};

TEST_F(CatalogueTest, FolderTreeIsCreatedOrEachFailureReported)
{
    EXPECT_TRUE(ui.warnings.isEmpty());
    EXPECT_TRUE(QDir(drive.native(u"Basis/Datenbank/Suchwoerterlisten"_s)).exists());
    EXPECT_TRUE(QDir(drive.native(u"Basis/Datenbank/Temp"_s)).exists());
    EXPECT_FALSE(QDir(drive.native(u"Basis/Datenbank/Temp/ZipTemp"_s)).exists());
    // A folder that cannot be made is reported and the rest goes on.
    drive.write(u"Blocked/Datenbank"_s, "a file in the way");
    const DatabasePaths blocked(drive.program(u"Blocked"_s));
    ensureFolderTree(blocked, ui);
    ASSERT_EQ(ui.warnings.size(), 3);
    EXPECT_EQ(ui.warnings[0], u"Kann das Verzeichnis D:\\Blocked\\Datenbank nicht anlegen!"_s);
}

TEST_F(CatalogueTest, ListsDescriptorsWithoutMhtFilesInNameOrder)
{
    for (const char* name : {"notes", "Zeta", "my.database", "Alpha", "Notes_mht", "NOTES_MHT"})
        addDatabase(QLatin1String(name));
    drive.write(db(u"Other.DAT"_s), "x");
    drive.write(db(u"readme.txt"_s), "x");
    drive.write(db(u"Haupt_Dateinamen_Liste_Laufwerk_D.txt"_s), "x");
    // "Other.DAT" opens as "Other.dat" only where names are compared without case.
    const QStringList expected =
        platform::exists(paths.descriptor(u"Other"_s))
            ? QStringList({"Alpha", "my.database", "notes", "Other", "Zeta"})
            : QStringList({"Alpha", "my.database", "notes", "Zeta"});
    EXPECT_EQ(databaseNames(paths), expected);
}

TEST_F(CatalogueTest, ListingSelectsTheStoredIndexOrTheLastNamedEntry)
{
    const Listing listing = LiesNamenDatenbanken(paths, true, u"2"_s, u"x"_s);
    EXPECT_TRUE(listing.names.isEmpty());
    EXPECT_EQ(listing.selectedIndex, -1);

    // In update mode the stored index inside the list, else the first.
    for (const char* name : {"A", "B", "C"})
        addDatabase(QLatin1String(name));
    EXPECT_EQ(LiesNamenDatenbanken(paths, true, u"2"_s, QString()).selectedIndex, 2);
    EXPECT_EQ(LiesNamenDatenbanken(paths, true, QString(), QString()).selectedIndex, 0);
    for (const char* outside : {"3", "-5", "abc"})
        EXPECT_EQ(
            LiesNamenDatenbanken(paths, true, QLatin1String(outside), QString()).selectedIndex, 0)
            << outside;

    // A new name selects the last entry containing it, case-sensitively.
    for (const char* name : {"Briefe", "Briefe2020", "Notizen"})
        addDatabase(QLatin1String(name));
    const Listing named = LiesNamenDatenbanken(paths, false, u"2"_s, u"Brief"_s);
    EXPECT_EQ(named.selectedIndex, 3); // A B Briefe Briefe2020 C Notizen
    EXPECT_TRUE(named.runSelectionHandler);
    EXPECT_EQ(LiesNamenDatenbanken(paths, false, QString(), u"notizen"_s).selectedIndex, -1);
    EXPECT_EQ(LiesNamenDatenbanken(paths, false, QString(), QString()).selectedIndex, -1);
}

TEST_F(CatalogueTest, DeletingADatabaseRemovesAllItsFilesButNotTheDriveList)
{
    const QString name = u"Notes"_s;
    QStringList files = {paths.descriptor(name), paths.log(name),
                         paths.searchTermListWithoutDocuments(name)};
    for (const Family family : kFamilies) {
        files << paths.document(name, family) << paths.titlePositions(name, family)
              << paths.phraseList(name, family) << paths.searchTermList(name, family);
    }
    for (QString file : files)
        drive.write(file.mid(3).replace(u'\\', u'/'), "x");
    addDatabase(u"Notes2"_s);
    drive.write(db(u"Haupt_Dateinamen_Liste_Laufwerk_D.txt"_s), "x");

    deleteDatabaseFiles(Database(paths, name));
    for (QString file : files)
        EXPECT_FALSE(has(file.mid(3).replace(u'\\', u'/'))) << file.toStdString();
    EXPECT_TRUE(has(db(u"Haupt_Dateinamen_Liste_Laufwerk_D.txt"_s)));
    EXPECT_EQ(databaseNames(paths), QStringList({"Notes2"}));
}

TEST_F(CatalogueTest, DeletingDocumentsKeepsTheDatabaseListedAsPathListOnly)
{
    const QString name = u"Notes"_s;
    addDatabase(name);
    for (const Family family : kFamilies) {
        drive.write(db(u"Notes_%1Dokument.txt"_s.arg(documentFamilyName(family))), "x");
        drive.write(db(u"Notes_%1_TitelPositionen.txt"_s.arg(familyName(family))), "x");
    }
    drive.write(db(u"Notes_Phrasen_Woerter_AnsiListe.txt"_s), "x");
    EXPECT_FALSE(isPathListOnly(Database(paths, name)));

    deleteDocumentFiles(Database(paths, name));
    EXPECT_EQ(databaseNames(paths), QStringList({"Notes"}));
    EXPECT_TRUE(isPathListOnly(Database(paths, name)));
    EXPECT_FALSE(has(db(u"Notes_Utf8_TitelPositionen.txt"_s)));
    EXPECT_TRUE(has(db(u"Notes_Phrasen_Woerter_AnsiListe.txt"_s)));
}

TEST_F(CatalogueTest, ConfirmationTexts)
{
    EXPECT_EQ(deleteDatabaseQuestion(u"Notes"_s),
              u"Möchten Sie die Datenbank \"Notes\" wirklich löschen?"_s);
    EXPECT_EQ(deleteDocumentsQuestion(u"Notes"_s),
              QStringLiteral("Möchten Sie die Daten von \"Notes\" wirklich löschen?\r\n"
                             "Die Suche funktioniert danach noch, aber langsamer."));
}
