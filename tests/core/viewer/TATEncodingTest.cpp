#include "viewer/TATEncoding.h"

#include "store/Windows1252.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace {

const EncodingAvailability kNothingInstalled = availabilityFrom([](int) { return false; });

QByteArray allBytes()
{
    QByteArray bytes(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        bytes[i] = char(i);
    return bytes;
}

// Test names from display names: "Western European (Windows-1252)" -> WesternEuropeanWindows1252.
std::string testName(TATEncoding encoding)
{
    std::string name;
    for (const char c : encodingDisplayName(encoding).toStdString()) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
    }
    return name + "_" + std::to_string(encoding);
}

// Only the first entry of a code page can become available, so a repeated one would vanish.
TEST(TATEncodingTable, NoCodePageRepeats)
{
    std::set<int> seen;
    for (int i = 0; i < kEncodingCount; ++i) {
        const int codePage = encodingRec(TATEncoding(i)).codePage;
        EXPECT_TRUE(codePage < 0 || seen.insert(codePage).second) << i;
    }
}

TEST(TATEncodingAvailability, FirstSixAlwaysTheRestByCodePage)
{
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

struct ConversionCase {
    const char* name;
    TATEncoding encoding;
    QByteArray bytes;
    const char* utf8;
};

class TATEncodingConversionTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(TATEncodingConversionTest, GivesTheText)
{
    const ConversionCase& c = GetParam();
    if (encodingCharSize(c.encoding) == 1 && !isEncodingAvailable(c.encoding))
        GTEST_SKIP() << "no decoder for " << encodingDisplayName(c.encoding).toStdString();
    EXPECT_EQ(convertToUnicode(c.bytes, c.encoding).toStdString(), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    TATEncoding, TATEncodingConversionTest,
    testing::Values(ConversionCase{"ansi", vEncANSI, "\x80 \xE4\x81", "€ ä\u0081"},
                    ConversionCase{"ebcdic_hello", vEncEBCDIC, "\xC8\x85\x93\x93\x96", "Hello"},
                    ConversionCase{"ebcdic_germany", vEncEBGermany, "\x4A\xC0\x7C", "Ää§"},
                    ConversionCase{"koi8", vEncKOI8, "\xF0\xD2\xC9\xD7\xC5\xD4", "Привет"},
                    ConversionCase{"koi8r", vEncCyrKOI8R, "\xE1\xE2\xA3", "АБё"},
                    ConversionCase{"koi8u", vEncCyrKOI8U, "\xA4\xB4", "єЄ"},
                    ConversionCase{"win1251", vEncCyrWin, "\xCF\xF0\xE8", "При"},
                    ConversionCase{"iso_is_latin1", vEncISO, "\x80\xE4", "\u0080ä"},
                    ConversionCase{"iso8859_2", vEncCEuroISO, "\xB1\xE6\xEA\xA3", "ąćęŁ"},
                    ConversionCase{"oem_is_850", vEncOEM, "\x81\x84\x94\xE1", "üäöß"},
                    ConversionCase{"mac_is_macroman", vEncMac, "\x8A\x9A\xA7\xDB", "äöß€"},
                    ConversionCase{"mac_greek", vEncGreekMac, "\xB0\xE1", "Αα"},
                    ConversionCase{"utf16le", vEncUnicodeLE, QByteArray("H\0\xAC\x20", 4), "H€"},
                    ConversionCase{"utf16be_swaps", vEncUnicodeBE, QByteArray("\0H\x20\xAC", 4),
                                   "H€"},
                    ConversionCase{"utf16be_odd_byte", vEncUnicodeBE, QByteArray("\0H\0", 3), "H"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TATEncodingUnavailable, ConvertsToQuestionMark)
{
    EXPECT_EQ(convertToUnicode("abc", vEncCyrWin, kNothingInstalled), "?");
    EXPECT_EQ(convertToUnicode("", vEncCyrWin, kNothingInstalled), "");
    EXPECT_EQ(convertToUnicode("", vEncUnicodeBE), "");
}

// The built-in rules fall back to their own tables, which must agree with the real code page.
class TATEncodingBuiltInTable : public testing::TestWithParam<std::pair<TATEncoding, TATEncoding>> {
};

TEST_P(TATEncodingBuiltInTable, AgreesWithTheCodePage)
{
    const auto [rule, entry] = GetParam();
    if (!isEncodingAvailable(entry))
        GTEST_SKIP() << "no decoder to compare with";
    EXPECT_EQ(convertToUnicode(allBytes(), rule, kNothingInstalled),
              convertToUnicode(allBytes(), entry));
    EXPECT_EQ(convertToUnicode(allBytes(), rule), convertToUnicode(allBytes(), entry));
}

INSTANTIATE_TEST_SUITE_P(TATEncoding, TATEncodingBuiltInTable,
                         testing::Values(std::pair(vEncEBCDIC, vEncEBUSCanada),
                                         std::pair(vEncKOI8, vEncCyrKOI8R),
                                         std::pair(vEncISO, vEncWEuroISO1),
                                         std::pair(vEncMac, vEncWEuroMac)),
                         [](const auto& info) { return testName(info.param.first); });

// The stream search compares translated bytes; they must match converting whole blocks.
class TATEncodingByteByByte : public testing::TestWithParam<int> {};

TEST_P(TATEncodingByteByByte, TranslationMatchesBlockConversion)
{
    const auto encoding = TATEncoding(GetParam());
    const std::optional<AnsiTranslation> translation = ansiTranslation(encoding);
    if (!isEncodingAvailable(encoding)) {
        EXPECT_EQ(convertToUnicode(allBytes(), encoding), "?");
        EXPECT_FALSE(translation);
        return;
    }
    ASSERT_TRUE(translation);
    const QString text = convertToUnicode(allBytes(), encoding);
    ASSERT_EQ(text.size(), 256);
    const QByteArray ansi = cp1252::encode(text);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(static_cast<unsigned char>(ansi[i]), (*translation)[i]) << "byte " << i;
}

INSTANTIATE_TEST_SUITE_P(TATEncoding, TATEncodingByteByByte, testing::Range(0, int(vEncUnicodeLE)),
                         [](const auto& info) { return testName(TATEncoding(info.param)); });

} // namespace
