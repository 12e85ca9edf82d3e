#include "store/EncodingDetection.h"

#include "support/TempFolder.h"
#include "support/Utf16.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(EncodingDetectionTest, FirstBytesGiveTheKindAndItsText)
{
    const std::pair<QByteArray, BomKind> cases[] = {
        {"\xEF\xBB\xBFxyz", BomKind::Utf8},
        {"\xEF\xBB\xBF", BomKind::Utf8},
        {QByteArray("\xFF\xFE\x41\x00", 4), BomKind::Utf16LE},
        {"\xFF\xFE", BomKind::Utf16LE},
        {QByteArray("\xFF\xFE\x00\x00", 4), BomKind::Utf32LE},
        {QByteArray("\xFE\xFF\x00\x41", 4), BomKind::Utf16BE},
        {QByteArray("\x00\x00\xFE\xFF", 4), BomKind::Utf32BE},
        {"{\\rtf1", BomKind::Rtf},
        {"{\\r", BomKind::Rtf},
        {QByteArray(), BomKind::None},
        {"\xEF", BomKind::None},
        {"\xEF\xBB", BomKind::None},
        {"Hallo", BomKind::None}};
    for (const auto& [bytes, kind] : cases)
        EXPECT_EQ(bomKindOf(bytes), kind) << bytes.toHex().toStdString();
    EXPECT_EQ(bomKindText(BomKind::Utf8), u"UTF8"_s);
    EXPECT_EQ(bomKindText(BomKind::Utf16BE), u"UTF16 - BigEndian"_s);
    EXPECT_EQ(bomKindText(BomKind::Utf16LE), u"UTF16 - LittleEndian"_s);
    EXPECT_EQ(bomKindText(BomKind::Utf32BE), u"UTF32 - BigEndian"_s);
    EXPECT_EQ(bomKindText(BomKind::Utf32LE), u"UTF32 - LittleEndian"_s);
    EXPECT_EQ(bomKindText(BomKind::Rtf), u"RTF"_s);
    EXPECT_EQ(bomKindText(BomKind::None), u"kein Unicode"_s);
}

TEST(EncodingDetectionTest, DecidesTheDocument)
{
    const QString plain = u"D:\\Texte\\Brief.txt"_s;
    const QString asiaPath = u"D:\\Texte\\\u6587\u66F8.txt"_s;
    const QByteArray ascii = QByteArray("abcdefghij").repeated(25000);
    const struct {
        const char* name;
        QString path;
        QByteArray bytes;
        EncodingClass expected;
    } cases[] = {
        {"ansi_umlauts", plain, "Gr\xFC\xDF aus K\xF6ln", EncodingClass::Ansi},
        {"utf8_umlauts", plain, "Gr\xC3\xBC\xC3\x9F", EncodingClass::Utf8},
        {"ascii", plain, "plain text\r\n", EncodingClass::Utf8},
        {"empty", plain, QByteArray(), EncodingClass::Utf8},
        // E4 is the lead of many CJK characters and Windows-1252 "ä" alike.
        {"cjk_with_e4_lead", plain, "\xE4\xB8\xAD\xE6\x96\x87", EncodingClass::Utf8},
        {"utf8_bom", plain, "\xEF\xBB\xBFGr\xFC\xDF", EncodingClass::Utf8},
        {"utf16le_bom", plain, "\xFF\xFE" + utf16(u"Hallo"_s), EncodingClass::Unicode},
        {"utf16be_bom", plain, QByteArray("\xFE\xFF\x00H", 4), EncodingClass::Unicode},
        {"utf16le_without_bom", plain, utf16(u"Grüße aus Köln\r\nZeile zwei\r\n"_s),
         EncodingClass::Unicode},
        {"utf32le", plain, QByteArray("\xFF\xFE\x00\x00H\x00\x00\x00", 8), EncodingClass::None},
        {"rtf", plain, "{\\rtf1\\ansi Text}", EncodingClass::None},
        // A path the ANSI document cannot hold never goes there.
        {"ansi_bytes_asian_path", asiaPath, "Gr\xFC\xDF", EncodingClass::Utf8},
        {"ascii_asian_path", asiaPath, "abc", EncodingClass::Utf8},
        // The sniff sees only the first 200,000 bytes; the whole-file test decides.
        {"late_umlaut_utf8", plain, ascii + "\xC3\xA4", EncodingClass::Utf8},
        {"late_umlaut_ansi", plain, ascii + "\xE4", EncodingClass::Utf8},
        {"early_umlaut_ansi", plain, "\xE4" + ascii, EncodingClass::Ansi}};
    for (const auto& c : cases)
        EXPECT_EQ(decideClass(c.path, c.bytes).encodingClass(), c.expected) << c.name;
    // Path characters outside Windows-1252.
    EXPECT_FALSE(EnthaeltPfadDateinameAsiaZeichen(u"C:\\Grüße\\€uro – “x”.txt"_s));
    EXPECT_TRUE(EnthaeltPfadDateinameAsiaZeichen(asiaPath));
    EXPECT_TRUE(EnthaeltPfadDateinameAsiaZeichen(u"C:\\\u0101.txt"_s)); // a with macron
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

TEST(EncodingDetectionTest, FilesOnDiskAndFilesThatAreGone)
{
    MappedDrive drive;
    drive.write(u"a.txt"_s, "Gr\xFC\xDF"
                            "e");
    const auto decision = decideClassOfFile(drive.program(u"a.txt"_s));
    ASSERT_TRUE(decision.ok());
    EXPECT_EQ(decision->encodingClass(), EncodingClass::Ansi);
    EXPECT_EQ(*checkByteOrderMark(drive.program(u"a.txt"_s)), BomKind::None);

    drive.write(u"empty.txt"_s, QByteArray());
    EXPECT_EQ(decideClassOfFile(drive.program(u"empty.txt"_s))->encodingClass(),
              EncodingClass::Utf8);

    // Larger than one read: a sequence across the piece edge, and a late broken one.
    QByteArray big(1 << 20, 'a');
    big[(1 << 20) - 1] = '\xC3';
    big += "\xA4 Ende";
    drive.write(u"big.txt"_s, big);
    EXPECT_EQ(decideClassOfFile(drive.program(u"big.txt"_s))->encodingClass(), EncodingClass::Utf8);
    drive.write(u"late.txt"_s, QByteArray(3 << 20, 'a') + "\xE4");
    const auto late = decideClassOfFile(drive.program(u"late.txt"_s));
    EXPECT_EQ(late->encodingClass(), EncodingClass::Utf8); // sniff saw only ASCII
    EXPECT_FALSE(late->flags.ansi);
    drive.write(u"bom.txt"_s, QByteArray("\xFF\xFE\x00\x00", 4) + QByteArray(3 << 20, 'a'));
    EXPECT_EQ(decideClassOfFile(drive.program(u"bom.txt"_s))->kind, BomKind::Utf32LE);

    EXPECT_FALSE(decideClassOfFile(drive.program(u"gone.txt"_s)).ok());
    EXPECT_FALSE(checkByteOrderMark(drive.program(u"gone.txt"_s)).ok());
    drive.makeFolder(u"folder.txt"_s);
    EXPECT_FALSE(decideClassOfFile(drive.program(u"folder.txt"_s)).ok());
}
