#include "store/Utf8.h"

#include "store/LenientUtf8Check.h"
#include "store/Utf16Statistics.h"
#include "support/Utf16.h"

#include <QRandomGenerator>

#include <bit>
#include <cstring>

#include <gtest/gtest.h>

namespace {

const unsigned char* bytesOf(const QByteArray& bytes)
{
    return reinterpret_cast<const unsigned char*>(bytes.constData());
}
utf8::StrictResult strict(const QByteArray& bytes)
{
    return utf8::validateStrict(bytesOf(bytes), bytes.size());
}
bool lenient(const QByteArray& bytes)
{
    return utf8::isWholeFileUtf8(bytesOf(bytes), bytes.size());
}
bool looksLE(const QByteArray& bytes)
{
    return looksLikeUtf16LE(bytesOf(bytes), bytes.size());
}

// The whole-file rule read literally, one sequence after the other.
bool lenientByteByByte(const QByteArray& bytes)
{
    bool sawHigh = false;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        sawHigh = true;
        const int ones = std::countl_one(lead);
        if (ones == 1 || i + ones > bytes.size())
            return false;
        for (int k = 1; k < ones; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += ones;
    }
    return sawHigh;
}

} // namespace

TEST(Utf8Test, StrictAndLenientValidators)
{
    using R = utf8::StrictResult;
    EXPECT_EQ(strict(""), R::NoMultiByte);
    EXPECT_EQ(strict("plain"), R::NoMultiByte);
    EXPECT_EQ(strict("Gr\xC3\xBC\xC3\x9F"), R::Valid);
    EXPECT_EQ(strict("\xE2\x82\xAC"), R::Valid);     // euro sign
    EXPECT_EQ(strict("\xF0\x9F\x98\x80"), R::Valid); // emoji
    EXPECT_EQ(strict("\xED\xA0\x80"), R::Valid);     // surrogates are not rejected
    EXPECT_EQ(strict("\xF4\x90\x80\x80"), R::Valid); // nor code points above U+10FFFF
    EXPECT_EQ(strict("\xC0\xAF"), R::Invalid);       // overlong two-byte lead
    EXPECT_EQ(strict("\xC1\xBF"), R::Invalid);
    EXPECT_EQ(strict("\xE0\x80\x80"), R::Invalid); // overlong three-byte form
    EXPECT_EQ(strict("\xE0\xA0\x80"), R::Valid);
    EXPECT_EQ(strict("\xF0\x80\x80\x80"), R::Invalid); // overlong four-byte form
    EXPECT_EQ(strict("\xF0\x90\x80\x80"), R::Valid);
    EXPECT_EQ(strict("\xF8\x88\x80\x80\x80"), R::Invalid); // five-byte lead
    EXPECT_EQ(strict("\x80"), R::Invalid);
    EXPECT_EQ(strict("\xC3"), R::Invalid); // cut off by the end
    EXPECT_EQ(strict("\xE2\x82"), R::Invalid);
    EXPECT_EQ(strict("\xC3\x41"), R::Invalid);
    EXPECT_EQ(strict("Gr\xFC\xDF"), R::Invalid);
    // The lenient whole-file test counts followers but does not check ranges.
    EXPECT_FALSE(lenient(""));
    EXPECT_FALSE(lenient("only ascii"));
    EXPECT_TRUE(lenient("\xC3\xA4"));
    EXPECT_TRUE(lenient("\xC0\x80"));                         // overlong: accepted
    EXPECT_TRUE(lenient("\xFF\x80\x80\x80\x80\x80\x80\x80")); // eight ones, seven followers
    EXPECT_TRUE(lenient("\xFE\x80\x80\x80\x80\x80\x80"));     // seven ones, six followers
    EXPECT_FALSE(lenient("\xFE\x80\x80\x80\x80\x80"));
    EXPECT_FALSE(lenient("\x80"));
    EXPECT_FALSE(lenient("ab\xC3"));
    EXPECT_FALSE(lenient("\xE4\xB8"));
    EXPECT_FALSE(lenient("Gr\xFC\xDF"));
}

// The block-wise test must agree with the literal rule on every input, wherever a sequence
// falls relative to its 16- and 64-byte blocks and the file's ends.
TEST(Utf8Test, LenientTestAgreesWithTheLiteralRule)
{
    QRandomGenerator random(20261207);
    const QByteArray pieces[] = {"a",
                                 "bc",
                                 "\xC3\xA4",
                                 "\xE2\x82\xAC",
                                 "\xF0\x9F\x98\x80",
                                 "\xFF\x80\x80\x80\x80\x80\x80\x80",
                                 "\xFE\x80\x80\x80\x80\x80\x80",
                                 "\x80",
                                 "\xC3",
                                 "\xE4",
                                 "\xFC\x80\x80"};
    int disagreements = 0;
    int valid = 0;
    for (int round = 0; round < 20000; ++round) {
        QByteArray text;
        const int length = int(random.bounded(400));
        const int breakChance = int(random.bounded(1, 200)); // rare breaks make valid texts
        while (text.size() < length) {
            if (random.bounded(breakChance) == 0)
                text += pieces[7 + random.bounded(4)];
            else if (random.bounded(8) == 0)
                text += pieces[2 + random.bounded(5)];
            else
                text += QByteArray(int(random.bounded(1, 80)), 'x');
        }
        const bool expected = lenientByteByByte(text);
        valid += expected;
        if (lenient(text) != expected && ++disagreements < 5)
            ADD_FAILURE() << "disagree on " << text.toHex().toStdString();
    }
    EXPECT_EQ(disagreements, 0);
    EXPECT_GT(valid, 2000); // both outcomes are exercised
    EXPECT_LT(valid, 18000);
}

// Pieces of a file are checked one after the other; a sequence may straddle two pieces.
TEST(Utf8Test, PiecewiseCheckAgreesWithTheLiteralRule)
{
    QRandomGenerator random(77);
    const QByteArray pieces[] = {"abc",  "\xC3\xA4", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                                 "\x80", "\xE4"};
    for (int round = 0; round < 3000; ++round) {
        QByteArray text;
        while (text.size() < 300)
            text += pieces[random.bounded(round % 3 == 0 ? 6 : 4)];
        LenientUtf8Check check(std::size_t(random.bounded(1, 70)));
        qsizetype at = 0;
        while (at < text.size()) {
            const qsizetype piece =
                std::min<qsizetype>(text.size() - at, qsizetype(check.pieceCapacity()));
            std::memcpy(check.pieceBuffer(), text.constData() + at, std::size_t(piece));
            check.checkPiece(std::size_t(piece));
            at += piece;
        }
        ASSERT_EQ(check.finish(), lenientByteByByte(text)) << text.toHex().toStdString();
    }
}

TEST(Utf8Test, Utf16StatisticsOverOddPiecesAndASplitSignature)
{
    const QByteArray le = utf16(QStringLiteral("Grüße aus Köln, zweite Zeile.\r\n"));
    for (const std::size_t split : {1, 3, 17, 33}) {
        Utf16Statistics statistics;
        statistics.feed(bytesOf(le), split);
        statistics.feed(bytesOf(le) + split, le.size() - split);
        EXPECT_TRUE(statistics.looksLikeUtf16LE()) << split;
    }
    EXPECT_FALSE(looksLE("Gr\xFC\xDF aus K\xF6ln, zweite Zeile.\r\n"));
    EXPECT_FALSE(looksLE(QByteArray(200, '\0') + le));
    EXPECT_FALSE(looksLE("A"));

    // The signature counts when the first piece holds only its first byte (found by fuzzing).
    const unsigned char bytes[] = {0xFF, 0xFE, 0x00};
    EXPECT_TRUE(looksLikeUtf16LE(bytes, 3));
    Utf16Statistics statistics;
    statistics.feed(bytes, 1);
    statistics.feed(bytes + 1, 2);
    EXPECT_TRUE(statistics.looksLikeUtf16LE());
    Utf16Statistics notSigned;
    notSigned.feed(bytes + 1, 1);
    notSigned.feed(bytes, 2);
    EXPECT_FALSE(notSigned.looksLikeUtf16LE());
}

TEST(Utf8Test, BytesHeldAsCharactersBecomeRealText)
{
    const QString bytesAsChars = QStringLiteral("Gr\u00C3\u00BC\u00C3\u0178e"); // C3 BC C3 9F
    EXPECT_EQ(utf8::bytesAsCharsToText(bytesAsChars), QStringLiteral("Grüße"));
    EXPECT_EQ(utf8::decode(utf8::encode(QStringLiteral("Grüße €"))), QStringLiteral("Grüße €"));
}
