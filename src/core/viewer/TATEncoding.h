#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>
#include <functional>
#include <optional>

// The text encodings the viewer and the stream search know: 73 entries, each a code page
// (or -1 where a built-in rule converts), a region and a display name.
enum TATEncoding : quint8 {
    vEncANSI = 0,
    vEncOEM,
    vEncEBCDIC,
    vEncKOI8,
    vEncISO,
    vEncMac,
    vEncWEuroDOS,
    vEncWEuroISO1,
    vEncWEuroISO2,
    vEncWEuroMac,
    vEncWEuroWin,
    vEncCEuroDOS,
    vEncCEuroISO,
    vEncCEuroMac,
    vEncCEuroWin,
    vEncBalDOS,
    vEncBalISO1,
    vEncBalISO2,
    vEncBalWin,
    vEncCyrDOS,
    vEncCyrISO,
    vEncCyrKOI8R,
    vEncCyrKOI8U,
    vEncCyrMacC,
    vEncCyrMacU,
    vEncCyrWin,
    vEncGreekDOS,
    vEncGreekISO,
    vEncGreekMac,
    vEncGreekWin,
    vEncLatin3,
    vEncTurDOS,
    vEncTurISO,
    vEncTurMac,
    vEncTurWin,
    vEncArDOS1,
    vEncArDOS2,
    vEncArDOS3,
    vEncArISO,
    vEncArMac,
    vEncArWin,
    vEncHebDOS,
    vEncHebISO1,
    vEncHebISO2,
    vEncHebMac,
    vEncHebWin,
    vEncThai,
    vEncViet,
    vEncEBUSCanada,
    vEncEBInternational,
    vEncEBMultiLatin2,
    vEncEBGreekModern,
    vEncEBTurkishLatin5,
    vEncEBLatin1,
    vEncEBGermany,
    vEncEBDenmarkNorway,
    vEncEBFinlandSweden,
    vEncEBItaly,
    vEncEBLatinAmerica,
    vEncEBUnitedKingdom,
    vEncEBJapaneseKatExt,
    vEncEBFrance,
    vEncEBArabic,
    vEncEBGreek,
    vEncEBHebrew,
    vEncEBKoreanExt,
    vEncEBThai,
    vEncEBIcelandic,
    vEncEBCyrRussian,
    vEncEBTurkish,
    vEncEBCyrSerbian,
    vEncUnicodeLE,
    vEncUnicodeBE,
};

inline constexpr int kEncodingCount = 73;

struct TATEncodingRec {
    int codePage; // -1: converted by a built-in rule
    int region;   // index into the region names; 0 = none
    const char* name;
};

const TATEncodingRec& encodingRec(TATEncoding encoding);
// The region's name, empty for region 0 ("Western European" for 1).
QString encodingRegionName(int region);
// The name alone without a region, else "Region (Name)": "Western European (Windows-1252)".
QString encodingDisplayName(TATEncoding encoding);
// 2 for the two UTF-16 entries, 1 for every other.
int encodingCharSize(TATEncoding encoding);
// A decoder for the entry's code page exists; entries 0 to 5 are always available. The
// UTF-16 entries have no code page and so never are, yet they convert all the same.
bool isEncodingAvailable(TATEncoding encoding);

// Bytes of an encoding as text. An unavailable entry, or a failed conversion, gives "?".
QString convertToUnicode(QByteArrayView bytes, TATEncoding encoding);

// Every entry but the two UTF-16 ones converts byte by byte. This table gives, for each
// byte, the Windows-1252 byte of its character ("?" where 1252 has none), which is what
// the stream search compares. Nothing for an entry whose blocks all convert to "?".
using AnsiTranslation = std::array<unsigned char, 256>;
std::optional<AnsiTranslation> ansiTranslation(TATEncoding encoding);

// One flag per entry. The system's flags come from availabilityFrom() with "a decoder exists".
using EncodingAvailability = std::array<bool, kEncodingCount>;
// Marks the first entry of every code page that `installed` accepts, then entries 0 to 5.
EncodingAvailability availabilityFrom(const std::function<bool(int codePage)>& installed);
// convertToUnicode() as if exactly the flagged entries were available; the built-in rules
// fall back to their own tables when the entry of their code page is not.
QString convertToUnicode(QByteArrayView bytes, TATEncoding encoding,
                         const EncodingAvailability& available);
