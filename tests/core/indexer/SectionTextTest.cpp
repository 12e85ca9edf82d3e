#include "indexer/SectionText.h"

#include <gtest/gtest.h>

namespace {

QList<QByteArray> bytesOf(const QList<QByteArrayView>& pieces)
{
    QList<QByteArray> bytes;
    for (const QByteArrayView piece : pieces)
        bytes.append(piece.toByteArray());
    return bytes;
}

} // namespace

// A DLE drops itself and the character after it; 16-bit text loses an odd last byte; a
// Unicode-class file without a mark longer than FF FE gives one empty piece, an empty one none.
TEST(SectionTextTest, PiecesBetweenDleCharacters)
{
    using sectiontext::dlePieces;
    EXPECT_EQ(bytesOf(dlePieces("eins\x10Xzwei\x10Y", false)), (QList<QByteArray>{"eins", "zwei"}));
    EXPECT_EQ(bytesOf(dlePieces("ende\x10", false)), QList<QByteArray>{"ende"});
    EXPECT_EQ(bytesOf(dlePieces(QByteArray("\xFF\xFE"
                                           "a\0\x10\0X\0b\0c",
                                           11),
                                false)),
              (QList<QByteArray>{QByteArray("a\0", 2), QByteArray("b\0", 2)}));
    EXPECT_EQ(bytesOf(dlePieces(QByteArray("\xFF\xFE", 2), true)), QList<QByteArray>{QByteArray()});
    EXPECT_EQ(bytesOf(dlePieces("abc", true)), QList<QByteArray>{QByteArray()});
    EXPECT_TRUE(dlePieces({}, true).isEmpty());

    EXPECT_EQ(bytesOf(sectiontext::splitAtDleUnits(QByteArray("a\0\x10\0X\0b\0c", 9))),
              (QList<QByteArray>{QByteArray("a\0", 2), QByteArray("b\0", 2)}));
}

// The UTF-8 document counts a line's bytes as its characters; the ANSI one holds Windows-1252.
TEST(SectionTextTest, LinesAsTheDocumentsCountThem)
{
    const QString text = QStringLiteral("Grüße");
    EXPECT_EQ(sectiontext::encodeLine(Family::Utf8, text).chars, 7);
    EXPECT_EQ(sectiontext::encodeLine(Family::Ansi, text).bytes, "Gr\xFC\xDF"
                                                                 "e");
    EXPECT_EQ(
        sectiontext::largeFileHeadLines(QStringLiteral("D:\\Texte\\ein_langer_name.txt"), 10000001)
            .last(),
        QStringLiteral("Size: 9,54 MB ========"));
}
