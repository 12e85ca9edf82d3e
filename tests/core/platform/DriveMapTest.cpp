#include "platform/DriveMap.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(DriveMapTest, DefaultMapsCToRootTheTextAddsLettersUnmappedGiveNothing)
{
    const DriveMap map = DriveMap::fromText(u"D=/srv/texte; e=/mnt/usb/ ;bad;XY=/z"_s);
    EXPECT_EQ(map.toNative(u"C:\\Daten\\a.txt"_s), u"/Daten/a.txt"_s);
    EXPECT_EQ(map.toNative(u"D:\\Brief.txt"_s), u"/srv/texte/Brief.txt"_s);
    EXPECT_EQ(map.toNative(u"e:\\x"_s), u"/mnt/usb/x"_s);
    EXPECT_EQ(map.toNative(u"D:\\"_s), u"/srv/texte/"_s);
    EXPECT_EQ(map.letters().size(), 3);
    // A child process given the map as text sees the same drives.
    const DriveMap again = DriveMap::fromText(map.toText());
    EXPECT_EQ(again.toText(), map.toText());
    EXPECT_EQ(again.toNative(u"C:\\x"_s), u"/x"_s);
    EXPECT_EQ(again.toNative(u"E:\\x"_s), u"/mnt/usb/x"_s);
    // An unmapped letter or no drive gives an empty native path.
    EXPECT_TRUE(DriveMap::fromText(QString()).toNative(u"Q:\\x.txt"_s).isEmpty());
    EXPECT_TRUE(map.toNative(u"relative\\x.txt"_s).isEmpty());
    EXPECT_TRUE(map.toNative(QString()).isEmpty());
}

TEST(DriveMapTest, NativePathTakesTheLongestMappedPrefixOrNone)
{
    const DriveMap map = DriveMap::fromText(u"D=/srv;E=/srv/texte"_s);
    EXPECT_EQ(map.toProgram(u"/srv/texte/a/b.txt"_s), u"E:\\a\\b.txt"_s);
    EXPECT_EQ(map.toProgram(u"/srv/texte2/b.txt"_s), u"D:\\texte2\\b.txt"_s);
    EXPECT_EQ(map.toProgram(u"/srv"_s), u"D:\\"_s);
    EXPECT_EQ(map.toProgram(u"/etc/x"_s), u"C:\\etc\\x"_s);
    // Replacing C leaves paths outside unmapped.
    const DriveMap home = DriveMap::fromText(u"C=/home/user"_s);
    EXPECT_FALSE(home.toProgram(u"/etc/passwd"_s).has_value());
    const QString native = u"/home/user/Texte/ä ß.txt"_s;
    const auto program = home.toProgram(native);
    ASSERT_TRUE(program.has_value());
    EXPECT_EQ(*program, u"C:\\Texte\\ä ß.txt"_s);
    EXPECT_EQ(home.toNative(*program), native);
}
