#include "viewer/TATEncoding.h"

#include "store/Windows1252.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const EncodingAvailability kNothingInstalled = availabilityFrom([](int) { return false; });

QByteArray allBytes()
{
    QByteArray bytes(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        bytes[i] = char(i);
    return bytes;
}

// Only the first entry of a code page can become available, so a repeated one would vanish.
TEST(TATEncodingTable, NoCodePageRepeatsTheFirstSixAreAlwaysAvailable)
{
    std::set<int> seen;
    for (int i = 0; i < kEncodingCount; ++i) {
        const int codePage = encodingRec(TATEncoding(i)).codePage;
        EXPECT_TRUE(codePage < 0 || seen.insert(codePage).second) << i;
    }
    // The first six are always available, the rest by their code page.
    const EncodingAvailability only850 = availabilityFrom([](int cp) { return cp == 850; });
    const EncodingAvailability all = availabilityFrom([](int) { return true; });
    for (int i = 0; i < kEncodingCount; ++i) {
        EXPECT_EQ(kNothingInstalled[i], i <= vEncMac) << i;
        EXPECT_EQ(only850[i], i <= vEncMac || i == vEncWEuroDOS) << i;
        // The UTF-16 entries have no code page; their conversion does not ask.
        EXPECT_EQ(all[i], i < vEncUnicodeLE) << i;
    }
    EXPECT_TRUE(isEncodingAvailable(vEncWEuroWin));
    EXPECT_TRUE(isEncodingAvailable(vEncEBCDIC));
    // The stream search never translates UTF-16 byte by byte.
    EXPECT_FALSE(ansiTranslation(vEncUnicodeLE));
    EXPECT_FALSE(ansiTranslation(vEncUnicodeBE));
}

TEST(TATEncodingConversion, GivesTheTextOrAQuestionMarkWithoutADecoder)
{
    const struct {
        TATEncoding encoding;
        QByteArray bytes;
        const char* utf8;
    } cases[] = {{vEncANSI, "\x80 \xE4\x81", "€ ä\u0081"},
                 {vEncEBCDIC, "\xC8\x85\x93\x93\x96", "Hello"},
                 {vEncEBGermany, "\x4A\xC0\x7C", "Ää§"},
                 {vEncKOI8, "\xF0\xD2\xC9\xD7\xC5\xD4", "Привет"},
                 {vEncCyrKOI8R, "\xE1\xE2\xA3", "АБё"},
                 {vEncCyrKOI8U, "\xA4\xB4", "єЄ"},
                 {vEncCyrWin, "\xCF\xF0\xE8", "При"},
                 {vEncISO, "\x80\xE4", "\u0080ä"}, // ISO is Latin-1
                 {vEncCEuroISO, "\xB1\xE6\xEA\xA3", "ąćęŁ"},
                 {vEncOEM, "\x81\x84\x94\xE1", "üäöß"}, // OEM is IBM-850
                 {vEncMac, "\x8A\x9A\xA7\xDB", "äöß€"}, // Mac is Mac Roman
                 {vEncGreekMac, "\xB0\xE1", "Αα"},
                 {vEncUnicodeLE, QByteArray("H\0\xAC\x20", 4), "H€"},
                 {vEncUnicodeBE, QByteArray("\0H\x20\xAC", 4), "H€"},
                 {vEncUnicodeBE, QByteArray("\0H\0", 3), "H"}}; // an odd last byte
    for (const auto& c : cases) {
        SCOPED_TRACE(encodingDisplayName(c.encoding).toStdString());
        if (encodingCharSize(c.encoding) == 1 && !isEncodingAvailable(c.encoding))
            continue; // no decoder here
        EXPECT_EQ(convertToUnicode(c.bytes, c.encoding).toStdString(), c.utf8);
    }
    EXPECT_EQ(convertToUnicode("abc", vEncCyrWin, kNothingInstalled), "?");
    EXPECT_EQ(convertToUnicode("", vEncCyrWin, kNothingInstalled), "");
    EXPECT_EQ(convertToUnicode("", vEncUnicodeBE), "");
}

// The built-in rules fall back to their own tables, which must agree with the real code page.
TEST(TATEncodingBuiltInTable, AgreesWithTheCodePage)
{
    const std::pair<TATEncoding, TATEncoding> rules[] = {{vEncEBCDIC, vEncEBUSCanada},
                                                         {vEncKOI8, vEncCyrKOI8R},
                                                         {vEncISO, vEncWEuroISO1},
                                                         {vEncMac, vEncWEuroMac}};
    for (const auto& [rule, entry] : rules) {
        SCOPED_TRACE(encodingDisplayName(entry).toStdString());
        if (!isEncodingAvailable(entry))
            continue; // no decoder to compare with
        EXPECT_EQ(convertToUnicode(allBytes(), rule, kNothingInstalled),
                  convertToUnicode(allBytes(), entry));
        EXPECT_EQ(convertToUnicode(allBytes(), rule), convertToUnicode(allBytes(), entry));
    }
}

// The stream search compares translated bytes; they must match converting whole blocks.
TEST(TATEncodingByteByByte, TranslationMatchesBlockConversion)
{
    for (int i = 0; i < int(vEncUnicodeLE); ++i) {
        const auto encoding = TATEncoding(i);
        SCOPED_TRACE(encodingDisplayName(encoding).toStdString());
        const std::optional<AnsiTranslation> translation = ansiTranslation(encoding);
        if (!isEncodingAvailable(encoding)) {
            EXPECT_EQ(convertToUnicode(allBytes(), encoding), "?");
            EXPECT_FALSE(translation);
            continue;
        }
        ASSERT_TRUE(translation);
        const QString text = convertToUnicode(allBytes(), encoding);
        ASSERT_EQ(text.size(), 256);
        const QByteArray ansi = cp1252::encode(text);
        for (int b = 0; b < 256; ++b)
            EXPECT_EQ(static_cast<unsigned char>(ansi[b]), (*translation)[b]) << "byte " << b;
    }
}

} // namespace
