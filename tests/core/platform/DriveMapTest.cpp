#include "platform/DriveMap.h"

#include <gtest/gtest.h>

TEST(DriveMapTest, DefaultMapsCToRootAndTheTextAddsLetters)
{
    const DriveMap map = DriveMap::fromText(QStringLiteral("D=/srv/texte; e=/mnt/usb/ ;bad;XY=/z"));
    EXPECT_EQ(map.toNative(QStringLiteral("C:\\Daten\\a.txt")), QStringLiteral("/Daten/a.txt"));
    EXPECT_EQ(map.toNative(QStringLiteral("D:\\Brief.txt")),
              QStringLiteral("/srv/texte/Brief.txt"));
    EXPECT_EQ(map.toNative(QStringLiteral("e:\\x")), QStringLiteral("/mnt/usb/x"));
    EXPECT_EQ(map.toNative(QStringLiteral("D:\\")), QStringLiteral("/srv/texte/"));
    EXPECT_EQ(map.letters().size(), 3);
    // A child process given the map as text sees the same drives.
    const DriveMap again = DriveMap::fromText(map.toText());
    EXPECT_EQ(again.toText(), map.toText());
    EXPECT_EQ(again.toNative(QStringLiteral("C:\\x")), QStringLiteral("/x"));
    EXPECT_EQ(again.toNative(QStringLiteral("E:\\x")), QStringLiteral("/mnt/usb/x"));
}

TEST(DriveMapTest, UnmappedLetterOrNoDriveGivesEmptyNativePath)
{
    const DriveMap map = DriveMap::fromText(QString());
    EXPECT_TRUE(map.toNative(QStringLiteral("Q:\\x.txt")).isEmpty());
    EXPECT_TRUE(map.toNative(QStringLiteral("relative\\x.txt")).isEmpty());
    EXPECT_TRUE(map.toNative(QString()).isEmpty());
}

TEST(DriveMapTest, NativePathTakesTheLongestMappedPrefix)
{
    const DriveMap map = DriveMap::fromText(QStringLiteral("D=/srv;E=/srv/texte"));
    EXPECT_EQ(map.toProgram(QStringLiteral("/srv/texte/a/b.txt")), QStringLiteral("E:\\a\\b.txt"));
    EXPECT_EQ(map.toProgram(QStringLiteral("/srv/texte2/b.txt")),
              QStringLiteral("D:\\texte2\\b.txt"));
    EXPECT_EQ(map.toProgram(QStringLiteral("/srv")), QStringLiteral("D:\\"));
    EXPECT_EQ(map.toProgram(QStringLiteral("/etc/x")), QStringLiteral("C:\\etc\\x"));
}

TEST(DriveMapTest, ReplacingCLeavesPathsOutsideUnmapped)
{
    const DriveMap map = DriveMap::fromText(QStringLiteral("C=/home/user"));
    EXPECT_FALSE(map.toProgram(QStringLiteral("/etc/passwd")).has_value());
    const QString native = QStringLiteral("/home/user/Texte/ä ß.txt");
    const auto program = map.toProgram(native);
    ASSERT_TRUE(program.has_value());
    EXPECT_EQ(*program, QStringLiteral("C:\\Texte\\ä ß.txt"));
    EXPECT_EQ(map.toNative(*program), native);
}
