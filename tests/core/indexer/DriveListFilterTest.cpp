#include "indexer/DriveListFilter.h"

#include "indexer/ExtensionPatterns.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace drivelist;

TEST(ExtensionPatternsTest, FieldBecomesFiveSlots)
{
    const auto patterns = [](const char* field) {
        return extensions::patternsOf(extensions::parseField(QString::fromUtf8(field)));
    };
    EXPECT_EQ(patterns("*.TXT"), QStringList({"*.txt", "", "", "", ""}));
    EXPECT_EQ(patterns("*.txt *.csv"), QStringList({"*.txt", "*.csv", "", "", ""}));
    EXPECT_EQ(patterns("txt csv"), QStringList({"*.txt csv", "", "", "", ""}));
    EXPECT_EQ(patterns("*.a *.b *.c *.d *.e *.f"),
              QStringList({"*.a", "*.b", "*.c", "*.d", "*.e"}));
    EXPECT_EQ(patterns("*.txt; *.md"), QStringList({"*.txt;", "*.md", "", "", ""}));
    EXPECT_EQ(patterns("  "), QStringList({"", "", "", "", ""}));
}

// Remembered patterns come back from the file; a slot holding a line break (possible from
// the command line) is not remembered, as the file would give it back as two patterns
// (found by fuzzing).
TEST(ExtensionPatternsTest, RememberedPatternsReadBack)
{
    const MappedDrive drive;
    const QString file = drive.program(QStringLiteral("AuswahlEndungen.txt"));
    const auto slotTexts = extensions::parseField(QStringLiteral("*.md *.log\nx *.ini"));
    const Result<QStringList> kept =
        extensions::rememberPatterns(extensions::rememberedPatterns(file), slotTexts, file);
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(kept.value(), QStringList({"*.csv", "*.ini", "*.md", "*.txt"}));
    EXPECT_EQ(extensions::rememberedPatterns(file), kept.value());
}

TEST(DriveListFilterTest, EntriesBelowTheFolderWithAMatchingExtension)
{
    const QByteArray list = "C:\\Daten\\a.txt\r\n"
                            "\" B.TXT\r\n"
                            "\" c.csv\r\n"
                            "\" d.doc\r\n"
                            "C:\\Daten\\Sub\\e.txt\r\n"
                            "C:\\Datenbank\\f.txt\r\n"
                            "C:\\daten\\h.txt\r\n" // folders compare case-sensitively
                            "\" g.txt\r\n"
                            "C:\\Daten\\Alt\\Notiz.txt\r\n"
                            "\" Brief.txt\r\n";
    const QStringList lines =
        descriptorLines(list, QStringLiteral("C:\\Daten"), {"*.txt", "*.csv", "", "", ""});
    EXPECT_EQ(lines, QStringList({"PFAD_UND_ENDUNGEN= C:\\Daten *.txt *.csv   ", "C:\\Daten\\a.txt",
                                  "C:\\Daten\\B.TXT", "C:\\Daten\\c.csv", "C:\\Daten\\Sub\\e.txt",
                                  "C:\\Daten\\Alt\\Notiz.txt", "C:\\Daten\\Alt\\Brief.txt"}));
}

TEST(DriveListFilterTest, OddListsAndFolderFields)
{
    // Blank lines, a name entry before any full path, another drive below a root folder, a
    // line without line break at the end.
    const QByteArray list =
        "\r\n\" waise.txt\r\n\r\nD:\\Texte\\a.txt\r\n\r\n\" b.txt\nC:\\x.txt\r\nD:\\c.txt";
    const QStringList patterns = {"*.txt", "", "", "", ""};
    EXPECT_EQ(descriptorLines(list, QStringLiteral("D:\\"), patterns).mid(1),
              QStringList({"D:\\Texte\\a.txt", "D:\\c.txt"}));
    // A trailing backslash on the folder does not hide its subfolders.
    EXPECT_EQ(descriptorLines("D:\\Texte\\Sub\\a.txt\r\n", QStringLiteral("D:\\Texte\\"), patterns)
                  .mid(1),
              QStringList({"D:\\Texte\\Sub\\a.txt"}));
    // A file matching two slots is listed once; the header keeps the slots as typed.
    EXPECT_EQ(descriptorLines("D:\\a.txt\r\nD:\\b.TxT\r\n", QStringLiteral("D:\\"),
                              {"*.txt", "*.TXT", "", "", ""}),
              QStringList({"PFAD_UND_ENDUNGEN= D:\\ *.txt *.TXT   ", "D:\\a.txt", "D:\\b.TxT"}));
    // Stopped by the caller.
    EXPECT_EQ(descriptorLines(list, QStringLiteral("D:\\"), patterns, [] { return false; }).size(),
              1);
}
