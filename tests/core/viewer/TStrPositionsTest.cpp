#include "viewer/TStrPositions.h"

#include "store/Windows1252.h"
#include "viewer/TATBinHexCore.h"
#include "viewer/TATBinHexLineMeasurer.h"
#include "viewer/ViewerMemoText.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Every character 10 pixels wide.
class TenPixels : public TATBinHexLineMeasurer {
public:
    int textWidth(QStringView text) const override { return 10 * int(text.size()); }
    int textAreaWidth() const override { return 1000; }
};

class TStrPositionsTest : public testing::Test {
protected:
    TStrPositionsTest()
    {
        core.setMeasurer(&measurer);
        table.clear(16);
        table.add({u"ab\tc"_s, 2, 1, 100}); // tab of 8 spaces: c at 2 + 100
        table.add({u"xyz"_s, 2, 17, 106});
    }

    TenPixels measurer;
    TATBinHexCore core;
    TStrPositions table{core};
};

} // namespace

// A pointer gives the character right of its middle; a position gives its pixel.
TEST_F(TStrPositionsTest, PointerToPositionToPixelAndSelectionRects)
{
    EXPECT_EQ(table.posAt({50, -5}), 100);  // above the first line
    EXPECT_EQ(table.posAt({0, 5}), 100);    // left of the line
    EXPECT_EQ(table.posAt({6, 5}), 100);    // left half of "a"
    EXPECT_EQ(table.posAt({7, 5}), 101);    // right half of "a"
    EXPECT_EQ(table.posAt({60, 5}), 102);   // left half of the tab
    EXPECT_EQ(table.posAt({63, 5}), 103);   // right half of the tab
    EXPECT_EQ(table.posAt({500, 5}), 104);  // right of the line: just after it
    EXPECT_EQ(table.posAt({25, 20}), 108);  // second line, its band starts at 17
    EXPECT_EQ(table.posAt({25, 400}), 109); // below all lines: end of the last

    EXPECT_EQ(table.pointOf(103), QPoint(102, 1));
    EXPECT_EQ(table.pointOf(104), QPoint(112, 1));
    EXPECT_EQ(table.pointOf(107), QPoint(12, 17));
    EXPECT_FALSE(table.pointOf(200).has_value());
    const QList<QRect> rects = table.selectionRects(101, 6);
    ASSERT_EQ(rects.size(), 2);
    EXPECT_EQ(rects[0], QRect(12, 1, 100, 16));          // "b", tab, "c"
    EXPECT_EQ(rects[1], QRect(2, 17, 10, 16));           // "x"
    EXPECT_TRUE(table.selectionRects(104, 2).isEmpty()); // the line break only
}

TEST(ViewerMemoTextTest, DecodesByFamily)
{
    // Lines arrive as the viewer reads the bytes: one Windows-1252 character per byte.
    const QString ansiLine = cp1252::decode("M\xC3\xBCller und M\xFCller \xE2\x82\xAC");
    EXPECT_EQ(viewerMemoText(ansiLine, Family::Ansi), QString::fromUtf8("Müller und Müller €"));
    // Four bytes stay four characters in ANSI text, become one in UTF-8 text.
    const QString emoji = cp1252::decode("\xF0\x9F\x98\x80");
    EXPECT_EQ(viewerMemoText(emoji, Family::Ansi).size(), 4);
    EXPECT_EQ(viewerMemoText(emoji, Family::Utf8), QString::fromUtf8("😀"));
    // 0x80 is the euro sign in Windows-1252, not U+0080.
    EXPECT_EQ(viewerMemoText(QString(QChar(0x20AC)), Family::Ansi), QString(QChar(0x20AC)));
    EXPECT_EQ(viewerMemoText(cp1252::decode("a\xE0\xB0\x80z"), Family::Utf8), "a z");
    EXPECT_EQ(viewerMemoText(u"\u0C00x"_s, Family::Unicode), u"\u0C00x"_s);
}
