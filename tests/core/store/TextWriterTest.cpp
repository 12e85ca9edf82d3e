#include "store/TextWriter.h"

#include "support/TempFolder.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(TextWriterTest, CodePages)
{
    MappedDrive drive;
    const QString text = QStringLiteral("Grüße €\u0101\r\n");
    ASSERT_TRUE(
        WriteToStream(text, drive.program(QStringLiteral("a.txt")), CodePage::Ansi1252).ok());
    EXPECT_EQ(drive.read(QStringLiteral("a.txt")), QByteArray("Gr\xFC\xDF"
                                                              "e \x80?\r\n"));
    ASSERT_TRUE(WriteToStream(text, drive.program(QStringLiteral("u.txt")), CodePage::Utf8).ok());
    EXPECT_EQ(drive.read(QStringLiteral("u.txt")), text.toUtf8());
    ASSERT_TRUE(WriteToStream(QStringLiteral("Aä"), drive.program(QStringLiteral("w.txt")),
                              CodePage::Utf16LE)
                    .ok());
    EXPECT_EQ(drive.read(QStringLiteral("w.txt")), QByteArray("\xFF\xFE"
                                                              "A\0\xE4\0",
                                                              6));
}

TEST(TextWriterTest, ReplacesWholeAndLeavesNoTemporaryFile)
{
    MappedDrive drive;
    drive.write(QStringLiteral("a.txt"), QByteArray(1000, 'o'));
    ASSERT_TRUE(
        WriteToStream(QStringLiteral("new"), drive.program(QStringLiteral("a.txt")), CodePage::Utf8)
            .ok());
    EXPECT_EQ(drive.read(QStringLiteral("a.txt")), "new");
    EXPECT_EQ(QDir(drive.native()).entryList(QDir::Files | QDir::Hidden), QStringList({"a.txt"}));

    // Without forcing it to disk, the same replacement in one step.
    ASSERT_TRUE(
        writeFileSafely(drive.program(QStringLiteral("a.txt")), "newer", Durability::NotForced)
            .ok());
    EXPECT_EQ(drive.read(QStringLiteral("a.txt")), "newer");
    EXPECT_EQ(QDir(drive.native()).entryList(QDir::Files | QDir::Hidden), QStringList({"a.txt"}));
    EXPECT_FALSE(
        writeFileSafely(drive.program(QStringLiteral("no/a.txt")), "x", Durability::NotForced)
            .ok());
}

TEST(TextWriterTest, FailureNamesTheFileAndKeepsTheOldOne)
{
    MappedDrive drive;
    const Status missingFolder = WriteToStream(
        QStringLiteral("x"), drive.program(QStringLiteral("no/a.txt")), CodePage::Utf8);
    ASSERT_FALSE(missingFolder.ok());
    EXPECT_TRUE(missingFolder.error().contains(QStringLiteral("D:\\no\\a.txt")));
    EXPECT_FALSE(
        WriteToStream(QStringLiteral("x"), QStringLiteral("Q:\\a.txt"), CodePage::Utf8).ok());
}
