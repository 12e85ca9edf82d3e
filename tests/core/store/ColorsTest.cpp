#include "store/Colors.h"

#include <gtest/gtest.h>

using namespace colors;

TEST(ColorsTest, NamesAndDollarFormsRoundTripOtherTextsAreNoColor)
{
    for (const char* name :
         {"clBlack", "clWhite", "clRed", "clMoneyGreen", "clHighlight", "clNone"}) {
        const auto color = StringToColor(QLatin1String(name));
        ASSERT_TRUE(color.has_value()) << name;
        EXPECT_EQ(ColorToString(*color), QLatin1String(name));
    }
    EXPECT_EQ(StringToColor(QStringLiteral("CLRED")), 0x0000FFu);
    EXPECT_EQ(StringToColor(QStringLiteral("clBlue")), 0xFF0000u); // 00BBGGRR
    // Colours without a name use the dollar form; a plain number is read too.
    EXPECT_EQ(ColorToString(0xBBBBBB), QStringLiteral("$00BBBBBB"));
    EXPECT_EQ(ColorToString(0x00123456), QStringLiteral("$00123456"));
    EXPECT_EQ(StringToColor(QStringLiteral("$00123456")), 0x123456u);
    EXPECT_EQ(StringToColor(QStringLiteral("$00ffffff")), clWhite);
    EXPECT_EQ(StringToColor(QStringLiteral("255")), 0xFFu);
    for (const char* text : {"", "clPink", "$", "$XYZ", "12abc", "$1FFFFFFFFF"})
        EXPECT_FALSE(StringToColor(QLatin1String(text)).has_value()) << text;
}

// A selection stands out on every window colour, and so does its text.
TEST(ColorsTest, SelectionsAndTheirTextStayReadable)
{
    EXPECT_EQ(selectionBackground(0xFFC864, 93), TColor(0xEDBA5D)); // light: darkened
    EXPECT_EQ(selectionBackground(clBlack, 90), TColor(0x3F3F3F));  // dark: brightened
    for (const TColor window : {clBlack, clWhite, TColor(0x800000), TColor(0x00FFFF)}) {
        const TColor selected = selectionBackground(window, 90);
        EXPECT_NE(selected, window) << std::hex << window;
        // Text in the selection's own colour is replaced; black on white is kept.
        EXPECT_NE(readableTextOn(selected, selected), selected) << std::hex << window;
    }
    EXPECT_EQ(readableTextOn(clWhite, clBlack), clBlack);
}
