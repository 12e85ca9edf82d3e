#include "models/SearchWindowState.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

using View = SearchWindowState::View;
using namespace Qt::StringLiterals;

class SearchWindowStateTest : public testing::Test {
protected:
    void writeDocument(const char* name, Family family, const QByteArray& bytes)
    {
        const QString program = paths.document(QLatin1String(name), family);
        drive.write(program.mid(3).replace(u'\\', u'/'), bytes);
    }

    MappedDrive drive;
    DatabasePaths paths{drive.program()};
    SearchWindowState state{paths};
};

// A load button needs a document of four bytes; the sizes are those of the last reading.
TEST_F(SearchWindowStateTest, DocumentsOfFourBytesAreLoadableFromTheLastReading)
{
    writeDocument("DB", Family::Ansi, "abcd");
    writeDocument("DB", Family::Utf8, "abc");
    state.prepare(u"DB"_s, false);
    EXPECT_TRUE(state.loadable(Family::Ansi));
    EXPECT_FALSE(state.loadable(Family::Utf8));
    EXPECT_FALSE(state.loadable(Family::Unicode));

    writeDocument("DB", Family::Unicode, "abcdef");
    EXPECT_FALSE(state.loadable(Family::Unicode));
    state.readDocumentSizes();
    EXPECT_TRUE(state.loadable(Family::Unicode));

    state.prepare(QString(), false); // no database: nothing to load
    EXPECT_FALSE(state.loadable(Family::Ansi));
}

TEST_F(SearchWindowStateTest, AnotherDatabaseForgetsWhatWasShownAndFound)
{
    EXPECT_TRUE(state.prepare(u"A"_s, false));
    state.documentOpened(Family::Utf8, true);
    state.searchStarted();
    state.searchFound({{"D:\\a.txt", "Haus"}}, {false, true, false});
    state.searchStopped();

    EXPECT_FALSE(state.prepare(u"A"_s, false)); // the same one keeps it all
    EXPECT_EQ(state.chosenDocument(), Family::Utf8);
    EXPECT_EQ(state.hits().size(), 1);

    EXPECT_TRUE(state.prepare(u"B"_s, false));
    EXPECT_EQ(state.view(), View::Nothing);
    EXPECT_EQ(state.userDocument(), std::nullopt);
    EXPECT_EQ(state.current(), Family::Ansi);
    const SearchTermList::SearchOutcome outcome = state.outcome();
    EXPECT_FALSE(outcome.documentShown);
    EXPECT_FALSE(outcome.hitEntries);
    EXPECT_EQ(outcome.documentHit, (std::array<bool, 3>{}));
}

// The viewer's file, the encoding the memo decodes it in and where a bookmark may be saved.
TEST_F(SearchWindowStateTest, ViewFollowsDocumentFileListAndSortedList)
{
    state.prepare(u"DB"_s, false);
    state.documentOpened(Family::Unicode, true);
    state.setDocumentLoaded(true);
    EXPECT_EQ(state.view(), View::Document);
    EXPECT_EQ(state.shownFile(), paths.document(u"DB"_s, Family::Unicode));
    EXPECT_EQ(state.textFamily(), Family::Unicode);
    EXPECT_TRUE(state.maySaveBookmark());

    state.sortedListOpened();
    EXPECT_EQ(state.view(), View::SortedList);
    EXPECT_EQ(state.shownFile(), paths.phraseList(u"DB"_s, Family::Unicode));
    EXPECT_FALSE(state.maySaveBookmark());

    state.fileListOpened();
    EXPECT_EQ(state.view(), View::FileList);
    EXPECT_EQ(state.chosenDocument(), std::nullopt);
    EXPECT_EQ(state.current(), Family::Ansi);
    EXPECT_EQ(state.textFamily(), Family::Utf8); // the file list is UTF-8
    EXPECT_EQ(state.shownFile(), paths.descriptor(u"DB"_s));
    EXPECT_TRUE(state.hasSearchableFile());

    // A new search text leaves the list; a chosen document stays chosen for reopening.
    state.documentOpened(Family::Utf8, true);
    state.listsLeft();
    EXPECT_EQ(state.chosenDocument(), Family::Utf8);
    EXPECT_FALSE(state.documentLoaded());

    state.viewerEmptied(); // a sorted-list build
    EXPECT_EQ(state.view(), View::Nothing);
    EXPECT_FALSE(state.hasSearchableFile());
}

TEST_F(SearchWindowStateTest, SearchAndCountNeedAFilledFieldAndNoRunTheCountOneConfirmation)
{
    state.prepare(u"DB"_s, false);
    EXPECT_TRUE(state.maySearch(u"Haus"_s));
    EXPECT_TRUE(state.mayCount(u"Haus"_s));
    EXPECT_FALSE(state.maySearch(u"  "_s));
    state.setFileNameMode(true);
    EXPECT_FALSE(state.maySearch(u"#Haus"_s));
    state.setFileNameMode(false);
    state.countStarted();
    EXPECT_FALSE(state.maySearch(u"Haus"_s));
    state.countEnded();

    state.prepare(u"DB"_s, true); // without documents there is nothing to count
    EXPECT_TRUE(state.maySearch(u"Haus"_s));
    EXPECT_FALSE(state.mayCount(u"Haus"_s));

    // A search begins with the count until its "Ja"; the next search of the showing asks
    // again once the run closed. A database without documents is searched at once.
    state.prepare(u"DB"_s, false);
    EXPECT_TRUE(state.searchStartsWithCount());
    state.countConfirmed();
    EXPECT_FALSE(state.searchStartsWithCount());
    state.runClosed();
    EXPECT_TRUE(state.searchStartsWithCount());
    state.countConfirmed();
    state.prepare(u"DB"_s, false); // a new showing
    EXPECT_TRUE(state.searchStartsWithCount());
    state.prepare(u"DB"_s, true);
    EXPECT_FALSE(state.searchStartsWithCount());
}

TEST_F(SearchWindowStateTest, RunRecordsHitsCancelAndRefusal)
{
    state.prepare(u"DB"_s, false);
    state.documentOpened(Family::Ansi, true);
    state.countStarted();
    state.documentOpened(Family::Utf8, !state.running()); // reopened by the count
    state.countEnded();
    EXPECT_EQ(state.userDocument(), Family::Ansi);

    state.searchStarted();
    EXPECT_TRUE(state.searching());
    state.requestCancel();
    EXPECT_TRUE(state.cancelRequested());
    state.searchFound({{"D:\\a.txt", "x"}}, {true, false, false});
    EXPECT_TRUE(state.searching()); // until its pages are written
    state.searchStopped();
    EXPECT_TRUE(state.searchCancelled());
    EXPECT_FALSE(state.searchFailed());
    EXPECT_EQ(state.outcome().documentHit, (std::array<bool, 3>{true, false, false}));

    state.searchRequested();
    EXPECT_FALSE(state.searchCancelled());
    state.searchStarted();
    EXPECT_FALSE(state.cancelRequested()); // a new run starts uncancelled
    EXPECT_TRUE(state.hits().isEmpty());
    state.searchRefused();
    state.searchStopped();
    EXPECT_TRUE(state.searchFailed());
    EXPECT_FALSE(state.outcome().hitEntries);
}
