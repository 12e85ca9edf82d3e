#include "search/SearchTermList.h"

#include "platform/FileFacts.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(SearchTermListTest, FilesTheTextAtTheTopAndCleansTheList)
{
    const QString noText = SearchTermList::kNoTextItem;
    struct Row {
        const char* name;
        QStringList before;
        QString text;
        QStringList after;
    };
    const Row rows[] = {
        {"moves an equal text up", {"b", "", "a", noText, "c"}, "a", {"a", "b", "c"}},
        {"equal means equal in case", {"Haus"}, "haus", {"haus", "Haus"}},
        {"only the last no-text item goes", {noText, "x", noText}, "y", {"y", noText, "x"}},
    };
    for (const Row& row : rows) {
        SearchTermList list(row.before);
        list.file(row.text);
        EXPECT_EQ(list.items(), row.after) << row.name;
    }

    SearchTermList list;
    for (int i = 0; i <= 50; ++i)
        list.file(QStringLiteral("t%1").arg(i));
    list.file(QStringLiteral("t10"));
    ASSERT_EQ(list.items().size(), 50);
    EXPECT_EQ(list.items().first(), QStringLiteral("t10"));
    EXPECT_EQ(list.items()[1], QStringLiteral("t50"));
    EXPECT_EQ(list.items().last(), QStringLiteral("t1"));

    // A hand-edited file of 90 lines, every third one blank: filing leaves the newest 50.
    MappedDrive drive;
    QByteArray lines;
    for (int i = 0; i < 90; ++i)
        lines += (i % 3 == 0 ? QByteArray() : "w" + QByteArray::number(i)) + "\r\n";
    drive.write(QStringLiteral("liste.txt"), lines);
    SearchTermList edited = SearchTermList::load(drive.program(QStringLiteral("liste.txt")));
    edited.file(QStringLiteral("neu"));
    ASSERT_EQ(edited.items().size(), 50);
    EXPECT_EQ(edited.items().first(), QStringLiteral("neu"));
    EXPECT_EQ(edited.items()[1], QStringLiteral("w1"));
    EXPECT_FALSE(edited.items().contains(QString()));
}

TEST(SearchTermListTest, SavesAfterASearchToTheListsOfTheClassesWithHits)
{
    struct Row {
        const char* name;
        SearchTermList::SearchOutcome outcome;
        QStringList items;
        QStringList written; // file name endings
    };
    const QStringList one = {QStringLiteral("Grüße")};
    const Row rows[] = {
        {"document shown", {true, {true, false, true}, false, true}, one, {"_Ansi_", "_Unicode_"}},
        {"no document shown", {false, {true, true, true}, false, true}, one, {}},
        {"empty list", {true, {true, true, true}, false, true}, {}, {}},
        {"without documents", {false, {}, true, true}, one, {"_Gesamt_OhneDB_"}},
        {"without documents, no hit", {false, {}, true, false}, one, {}},
    };
    for (const Row& row : rows) {
        MappedDrive drive;
        drive.makeFolder(QStringLiteral("Datenbank/Suchwoerterlisten"));
        const DatabasePaths paths(drive.program());
        ASSERT_TRUE(SearchTermList(row.items).saveAfterSearch(Database(paths, "Db"), row.outcome));
        for (const QString ending : {"_Ansi_", "_Utf8_", "_Unicode_", "_Gesamt_OhneDB_"}) {
            const QString file =
                QStringLiteral("Datenbank/Suchwoerterlisten/Db%1Suchwoerterliste.txt").arg(ending);
            EXPECT_EQ(drive.read(file), row.written.contains(ending) ? "Gr\xC3\xBC\xC3\x9F"
                                                                       "e\r\n"
                                                                     : QByteArray())
                << row.name << ending.toStdString();
        }
    }
}

TEST(SearchTermListTest, CarriageReturnsInsideALineSurviveSavingAndLoading)
{
    MappedDrive drive;
    const QString path = drive.program(QStringLiteral("liste.txt"));
    drive.write(QStringLiteral("liste.txt"), "a\r\r\r\nb\r\nc\nd\r\re\r\r");
    const QStringList loaded = SearchTermList::load(path).items();
    EXPECT_EQ(loaded, QStringList({"a\r\r", "b", "c", "d\r\re\r"}));
    ASSERT_TRUE(SearchTermList(loaded).save(path));
    EXPECT_EQ(SearchTermList::load(path).items(), loaded);
}
