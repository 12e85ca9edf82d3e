#include "store/Settings.h"

#include "support/TempFolder.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace settings;
using namespace Qt::StringLiterals;

class SettingsTest : public testing::Test {
protected:
    IsolatedSettings isolated;
    SettingsStore store;
};

TEST_F(SettingsTest, MissingKeyReadsEmptyWithoutBeingCreatedTextsRoundTrip)
{
    EXPECT_TRUE(LeseRegKey(kRegKey, kSelectedDatabase).isEmpty());
    EXPECT_TRUE(
        QDir(isolated.native()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    SchreibeRegKey(kRegKey, kSelectedDatabase, u"2"_s);
    EXPECT_EQ(LeseRegKey(kRegKey, kSelectedDatabase), u"2"_s);
    // Texts with characters the INI format treats specially come back as written.
    for (const char* text :
         {"a, b", "\"quoted\"", "C:\\Daten\\", "@Variant(x)", "Grüße; #1", "$00BBBBBB"}) {
        store.write(kColor, QString::fromUtf8(text));
        EXPECT_EQ(store.read(kColor), QString::fromUtf8(text));
    }
}

TEST_F(SettingsTest, FirstStartWritesTheDefaultsOnce)
{
    EXPECT_TRUE(store.writeFirstStartDefaultsIfNeeded());
    // Pairs of a name and its value; the last three stay unset.
    const QString defaults[] = {
        kSelectedDatabase, u"-1"_s,      kTopic,          u"0"_s,    kColor,          u"clBlack"_s,
        kTextColor,        u"clWhite"_s, kHeight,         u"506"_s,  kWidth,          u"1024"_s,
        kSearchHeight,     u"500"_s,     kSearchWidth,    u"1024"_s, kBrowser,        u"standard"_s,
        kCopySearchTerm,   u"1"_s,       kShowViewerHint, u"1"_s,    kViewerFontSize, QString(),
        kSplitterPos,      QString(),    kControlFolder,  QString()};
    for (std::size_t i = 0; i < std::size(defaults); i += 2)
        EXPECT_EQ(store.read(defaults[i]), defaults[i + 1]) << defaults[i].toStdString();

    store.write(kColor, u"clRed"_s);
    EXPECT_FALSE(store.writeFirstStartDefaultsIfNeeded());
    EXPECT_EQ(store.read(kColor), u"clRed"_s);
}

TEST_F(SettingsTest, FallbacksOfMissingValues)
{
    EXPECT_EQ(store.readOrFallback(kSelectedDatabase), u"0"_s);
    EXPECT_EQ(store.readOrFallback(kTopic), u"-1"_s);
    EXPECT_EQ(store.readOrFallback(kColor), u"clHighlight"_s);
    EXPECT_EQ(store.readOrFallback(kViewerFontSize), u"10"_s);
    EXPECT_EQ(store.readOrFallback(kSplitterPos), u"483"_s);
    EXPECT_TRUE(store.readOrFallback(kCopySearchTerm).isEmpty());
    EXPECT_EQ(store.readOrFallback(kWidth), u"1024"_s);
    store.applyScreenWidth(1025);
    EXPECT_EQ(store.readOrFallback(kSearchWidth), u"1024"_s);
    store.applyScreenWidth(800);
    EXPECT_EQ(store.readOrFallback(kSearchWidth), u"800"_s);
}

TEST_F(SettingsTest, NumbersAreDecimalIntegersOrAnErrorNamingTheValue)
{
    store.write(kHeight, u"-5"_s);
    EXPECT_EQ(*store.readNumber(kHeight), -5);
    store.write(kHeight, u"x"_s);
    const Result<int> bad = store.readNumber(kHeight);
    ASSERT_FALSE(bad.ok());
    EXPECT_TRUE(bad.error().contains(u"\"x\""_s)) << bad.error().toStdString();
    EXPECT_TRUE(bad.error().contains(kHeight));
    store.write(kHeight, u"$10"_s);
    EXPECT_FALSE(store.readNumber(kHeight).ok());
    EXPECT_EQ(*store.readNumber(kSearchHeight), 500); // missing: fallback
}

TEST_F(SettingsTest, BookmarkNamesAreOnePerDatabaseAndFamily)
{
    EXPECT_EQ(bookmarkValueName(Family::Ansi, u"Notes"_s), u"Lesezeichen_Ansi_Notes"_s);
    EXPECT_EQ(bookmarkValueName(Family::Utf8, u"Notes"_s), u"Lesezeichen_Utf8_Notes"_s);
    store.write(bookmarkValueName(Family::Unicode, u"A"_s), u"10"_s);
    store.write(bookmarkValueName(Family::Unicode, u"AB"_s), u"20"_s);
    EXPECT_EQ(store.read(bookmarkValueName(Family::Unicode, u"A"_s)), u"10"_s);
}
