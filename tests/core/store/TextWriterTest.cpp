#include "store/TextWriter.h"

#include "support/TempFolder.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(TextWriterTest, CodePages)
{
    MappedDrive drive;
    const QString text = u"Grüße €\u0101\r\n"_s;
    ASSERT_TRUE(WriteToStream(text, drive.program(u"a.txt"_s), CodePage::Ansi1252).ok());
    EXPECT_EQ(drive.read(u"a.txt"_s), QByteArray("Gr\xFC\xDF") + "e \x80?\r\n");
    ASSERT_TRUE(WriteToStream(text, drive.program(u"u.txt"_s), CodePage::Utf8).ok());
    EXPECT_EQ(drive.read(u"u.txt"_s), text.toUtf8());
    ASSERT_TRUE(WriteToStream(u"Aä"_s, drive.program(u"w.txt"_s), CodePage::Utf16LE).ok());
    EXPECT_EQ(drive.read(u"w.txt"_s), QByteArray("\xFF\xFE\x41\0\xE4\0", 6));
}

TEST(TextWriterTest, ReplacesWholeLeavesNoTemporaryFileOrNamesTheFileThatFailed)
{
    MappedDrive drive;
    drive.write(u"a.txt"_s, QByteArray(1000, 'o'));
    ASSERT_TRUE(WriteToStream(u"new"_s, drive.program(u"a.txt"_s), CodePage::Utf8).ok());
    EXPECT_EQ(drive.read(u"a.txt"_s), "new");
    EXPECT_EQ(QDir(drive.native()).entryList(QDir::Files | QDir::Hidden), QStringList({"a.txt"}));

    // Without forcing it to disk, the same replacement in one step.
    ASSERT_TRUE(writeFileSafely(drive.program(u"a.txt"_s), "newer", Durability::NotForced).ok());
    EXPECT_EQ(drive.read(u"a.txt"_s), "newer");
    EXPECT_EQ(QDir(drive.native()).entryList(QDir::Files | QDir::Hidden), QStringList({"a.txt"}));
    EXPECT_FALSE(writeFileSafely(drive.program(u"no/a.txt"_s), "x", Durability::NotForced).ok());
    // A failure names the file.
    const Status missingFolder =
        WriteToStream(u"x"_s, drive.program(u"no/a.txt"_s), CodePage::Utf8);
    ASSERT_FALSE(missingFolder.ok());
    EXPECT_TRUE(missingFolder.error().contains(u"D:\\no\\a.txt"_s));
    EXPECT_FALSE(WriteToStream(u"x"_s, u"Q:\\a.txt"_s, CodePage::Utf8).ok());
}
