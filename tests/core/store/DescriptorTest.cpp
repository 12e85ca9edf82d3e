#include "store/Descriptor.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace descriptor;
using namespace Qt::StringLiterals;

// The header has five slots for patterns; reading takes it apart.
TEST(DescriptorTest, HeaderIsFormattedAndTakenApart)
{
    EXPECT_EQ(formatHeader(u"D:\\Texte"_s, {u"*.txt"_s, u"*.csv"_s}),
              u"PFAD_UND_ENDUNGEN= D:\\Texte *.txt *.csv   "_s);
    EXPECT_EQ(formatHeader(u"C:\\"_s, {u"*.txt"_s}), u"PFAD_UND_ENDUNGEN= C:\\ *.txt    "_s);

    const auto header = parseHeader(u"PFAD_UND_ENDUNGEN= D:\\Meine Texte *.txt *.csv   "_s);
    ASSERT_TRUE(header.ok());
    EXPECT_EQ(header->sourceFolder, u"D:\\Meine Texte"_s);
    EXPECT_EQ(header->extensionPart, u"*.txt *.csv   "_s);
    EXPECT_EQ(header->driveLetter, u'D');
    // Bad headers give a message.
    EXPECT_FALSE(parseHeader(u"D:\\Texte\\a.txt"_s).ok());
    EXPECT_FALSE(parseHeader(u"PFAD_UND_ENDUNGEN=  *.txt"_s).ok());
    EXPECT_FALSE(parseHeader(QString()).ok());
    // Without any pattern the whole rest is the folder.
    EXPECT_EQ(parseHeader(u"PFAD_UND_ENDUNGEN= E:\\x"_s).value().sourceFolder, u"E:\\x"_s);
}

TEST(DescriptorTest, ReadsOnlyTheFirstLineOfTheFile)
{
    MappedDrive drive;
    drive.write(u"ok.dat"_s, "PFAD_UND_ENDUNGEN= D:\\Ü *.txt    \r\nD:\\Ü\\a.txt\r\n");
    const auto header = readHeader(drive.program(u"ok.dat"_s));
    ASSERT_TRUE(header.ok()) << header.error().toStdString();
    EXPECT_EQ(header->sourceFolder, u"D:\\Ü"_s);

    drive.write(u"headless.dat"_s, "D:\\a.txt\r\nD:\\b.txt\r\n");
    const auto headless = readHeader(drive.program(u"headless.dat"_s));
    ASSERT_FALSE(headless.ok());
    EXPECT_TRUE(headless.error().contains(u"headless.dat"_s));
    EXPECT_FALSE(readHeader(drive.program(u"missing.dat"_s)).ok());
}
