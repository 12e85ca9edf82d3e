#include "viewer/TATEncoding.h"

#include "store/Windows1252.h"
#include "viewer/EncodingTables.h"

#include <QStringDecoder>

#include <algorithm>
#include <mutex>

namespace {

constexpr std::array<TATEncodingRec, kEncodingCount> kEncodings = {{
    {-1, 0, "ANSI (Windows)"},
    {1, 0, "OEM (DOS)"},
    {-1, 0, "EBCDIC"},
    {-1, 0, "KOI8"},
    {-1, 0, "ISO"},
    {2, 0, "Mac"},
    {850, 1, "IBM-850"},
    {28591, 1, "ISO 8859-1"},
    {28605, 1, "ISO 8859-15"},
    {10000, 1, "MacRoman"},
    {1252, 1, "Windows-1252"},
    {852, 2, "IBM-852"},
    {28592, 2, "ISO 8859-2"},
    {10029, 2, "MacCE"},
    {1250, 2, "Windows-1250"},
    {775, 3, "IBM-775"},
    {28594, 3, "ISO 8859-4"},
    {28603, 3, "ISO 8859-13"},
    {1257, 3, "Windows-1257"},
    {866, 4, "IBM-866"},
    {28595, 4, "ISO 8859-5"},
    {20866, 4, "KOI8-R"},
    {21866, 4, "KOI8-U"},
    {10007, 4, "MacCyrillic"},
    {10017, 4, "MacUkrainian"},
    {1251, 4, "Windows-1251"},
    {737, 5, "IBM-737"},
    {28597, 5, "ISO 8859-7"},
    {10006, 5, "MacGreek"},
    {1253, 5, "Windows-1253"},
    {28593, 6, "ISO 8859-3"},
    {857, 7, "IBM-857"},
    {28599, 7, "ISO 8859-9"},
    {10081, 7, "MacTurkish"},
    {1254, 7, "Windows-1254"},
    {708, 8, "ASMO-708"},
    {720, 8, "DOS-720"},
    {864, 8, "IBM-864"},
    {28596, 8, "ISO 8859-6"},
    {10004, 8, "MacArabic"},
    {1256, 8, "Windows-1256"},
    {862, 9, "IBM-862"},
    {38598, 9, "ISO 8859-8, ISO-Logical"},
    {28598, 9, "ISO 8859-8, ISO-Visual"},
    {10005, 9, "MacHebrew"},
    {1255, 9, "Windows-1255"},
    {874, 10, "Windows-874"},
    {1258, 11, "Windows-1258"},
    {37, 12, "US-Canada"},
    {500, 12, "International"},
    {870, 12, "Multilingual Latin 2"},
    {875, 12, "Greek Modern"},
    {1026, 12, "Turkish (Latin 5)"},
    {1047, 12, "Latin 1/Open System"},
    {20273, 12, "Germany"},
    {20277, 12, "Denmark-Norway"},
    {20278, 12, "Finland-Sweden"},
    {20280, 12, "Italy"},
    {20284, 12, "Latin America-Spain"},
    {20285, 12, "United Kingdom"},
    {20290, 12, "Japanese Katakana Extended"},
    {20297, 12, "France"},
    {20420, 12, "Arabic"},
    {20423, 12, "Greek"},
    {20424, 12, "Hebrew"},
    {20833, 12, "Korean Extended"},
    {20838, 12, "Thai"},
    {20871, 12, "Icelandic"},
    {20880, 12, "Cyrillic Russian"},
    {20905, 12, "Turkish"},
    {21025, 12, "Cyrillic Serbian-Bulgarian"},
    {-1, 13, "UTF-16 LE"},
    {-1, 13, "UTF-16 BE"},
}};

constexpr std::array<const char*, 14> kRegionNames = {
    "",      "Western European", "Central European", "Baltic",  "Cyrillic",
    "Greek", "Latin 3",          "Turkish",          "Arabic",  "Hebrew",
    "Thai",  "Vietnamese",       "IBM EBCDIC",       "Unicode",
};

// Windows' pseudo code pages for the system's OEM and Macintosh code pages, and what they
// stand for on this system (its ANSI code page being 1252).
constexpr int kOemPseudoCodePage = 1;
constexpr int kMacPseudoCodePage = 2;
constexpr int kOemCodePage = 850;
constexpr int kMacCodePage = 10000;
// The ISO entry of the ANSI code page 1252, used by vEncISO.
constexpr TATEncoding kAnsiIsoEntry = vEncWEuroISO1;

struct CodecAlias {
    int codePage;
    const char* name;
};

// Decoder names of the code pages, tried in order; the first one the system knows is used.
// Without a Mac Ukrainian decoder, ICU's Mac Cyrillic stands in: it is the later revision
// that holds the Ukrainian letters, and ICU lists it as x-MacUkraine too.
constexpr CodecAlias kCodecAliases[] = {
    {850, "IBM850"},
    {28591, "ISO-8859-1"},
    {28605, "ISO-8859-15"},
    {10000, "macintosh"},
    {1252, "windows-1252"},
    {852, "IBM852"},
    {28592, "ISO-8859-2"},
    {10029, "x-mac-centraleurroman"},
    {1250, "windows-1250"},
    {775, "IBM775"},
    {28594, "ISO-8859-4"},
    {28603, "ISO-8859-13"},
    {1257, "windows-1257"},
    {866, "IBM866"},
    {28595, "ISO-8859-5"},
    {20866, "KOI8-R"},
    {21866, "KOI8-U"},
    {10007, "x-mac-cyrillic"},
    {10017, "x-mac-ukrainian"},
    {10017, "x-MacUkraine"},
    {1251, "windows-1251"},
    {737, "IBM737"},
    {28597, "ISO-8859-7"},
    {10006, "x-mac-greek"},
    {1253, "windows-1253"},
    {28593, "ISO-8859-3"},
    {857, "IBM857"},
    {28599, "ISO-8859-9"},
    {10081, "x-mac-turkish"},
    {1254, "windows-1254"},
    {708, "ASMO-708"},
    {720, "DOS-720"},
    {864, "IBM864"},
    {28596, "ISO-8859-6"},
    {10004, "x-mac-arabic"},
    {1256, "windows-1256"},
    {862, "IBM862"},
    {38598, "ISO-8859-8-I"},
    {28598, "ISO-8859-8"},
    {10005, "x-mac-hebrew"},
    {1255, "windows-1255"},
    {874, "windows-874"},
    {1258, "windows-1258"},
    {37, "IBM037"},
    {500, "IBM500"},
    {870, "IBM870"},
    {875, "IBM875"},
    {1026, "IBM1026"},
    {1047, "IBM1047"},
    {20273, "IBM273"},
    {20277, "IBM277"},
    {20278, "IBM278"},
    {20280, "IBM280"},
    {20284, "IBM284"},
    {20285, "IBM285"},
    {20290, "IBM290"},
    {20297, "IBM297"},
    {20420, "IBM420"},
    {20423, "IBM423"},
    {20424, "IBM424"},
    {20833, "IBM833"},
    {20838, "IBM-Thai"},
    {20871, "IBM871"},
    {20880, "IBM880"},
    {20905, "IBM905"},
    {21025, "ibm-1025"},
};

int systemCodePage(int codePage)
{
    switch (codePage) {
    case kOemPseudoCodePage: return kOemCodePage;
    case kMacPseudoCodePage: return kMacCodePage;
    default: return codePage;
    }
}

// The name of a decoder for the code page, empty when the system has none.
QByteArray lookUpDecoderName(int codePage)
{
    const int target = systemCodePage(codePage);
    for (const CodecAlias& alias : kCodecAliases) {
        if (alias.codePage == target && QStringDecoder(alias.name).isValid())
            return alias.name;
    }
    return {};
}

const std::array<QByteArray, kEncodingCount>& decoderNames()
{
    static const std::array<QByteArray, kEncodingCount> names = [] {
        std::array<QByteArray, kEncodingCount> result;
        for (int i = 0; i < kEncodingCount; ++i)
            result[i] = lookUpDecoderName(kEncodings[i].codePage);
        return result;
    }();
    return names;
}

const EncodingAvailability& systemAvailability()
{
    static const EncodingAvailability flags =
        availabilityFrom([](int codePage) { return !lookUpDecoderName(codePage).isEmpty(); });
    return flags;
}

// Nothing when the system has no decoder for the entry's code page.
std::optional<QString> decode(QByteArrayView bytes, TATEncoding encoding)
{
    const QByteArray& name = decoderNames()[encoding];
    if (name.isEmpty())
        return std::nullopt;
    QStringDecoder decoder(name.constData());
    return QString(decoder.decode(bytes));
}

QString decodeByTable(QByteArrayView bytes, const std::array<char16_t, 256>& table)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(table[static_cast<unsigned char>(byte)]);
    return text;
}

// Bytes below 0x80 are ASCII; the table gives the upper half.
QString decodeByTable(QByteArrayView bytes, const std::array<char16_t, 128>& upper)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = QChar(b < 0x80 ? char16_t(b) : upper[b - 0x80]);
    }
    return text;
}

// An odd trailing byte is dropped.
QString decodeUtf16(QByteArrayView bytes, bool bigEndian)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const int high = bigEndian ? 0 : 1;
    for (qsizetype i = 0; i < text.size(); ++i, in += 2)
        text[i] = QChar(char16_t(in[high] << 8 | in[1 - high]));
    return text;
}

// Either the entry's decoder, when `useDecoder`, or a built-in table.
template <std::size_t N>
std::optional<QString> decodeOrTable(QByteArrayView bytes, TATEncoding encoding, bool useDecoder,
                                     const std::array<char16_t, N>& table)
{
    return useDecoder ? decode(bytes, encoding) : decodeByTable(bytes, table);
}

// Nothing when the conversion fails: the entry is unavailable or lacks a decoder.
std::optional<QString> tryConvert(QByteArrayView bytes, TATEncoding encoding,
                                  const EncodingAvailability& available)
{
    using namespace encodingtables;
    switch (encoding) {
    case vEncANSI: return cp1252::decode(bytes);
    case vEncEBCDIC:
        return decodeOrTable(bytes, vEncEBUSCanada, available[vEncEBUSCanada], kEbcdicUsCanada);
    case vEncKOI8: return decodeOrTable(bytes, vEncCyrKOI8R, available[vEncCyrKOI8R], kKoi8RUpper);
    case vEncISO:
        return decodeOrTable(bytes, kAnsiIsoEntry, available[kAnsiIsoEntry], kLatin1Upper);
    case vEncMac:
        // The Macintosh code page is MacRoman, so its entry tells whether a decoder exists.
        return decodeOrTable(bytes, vEncMac, available[vEncWEuroMac], kMacRomanUpper);
    case vEncUnicodeLE:
    case vEncUnicodeBE: return decodeUtf16(bytes, encoding == vEncUnicodeBE);
    default: return available[encoding] ? decode(bytes, encoding) : std::nullopt;
    }
}

std::optional<AnsiTranslation> computeAnsiTranslation(TATEncoding encoding)
{
    if (encodingCharSize(encoding) != 1 || !isEncodingAvailable(encoding))
        return std::nullopt;
    AnsiTranslation table;
    for (int byte = 0; byte < 256; ++byte) {
        const char ch = char(byte);
        const std::optional<QString> text =
            tryConvert(QByteArrayView(&ch, 1), encoding, systemAvailability());
        if (!text)
            return std::nullopt;
        // Every code page of the table gives one character per byte; should a byte give
        // none or more, it counts as "?".
        const int ansi = text->size() == 1 ? cp1252::fromUnicode(text->at(0).unicode()) : -1;
        table[byte] = ansi < 0 ? '?' : static_cast<unsigned char>(ansi);
    }
    return table;
}

} // namespace

const TATEncodingRec& encodingRec(TATEncoding encoding)
{
    Q_ASSERT(encoding < kEncodingCount);
    return kEncodings[encoding];
}

QString encodingRegionName(int region)
{
    return QString::fromLatin1(kRegionNames[region]);
}

QString encodingDisplayName(TATEncoding encoding)
{
    const TATEncodingRec& rec = encodingRec(encoding);
    const QString name = QString::fromLatin1(rec.name);
    if (rec.region == 0)
        return name;
    return encodingRegionName(rec.region) + QStringLiteral(" (") + name + QLatin1Char(')');
}

int encodingCharSize(TATEncoding encoding)
{
    return encoding == vEncUnicodeLE || encoding == vEncUnicodeBE ? 2 : 1;
}

bool isEncodingAvailable(TATEncoding encoding)
{
    Q_ASSERT(encoding < kEncodingCount);
    return systemAvailability()[encoding];
}

EncodingAvailability availabilityFrom(const std::function<bool(int codePage)>& installed)
{
    EncodingAvailability flags{};
    for (int i = 0; i < kEncodingCount; ++i) {
        const int codePage = kEncodings[i].codePage;
        if (codePage < 0 || !installed(codePage))
            continue;
        const auto first =
            std::find_if(kEncodings.begin(), kEncodings.end(),
                         [codePage](const auto& rec) { return rec.codePage == codePage; });
        flags[first - kEncodings.begin()] = true;
    }
    for (int i = vEncANSI; i <= vEncMac; ++i)
        flags[i] = true;
    return flags;
}

QString convertToUnicode(QByteArrayView bytes, TATEncoding encoding,
                         const EncodingAvailability& available)
{
    Q_ASSERT(encoding < kEncodingCount);
    if (bytes.isEmpty())
        return {};
    return tryConvert(bytes, encoding, available).value_or(QStringLiteral("?"));
}

QString convertToUnicode(QByteArrayView bytes, TATEncoding encoding)
{
    return convertToUnicode(bytes, encoding, systemAvailability());
}

std::optional<AnsiTranslation> ansiTranslation(TATEncoding encoding)
{
    Q_ASSERT(encoding < kEncodingCount);
    static std::array<std::once_flag, kEncodingCount> once;
    static std::array<std::optional<AnsiTranslation>, kEncodingCount> cache;
    std::call_once(once[encoding],
                   [encoding] { cache[encoding] = computeAnsiTranslation(encoding); });
    return cache[encoding];
}
