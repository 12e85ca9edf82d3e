#include "store/EncodingDetection.h"

#include "support/TempFolder.h"
#include "support/Utf16.h"

#include <gtest/gtest.h>

namespace {

struct BomCase {
    const char* name;
    QByteArray bytes;
    BomKind kind;
};

class BomKindTest : public testing::TestWithParam<BomCase> {};

TEST_P(BomKindTest, FirstBytesGiveTheKind)
{
    EXPECT_EQ(bomKindOf(GetParam().bytes), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, BomKindTest,
    testing::Values(BomCase{"utf8",
                            QByteArray("\xEF\xBB\xBF"
                                       "abc"),
                            BomKind::Utf8},
                    BomCase{"utf8_alone", QByteArray("\xEF\xBB\xBF"), BomKind::Utf8},
                    BomCase{"utf16le", QByteArray("\xFF\xFE\x41\x00", 4), BomKind::Utf16LE},
                    BomCase{"utf16le_two_bytes", QByteArray("\xFF\xFE"), BomKind::Utf16LE},
                    BomCase{"utf32le", QByteArray("\xFF\xFE\x00\x00", 4), BomKind::Utf32LE},
                    BomCase{"utf16be", QByteArray("\xFE\xFF\x00\x41", 4), BomKind::Utf16BE},
                    BomCase{"utf32be", QByteArray("\x00\x00\xFE\xFF", 4), BomKind::Utf32BE},
                    BomCase{"rtf", QByteArray("{\\rtf1"), BomKind::Rtf},
                    BomCase{"rtf_three_bytes", QByteArray("{\\r"), BomKind::Rtf},
                    BomCase{"empty", QByteArray(), BomKind::None},
                    BomCase{"one_byte", QByteArray("\xEF"), BomKind::None},
                    BomCase{"ef_bb_blank", QByteArray("\xEF\xBB"), BomKind::None},
                    BomCase{"plain", QByteArray("Hallo"), BomKind::None}),
    [](const testing::TestParamInfo<BomCase>& info) { return std::string(info.param.name); });

struct ClassCase {
    const char* name;
    QString path;
    QByteArray bytes;
    EncodingClass expected;
};

QByteArray repeated(const QByteArray& piece, int times)
{
    QByteArray out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

class ClassDecisionTest : public testing::TestWithParam<ClassCase> {};

TEST_P(ClassDecisionTest, DecidesTheDocument)
{
    EXPECT_EQ(decideClass(GetParam().path, GetParam().bytes).encodingClass(), GetParam().expected);
}

const QString kPath = QStringLiteral("D:\\Texte\\Brief.txt");
const QString kAsiaPath = QStringLiteral("D:\\Texte\\\u6587\u66F8.txt");

INSTANTIATE_TEST_SUITE_P(
    Files, ClassDecisionTest,
    testing::Values(
        ClassCase{"ansi_umlauts", kPath,
                  QByteArray("Gr\xFC\xDF"
                             "e aus K\xF6ln"),
                  EncodingClass::Ansi},
        ClassCase{"utf8_umlauts", kPath,
                  QByteArray("Gr\xC3\xBC\xC3\x9F"
                             "e"),
                  EncodingClass::Utf8},
        ClassCase{"ascii", kPath, QByteArray("plain text\r\n"), EncodingClass::Utf8},
        ClassCase{"empty", kPath, QByteArray(), EncodingClass::Utf8},
        // E4 is the lead of many CJK characters and Windows-1252 "ä" alike.
        ClassCase{"cjk_with_e4_lead", kPath, QByteArray("\xE4\xB8\xAD\xE6\x96\x87"),
                  EncodingClass::Utf8},
        ClassCase{"utf8_bom", kPath, QByteArray("\xEF\xBB\xBFGr\xFC\xDF"), EncodingClass::Utf8},
        ClassCase{"utf16le_bom", kPath, QByteArray("\xFF\xFE") + utf16(QStringLiteral("Hallo")),
                  EncodingClass::Unicode},
        ClassCase{"utf16be_bom", kPath, QByteArray("\xFE\xFF\x00H", 4), EncodingClass::Unicode},
        ClassCase{"utf16le_without_bom", kPath,
                  utf16(QStringLiteral("Grüße aus Köln\r\nZeile zwei\r\n")),
                  EncodingClass::Unicode},
        ClassCase{"utf32le", kPath, QByteArray("\xFF\xFE\x00\x00H\x00\x00\x00", 8),
                  EncodingClass::None},
        ClassCase{"rtf", kPath, QByteArray("{\\rtf1\\ansi Text}"), EncodingClass::None},
        // A path the ANSI document cannot hold never goes there.
        ClassCase{"ansi_bytes_asian_path", kAsiaPath,
                  QByteArray("Gr\xFC\xDF"
                             "e"),
                  EncodingClass::Utf8},
        ClassCase{"ascii_asian_path", kAsiaPath, QByteArray("abc"), EncodingClass::Utf8},
        // The sniff sees only the first 200,000 bytes; the whole-file test decides.
        ClassCase{"late_umlaut_utf8", kPath, repeated("abcdefghij", 25000) + "\xC3\xA4",
                  EncodingClass::Utf8},
        ClassCase{"late_umlaut_ansi", kPath, repeated("abcdefghij", 25000) + "\xE4",
                  EncodingClass::Utf8},
        ClassCase{"early_umlaut_ansi", kPath, "\xE4" + repeated("abcdefghij", 25000),
                  EncodingClass::Ansi}),
    [](const testing::TestParamInfo<ClassCase>& info) { return std::string(info.param.name); });

} // namespace

TEST(EncodingDetectionTest, KindTexts)
{
    EXPECT_EQ(bomKindText(BomKind::Utf8), QStringLiteral("UTF8"));
    EXPECT_EQ(bomKindText(BomKind::Utf16BE), QStringLiteral("UTF16 - BigEndian"));
    EXPECT_EQ(bomKindText(BomKind::Utf16LE), QStringLiteral("UTF16 - LittleEndian"));
    EXPECT_EQ(bomKindText(BomKind::Utf32BE), QStringLiteral("UTF32 - BigEndian"));
    EXPECT_EQ(bomKindText(BomKind::Utf32LE), QStringLiteral("UTF32 - LittleEndian"));
    EXPECT_EQ(bomKindText(BomKind::Rtf), QStringLiteral("RTF"));
    EXPECT_EQ(bomKindText(BomKind::None), QStringLiteral("kein Unicode"));
}

// A lead byte that is also a Windows-1252 umlaut (E4: ä, C4: Ä) sets both flags in valid
// UTF-8, also after ASCII and other letters.
TEST(EncodingDetectionTest, SniffSetsBothFlagsForAnUmlautLeadInValidUtf8)
{
    ClassFlags first;
    sniffAnsiUtf8(QByteArray("\xE4\xB8\xAD"), first);
    EXPECT_TRUE(first.utf8);
    EXPECT_TRUE(first.ansi);
    const QByteArray ascii(40, 'a');
    ClassFlags late;
    sniffAnsiUtf8(ascii + "\xC3\xA4" + ascii + "\xC4\x80", late); // ä, then U+0100
    EXPECT_TRUE(late.utf8);
    EXPECT_TRUE(late.ansi);
    ClassFlags none;
    sniffAnsiUtf8(ascii + "\xC3\xA4" + ascii + "\xC3\xB6", none); // ä, ö: no lead byte C4
    EXPECT_TRUE(none.utf8);
    EXPECT_FALSE(none.ansi);
}

TEST(EncodingDetectionTest, PathCharactersOutsideWindows1252)
{
    EXPECT_FALSE(EnthaeltPfadDateinameAsiaZeichen(QStringLiteral("C:\\Grüße\\€uro – “x”.txt")));
    EXPECT_TRUE(EnthaeltPfadDateinameAsiaZeichen(kAsiaPath));
    EXPECT_TRUE(
        EnthaeltPfadDateinameAsiaZeichen(QStringLiteral("C:\\\u0101.txt"))); // a with macron
}

TEST(EncodingDetectionTest, FilesOnDiskAndFilesThatAreGone)
{
    MappedDrive drive;
    drive.write(QStringLiteral("a.txt"), "Gr\xFC\xDF"
                                         "e");
    const auto decision = decideClassOfFile(drive.program(QStringLiteral("a.txt")));
    ASSERT_TRUE(decision.ok());
    EXPECT_EQ(decision->encodingClass(), EncodingClass::Ansi);
    EXPECT_EQ(*checkByteOrderMark(drive.program(QStringLiteral("a.txt"))), BomKind::None);

    drive.write(QStringLiteral("empty.txt"), QByteArray());
    EXPECT_EQ(decideClassOfFile(drive.program(QStringLiteral("empty.txt")))->encodingClass(),
              EncodingClass::Utf8);

    // Larger than one read: a sequence across the piece edge, and a late broken one.
    QByteArray big(1 << 20, 'a');
    big[(1 << 20) - 1] = '\xC3';
    big += "\xA4 Ende";
    drive.write(QStringLiteral("big.txt"), big);
    EXPECT_EQ(decideClassOfFile(drive.program(QStringLiteral("big.txt")))->encodingClass(),
              EncodingClass::Utf8);
    drive.write(QStringLiteral("late.txt"), QByteArray(3 << 20, 'a') + "\xE4");
    const auto late = decideClassOfFile(drive.program(QStringLiteral("late.txt")));
    EXPECT_EQ(late->encodingClass(), EncodingClass::Utf8); // sniff saw only ASCII
    EXPECT_FALSE(late->flags.ansi);
    drive.write(QStringLiteral("bom.txt"),
                QByteArray("\xFF\xFE\x00\x00", 4) + QByteArray(3 << 20, 'a'));
    EXPECT_EQ(decideClassOfFile(drive.program(QStringLiteral("bom.txt")))->kind, BomKind::Utf32LE);

    EXPECT_FALSE(decideClassOfFile(drive.program(QStringLiteral("gone.txt"))).ok());
    EXPECT_FALSE(checkByteOrderMark(drive.program(QStringLiteral("gone.txt"))).ok());
    drive.makeFolder(QStringLiteral("folder.txt"));
    EXPECT_FALSE(decideClassOfFile(drive.program(QStringLiteral("folder.txt"))).ok());
}
