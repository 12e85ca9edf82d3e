#include "search/Bookmarks.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <limits>

TEST(BookmarksTest, OnlyDecimalNumbersFromZeroUpAreBookmarks)
{
    struct Case {
        const char* stored;
        std::optional<qint64> position;
    };
    const Case cases[] = {
        {"0", 0},
        {"123", 123},
        {"9223372036854775807", std::numeric_limits<qint64>::max()},
        {"9223372036854775808", std::nullopt},       // beyond 64 bits
        {"1234567890123456789012345", std::nullopt}, // 25 digits
        {"abc", std::nullopt},
        {"-5", std::nullopt},
        {"+5", std::nullopt},
        {" 5", std::nullopt},
        {"5 ", std::nullopt},
        {"1.000", std::nullopt},
        {"", std::nullopt},
        {"\xEF\xBC\x95", std::nullopt}, // a full-width digit five
    };
    for (const Case& c : cases)
        EXPECT_EQ(bookmarks::parse(QString::fromUtf8(c.stored)), c.position) << c.stored;
}

TEST(BookmarksTest, SavedPerDatabaseAndDocumentAndRestoredInsideTheDocument)
{
    IsolatedSettings isolated;
    const settings::SettingsStore store;
    const QString db = QStringLiteral("Briefe");
    bookmarks::save(store, Family::Ansi, db, 4711);
    EXPECT_EQ(store.read(QStringLiteral("Lesezeichen_Ansi_Briefe")), QStringLiteral("4711"));
    EXPECT_EQ(bookmarks::restore(store, Family::Ansi, db, 10000), 4711);
    EXPECT_EQ(bookmarks::restore(store, Family::Utf8, db, 10000), std::nullopt);
    EXPECT_EQ(bookmarks::restore(store, Family::Ansi, QStringLiteral("Andere"), 10000),
              std::nullopt);
    EXPECT_EQ(bookmarks::restore(store, Family::Ansi, db, 4711), std::nullopt); // past the end
    bookmarks::save(store, Family::Ansi, db, 0);
    EXPECT_EQ(bookmarks::restore(store, Family::Ansi, db, 10000), std::nullopt);
    store.write(settings::bookmarkValueName(Family::Unicode, db), QStringLiteral("-5"));
    EXPECT_EQ(bookmarks::restore(store, Family::Unicode, db, 10000), std::nullopt);
}
