#include "viewer/StreamSearchStrings.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace streamstrings;

TEST(StreamSearchStringsTest, Positions)
{
    EXPECT_EQ(posAnsi("aus", "Haus aus", 1), 2);
    EXPECT_EQ(posAnsi("aus", "Haus aus", 3), 6);
    EXPECT_EQ(posAnsi("aus", "Haus aus", 7), 0);
    EXPECT_EQ(posAnsi("", "Haus", 1), 0);
    EXPECT_EQ(posAnsi("a", "", 1), 0);
    EXPECT_EQ(posWide(QStringLiteral("ü"), QStringLiteral("Tür für"), 3), 6);
    EXPECT_EQ(posWide(QStringLiteral("T"), QStringLiteral("Tür"), 0), 0);
    EXPECT_EQ(posWide(QStringLiteral("r"), QStringLiteral("Tür"), 4), 0);
    EXPECT_EQ(lastPosWide(QStringLiteral("ü"), QStringLiteral("Tür für")), 6);
    EXPECT_EQ(lastPosWide(QStringLiteral("x"), QStringLiteral("Tür")), 0);
}

TEST(StreamSearchStringsTest, TextFormsAndFileSize)
{
    EXPECT_TRUE(isAscii(QString()));
    EXPECT_TRUE(isAscii(QStringLiteral("abc ~")));
    EXPECT_FALSE(isAscii(QStringLiteral("Grüße")));
    EXPECT_EQ(ansiCharCodes("A\xE4"), QStringLiteral("#$41#$E4"));
    MappedDrive drive;
    drive.write(QStringLiteral("a.txt"), "12345");
    EXPECT_EQ(fileSizeOf(drive.program(QStringLiteral("a.txt"))), 5);
    EXPECT_EQ(fileSizeOf(drive.program(QStringLiteral("b.txt"))), -1);
}
