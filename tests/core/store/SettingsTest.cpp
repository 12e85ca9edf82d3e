#include "store/Settings.h"

#include "support/TempFolder.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace settings;

class SettingsTest : public testing::Test {
protected:
    IsolatedSettings isolated;
    SettingsStore store;
};

TEST_F(SettingsTest, MissingKeyReadsEmptyAndIsNotCreatedByReading)
{
    EXPECT_TRUE(LeseRegKey(kRegKey, kSelectedDatabase).isEmpty());
    EXPECT_TRUE(
        QDir(isolated.native()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    SchreibeRegKey(kRegKey, kSelectedDatabase, QStringLiteral("2"));
    EXPECT_EQ(LeseRegKey(kRegKey, kSelectedDatabase), QStringLiteral("2"));
}

TEST_F(SettingsTest, TextsRoundTripWithCharactersTheIniFormatTreatsSpecially)
{
    for (const char* text :
         {"a, b", "\"quoted\"", "C:\\Daten\\", "@Variant(x)", "Grüße; #1", "$00BBBBBB"}) {
        store.write(kColor, QString::fromUtf8(text));
        EXPECT_EQ(store.read(kColor), QString::fromUtf8(text));
    }
}

TEST_F(SettingsTest, FirstStartWritesTheDefaultsOnce)
{
    EXPECT_TRUE(store.writeFirstStartDefaultsIfNeeded());
    EXPECT_EQ(store.read(kSelectedDatabase), QStringLiteral("-1"));
    EXPECT_EQ(store.read(kTopic), QStringLiteral("0"));
    EXPECT_EQ(store.read(kColor), QStringLiteral("clBlack"));
    EXPECT_EQ(store.read(kTextColor), QStringLiteral("clWhite"));
    EXPECT_EQ(store.read(kHeight), QStringLiteral("506"));
    EXPECT_EQ(store.read(kWidth), QStringLiteral("1024"));
    EXPECT_EQ(store.read(kSearchHeight), QStringLiteral("500"));
    EXPECT_EQ(store.read(kSearchWidth), QStringLiteral("1024"));
    EXPECT_EQ(store.read(kBrowser), QStringLiteral("standard"));
    EXPECT_EQ(store.read(kCopySearchTerm), QStringLiteral("1"));
    EXPECT_EQ(store.read(kShowViewerHint), QStringLiteral("1"));
    EXPECT_TRUE(store.read(kViewerFontSize).isEmpty());
    EXPECT_TRUE(store.read(kSplitterPos).isEmpty());
    EXPECT_TRUE(store.read(kControlFolder).isEmpty());

    store.write(kColor, QStringLiteral("clRed"));
    EXPECT_FALSE(store.writeFirstStartDefaultsIfNeeded());
    EXPECT_EQ(store.read(kColor), QStringLiteral("clRed"));
}

TEST_F(SettingsTest, FallbacksOfMissingValues)
{
    EXPECT_EQ(store.readOrFallback(kSelectedDatabase), QStringLiteral("0"));
    EXPECT_EQ(store.readOrFallback(kTopic), QStringLiteral("-1"));
    EXPECT_EQ(store.readOrFallback(kColor), QStringLiteral("clHighlight"));
    EXPECT_EQ(store.readOrFallback(kViewerFontSize), QStringLiteral("10"));
    EXPECT_EQ(store.readOrFallback(kSplitterPos), QStringLiteral("483"));
    EXPECT_TRUE(store.readOrFallback(kCopySearchTerm).isEmpty());
    EXPECT_EQ(store.readOrFallback(kWidth), QStringLiteral("1024"));
    store.applyScreenWidth(1025);
    EXPECT_EQ(store.readOrFallback(kSearchWidth), QStringLiteral("1024"));
    store.applyScreenWidth(800);
    EXPECT_EQ(store.readOrFallback(kSearchWidth), QStringLiteral("800"));
}

TEST_F(SettingsTest, NumbersAreDecimalIntegersOrAnErrorNamingTheValue)
{
    store.write(kHeight, QStringLiteral("-5"));
    EXPECT_EQ(*store.readNumber(kHeight), -5);
    store.write(kHeight, QStringLiteral("x"));
    const Result<int> bad = store.readNumber(kHeight);
    ASSERT_FALSE(bad.ok());
    EXPECT_TRUE(bad.error().contains(QStringLiteral("\"x\""))) << bad.error().toStdString();
    EXPECT_TRUE(bad.error().contains(kHeight));
    store.write(kHeight, QStringLiteral("$10"));
    EXPECT_FALSE(store.readNumber(kHeight).ok());
    EXPECT_EQ(*store.readNumber(kSearchHeight), 500); // missing: fallback
}

TEST_F(SettingsTest, BookmarkNamesAreOnePerDatabaseAndFamily)
{
    EXPECT_EQ(bookmarkValueName(Family::Ansi, QStringLiteral("Notes")),
              QStringLiteral("Lesezeichen_Ansi_Notes"));
    EXPECT_EQ(bookmarkValueName(Family::Utf8, QStringLiteral("Notes")),
              QStringLiteral("Lesezeichen_Utf8_Notes"));
    store.write(bookmarkValueName(Family::Unicode, QStringLiteral("A")), QStringLiteral("10"));
    store.write(bookmarkValueName(Family::Unicode, QStringLiteral("AB")), QStringLiteral("20"));
    EXPECT_EQ(store.read(bookmarkValueName(Family::Unicode, QStringLiteral("A"))),
              QStringLiteral("10"));
}
