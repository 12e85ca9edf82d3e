#include "store/Descriptor.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace descriptor;

TEST(DescriptorTest, HeaderHasFiveSlots)
{
    EXPECT_EQ(formatHeader(QStringLiteral("D:\\Texte"),
                           {QStringLiteral("*.txt"), QStringLiteral("*.csv")}),
              QStringLiteral("PFAD_UND_ENDUNGEN= D:\\Texte *.txt *.csv   "));
    EXPECT_EQ(formatHeader(QStringLiteral("C:\\"), {QStringLiteral("*.txt")}),
              QStringLiteral("PFAD_UND_ENDUNGEN= C:\\ *.txt    "));
}

TEST(DescriptorTest, ReadersTakeTheHeaderApart)
{
    const auto header =
        parseHeader(QStringLiteral("PFAD_UND_ENDUNGEN= D:\\Meine Texte *.txt *.csv   "));
    ASSERT_TRUE(header.ok());
    EXPECT_EQ(header->sourceFolder, QStringLiteral("D:\\Meine Texte"));
    EXPECT_EQ(header->extensionPart, QStringLiteral("*.txt *.csv   "));
    EXPECT_EQ(header->driveLetter, u'D');
}

TEST(DescriptorTest, BadHeadersGiveAMessage)
{
    EXPECT_FALSE(parseHeader(QStringLiteral("D:\\Texte\\a.txt")).ok());
    EXPECT_FALSE(parseHeader(QStringLiteral("PFAD_UND_ENDUNGEN=  *.txt")).ok());
    EXPECT_FALSE(parseHeader(QString()).ok());
    // Without any pattern the whole rest is the folder.
    EXPECT_EQ(parseHeader(QStringLiteral("PFAD_UND_ENDUNGEN= E:\\x")).value().sourceFolder,
              QStringLiteral("E:\\x"));
}

TEST(DescriptorTest, ReadsOnlyTheFirstLineOfTheFile)
{
    MappedDrive drive;
    drive.write(QStringLiteral("ok.dat"), "PFAD_UND_ENDUNGEN= D:\\Ü *.txt    \r\nD:\\Ü\\a.txt\r\n");
    const auto header = readHeader(drive.program(QStringLiteral("ok.dat")));
    ASSERT_TRUE(header.ok()) << header.error().toStdString();
    EXPECT_EQ(header->sourceFolder, QStringLiteral("D:\\Ü"));

    drive.write(QStringLiteral("headless.dat"), "D:\\a.txt\r\nD:\\b.txt\r\n");
    const auto headless = readHeader(drive.program(QStringLiteral("headless.dat")));
    ASSERT_FALSE(headless.ok());
    EXPECT_TRUE(headless.error().contains(QStringLiteral("headless.dat")));
    EXPECT_FALSE(readHeader(drive.program(QStringLiteral("missing.dat"))).ok());
}
