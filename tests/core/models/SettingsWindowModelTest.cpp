#include "models/SettingsWindowModel.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>

using namespace settings;
using namespace Qt::StringLiterals;

class SettingsWindowModelTest : public testing::Test {
protected:
    IsolatedSettings isolated;
    SettingsStore store;
    SettingsWindowModel model;
};

TEST_F(SettingsWindowModelTest, MissingOrUnreadableColorsFallBack)
{
    EXPECT_EQ(model.background(), colors::clHighlight);
    EXPECT_EQ(model.hintColor(), colors::clWhite);
    store.write(kColor, u"Blau"_s);
    store.write(kTextColor, u"$000000FF"_s);
    EXPECT_EQ(model.background(), colors::clHighlight);
    EXPECT_EQ(model.hintColor(), 0xFFu);
}

// Cancel takes back a background colour chosen in the same showing, and only that: to the
// colour and the stored text of the opening, never to black.
TEST_F(SettingsWindowModelTest, CancelRestoresOnlyAColorOfThisShowing)
{
    using M = SettingsWindowModel;
    const struct {
        const char* name;
        QString storedAtOpening;
        std::function<void(M&)> whileOpen;
        QString storedAfterCancel;
        std::optional<TColor> restored;
    } rows[] = {{"NothingChosen", u"$00102030"_s, [](M&) {}, u"$00102030"_s, std::nullopt},
                {"OnlyTheHintColourChosen", u"$00102030"_s, [](M& m) { m.hintColorChosen(0xFF); },
                 u"$00102030"_s, std::nullopt},
                {"ColourChosen", u"$00102030"_s, [](M& m) { m.backgroundChosen(0xABCDEF); },
                 u"$00102030"_s, TColor(0x102030)},
                {"TwoColoursChosen", u"clWhite"_s,
                 [](M& m) {
                     m.backgroundChosen(0x111111);
                     m.backgroundChosen(0x222222);
                 },
                 u"clWhite"_s, colors::clWhite},
                {"ColourChosenWhileNoneWasStored", QString(),
                 [](M& m) { m.backgroundChosen(0x111111); }, QString(), colors::clHighlight},
                {"ColourChosenInAnEarlierShowing", u"$00102030"_s,
                 [](M& m) {
                     m.backgroundChosen(0x333333);
                     m.opened({});
                 },
                 u"$00333333"_s, std::nullopt},
                {"StandardsRestoredAfterAChoice", u"$00102030"_s,
                 [](M& m) {
                     m.backgroundChosen(0x333333);
                     m.restoreStandards();
                 },
                 u"clBlack"_s, std::nullopt}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        store.write(kColor, row.storedAtOpening);
        M fresh;
        fresh.opened({});
        row.whileOpen(fresh);
        const M::Restore restore = fresh.cancel();
        EXPECT_EQ(store.read(kColor), row.storedAfterCancel);
        EXPECT_EQ(restore.background, row.restored);
        EXPECT_FALSE(fresh.backgroundChanged());
    }
}

TEST_F(SettingsWindowModelTest, BoxesOfTheOpeningComeBackStoredOnesCheckOnlyForOne)
{
    model.opened({true, false});
    EXPECT_EQ(model.cancel().boxes, (SettingsWindowModel::CheckBoxes{true, false}));
    EXPECT_EQ(model.closedWithoutOk().boxes, (SettingsWindowModel::CheckBoxes{true, false}));
    EXPECT_TRUE(store.read(kCopySearchTerm).isEmpty());
    EXPECT_TRUE(store.read(kShowViewerHint).isEmpty());
    // Stored boxes check only for "1" and stay as shown when missing.
    const struct {
        QString stored;
        bool shownBefore;
        bool expected;
    } rows[] = {
        {u"1"_s, false, true},  {u"0"_s, true, false},   {u"ja"_s, true, false},
        {u"11"_s, true, false}, {QString(), true, true}, {QString(), false, false},
    };
    for (const auto& row : rows) {
        store.write(kCopySearchTerm, row.stored);
        store.write(kShowViewerHint, row.stored);
        const auto boxes = model.storedCheckBoxes({row.shownBefore, row.shownBefore});
        EXPECT_EQ(boxes.copySearchTerm, row.expected) << row.stored.toStdString();
        EXPECT_EQ(boxes.showViewerHints, row.expected) << row.stored.toStdString();
    }
}

TEST(SettingsWindowFontTest, SizesStayWithinSixAndSeventyTwoPoints)
{
    const struct {
        int asked;
        int kept;
    } steps[] = {{5, 6}, {6, 6}, {10, 10}, {72, 72}, {73, 72}, {-3, 6}};
    for (const auto& step : steps)
        EXPECT_EQ(SettingsWindowModel::boundedFontSize(step.asked), step.kept) << step.asked;

    const struct {
        QString stored;
        int read;
    } stored[] = {{u"14"_s, 14}, {u"6"_s, 6},     {u"72"_s, 72},   {u"5"_s, 10},    {u"73"_s, 10},
                  {u"-8"_s, 10}, {u"zehn"_s, 10}, {QString(), 10}, {u" 12 "_s, 12}, {u"1e3"_s, 10}};
    for (const auto& row : stored)
        EXPECT_EQ(SettingsWindowModel::storedFontSize(row.stored), row.read)
            << row.stored.toStdString();
}

TEST(SettingsWindowSortTest, QuestionHasThreeLinesWithTheDatabaseName)
{
    EXPECT_EQ(SettingsWindowModel::sortQuestion(u"Briefe 2024"_s),
              u"Möchten Sie die Dokumente von \"Briefe 2024\" sortieren?\r\n"
              u"Vorhandene sortierte Listen werden überschrieben! Wenn JA, dann \r\n"
              u"klicken Sie anschließend auf den Schalter \"Sortierte Listen erstellen\""_s);
}
