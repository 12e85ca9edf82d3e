#include "store/DatabaseCommit.h"

#include "store/Catalogue.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

class DatabaseCommitTest : public testing::Test {
protected:
    DatabaseCommitTest() : paths(drive.program()) { drive.makeFolder(QStringLiteral("Datenbank")); }

    // Pairs of a file name and its content.
    void put(std::initializer_list<const char*> files) const
    {
        for (auto it = files.begin(); it != files.end(); it += 2)
            drive.write(QStringLiteral("Datenbank/") + QLatin1String(it[0]), it[1]);
    }
    QByteArray content(const QString& file) const
    {
        return drive.read(QStringLiteral("Datenbank/") + file);
    }
    QStringList folder() const
    {
        return QDir(drive.native(QStringLiteral("Datenbank"))).entryList(QDir::Files, QDir::Name);
    }

    MappedDrive drive;
    DatabasePaths paths;
};

TEST_F(DatabaseCommitTest, StagedFilesReplaceTheDatabaseAndUnstagedOnesGo)
{
    put({"Db.dat", "old list", "Db_AnsiDokument.txt", "old text", "Db_UnicodeDokument.txt",
         "old unicode", "Db.log", "log", "Dbx.dat", "another database", "Db.dat.neu", "new list",
         "Db.log.neu", "new log", "Db_AnsiDokument.txt.neu", "new text"});

    ASSERT_TRUE(dbcommit::commit(Database(paths, "Db")));
    EXPECT_EQ(content("Db.dat"), "new list");
    EXPECT_EQ(content("Db.log"), "new log");
    EXPECT_EQ(content("Db_AnsiDokument.txt"), "new text");
    // The run made no Unicode document: the old one does not belong to the new database.
    EXPECT_EQ(folder(), QStringList({"Db.dat", "Db.log", "Db_AnsiDokument.txt", "Dbx.dat"}));
}

TEST_F(DatabaseCommitTest, ACommitCutOffAfterItsJournalIsCompletedByTheNextReader)
{
    // Db_UTF8Dokument.txt was renamed before the cut.
    put({"Db.dat", "old list", "Db_Ansi_TitelPositionen.txt", "old positions",
         "Db_UTF8Dokument.txt", "new text", "Db.dat.neu", "new list", "Dbx.dat", "another database",
         "Db.log", "log", "Db.ini", "not a file of the database", "Db.commit",
         "+ Db.dat\r\n+ Db_UTF8Dokument.txt\r\n- Db_Ansi_TitelPositionen.txt\r\n- Dbx.dat\r\n"
         "+ ..\\..\\etc\\passwd\r\n- Db.ini\r\nJunk\r\n"});

    // The list of databases completes it: Db is listed with its new files.
    const catalogue::Listing listing = catalogue::LiesNamenDatenbanken(paths, false, {}, {});
    EXPECT_EQ(listing.names, QStringList({"Db", "Dbx"}));
    EXPECT_EQ(content("Db.dat"), "new list");
    EXPECT_EQ(content("Db_UTF8Dokument.txt"), "new text");
    // Only the database's own files are touched, whatever the journal names.
    EXPECT_EQ(folder(),
              QStringList({"Db.dat", "Db.ini", "Db.log", "Db_UTF8Dokument.txt", "Dbx.dat"}));
    // Done twice, it changes nothing.
    EXPECT_TRUE(dbcommit::recover(Database(paths, "Db")));
    EXPECT_EQ(content("Db.dat"), "new list");
}

TEST_F(DatabaseCommitTest, DiscardRemovesTheStagedFilesAndTheirCutOffWritesOnly)
{
    put({"Db.dat.neu", "x", "Db_UnicodeDokument.txt.neu", "x", "Db_UnicodeDokument.txt.neu.Ab12Cd",
         "a write cut off", "Db_Utf8_TitelPositionen.txt.neu", "x", "Db.dat", "kept",
         "Db_AnsiDokument.txt", "kept", "Db2.dat.neu", "another database's run", "Db.datei.neu",
         "not a staged name"});

    dbcommit::discard(Database(paths, "Db"));
    EXPECT_EQ(folder(),
              QStringList({"Db.dat", "Db.datei.neu", "Db2.dat.neu", "Db_AnsiDokument.txt"}));
}

TEST_F(DatabaseCommitTest, ACommitWhoseRenameFailsKeepsWhatItsJournalNeedsUntilItIsCompleted)
{
    put({"Db.dat", "old list", "Db_AnsiDokument.txt", "old text", "Db.dat.neu", "new list",
         "Db_AnsiDokument.txt.neu", "new text", "Db_Ansi_TitelPositionen.txt.neu",
         "new positions"});
    // A folder in the list's place makes its rename fail after the earlier ones were done.
    put({"Db_Ansi_TitelPositionen.txt/im Weg", "x"});

    const Status committed = dbcommit::commit(Database(paths, "Db"));
    ASSERT_FALSE(committed);
    EXPECT_TRUE(committed.error().contains("Db_Ansi_TitelPositionen.txt"));
    // The run gives up, but what the journal still has to put in place stays.
    dbcommit::discard(Database(paths, "Db"));
    EXPECT_EQ(content("Db_Ansi_TitelPositionen.txt.neu"), "new positions");
    EXPECT_FALSE(dbcommit::recover(Database(paths, "Db")));

    QDir(drive.native("Datenbank/Db_Ansi_TitelPositionen.txt")).removeRecursively();
    ASSERT_TRUE(dbcommit::recover(Database(paths, "Db")));
    EXPECT_EQ(content("Db.dat"), "new list");
    EXPECT_EQ(content("Db_AnsiDokument.txt"), "new text");
    EXPECT_EQ(content("Db_Ansi_TitelPositionen.txt"), "new positions");
    EXPECT_EQ(folder(),
              QStringList({"Db.dat", "Db_AnsiDokument.txt", "Db_Ansi_TitelPositionen.txt"}));
}
