// The encoding decision and the UTF-8 tests, differential.
//
// The fast lenient whole-file test (vector blocks, fed whole or piece by piece, SSE2 and
// AVX2) must agree with a plain byte-by-byte parse of its rule on every input; so must the
// strict sniff validator and the well-formed sequence length with their plain forms. The
// class decision over memory and over the file on disk must be the one the plain tests
// give.

#include "store/EncodingDetection.h"
#include "store/LenientUtf8Check.h"
#include "store/Utf16Statistics.h"
#include "store/Utf8.h"
#include "support/FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cstring>
#include <vector>

using fuzz::expect;
using fuzz::shown;

namespace {

// Some byte is 0x80 or above, and every lead with n leading one bits (n = 2..8) is followed
// by exactly n - 1 continuation bytes; a continuation byte anywhere else fails.
bool plainLenient(const unsigned char* b, std::size_t n)
{
    bool high = false;
    std::size_t i = 0;
    while (i < n) {
        const unsigned char lead = b[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        high = true;
        if (lead < 0xC0)
            return false;
        const std::size_t length = std::size_t(std::countl_one(lead));
        for (std::size_t k = 1; k < length; ++k) {
            if (i + k >= n || (b[i + k] & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return high;
}

// C2..DF with one, E0..EF with two, F0..F7 with three continuation bytes; E0 needs a second
// byte of A0 and up, F0 one of 90 and up. Surrogates and values above U+10FFFF pass.
utf8::StrictResult plainStrict(const unsigned char* b, std::size_t n)
{
    bool sequence = false;
    std::size_t i = 0;
    while (i < n) {
        const unsigned char lead = b[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char secondMin = 0x80;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            secondMin = lead == 0xE0 ? 0xA0 : 0x80;
        } else if (lead >= 0xF0 && lead <= 0xF7) {
            length = 4;
            secondMin = lead == 0xF0 ? 0x90 : 0x80;
        } else {
            return utf8::StrictResult::Invalid;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if (i + k >= n || b[i + k] < (k == 1 ? secondMin : 0x80) || b[i + k] > 0xBF)
                return utf8::StrictResult::Invalid;
        }
        sequence = true;
        i += length;
    }
    return sequence ? utf8::StrictResult::Valid : utf8::StrictResult::NoMultiByte;
}

// Length of the well-formed sequence at b (Unicode's table), 0 for none, -1 when the
// available bytes are a well-formed start that is cut off.
int plainSequenceLength(const unsigned char* b, std::size_t available)
{
    const unsigned char lead = b[0];
    if (lead < 0x80)
        return 1;
    unsigned codePoint = 0;
    int length = 0;
    if (lead >= 0xC0 && lead < 0xE0) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead < 0xF8) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    // Decodes what is there; a cut-off start is one whose every possible completion could
    // still be well-formed, judged by the bytes present.
    static constexpr unsigned kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    for (int k = 1; k < length; ++k) {
        if (std::size_t(k) >= available) {
            // Smallest and largest completions of the bytes present.
            unsigned low = codePoint;
            unsigned highest = codePoint;
            for (int r = k; r < length; ++r) {
                low = low << 6;
                highest = highest << 6 | 0x3F;
            }
            const bool canBeValid = highest >= kMinimum[length] && low <= 0x10FFFF &&
                                    !(low >= 0xD800 && highest <= 0xDFFF);
            return canBeValid ? -1 : 0;
        }
        if ((b[k] & 0xC0) != 0x80)
            return 0;
        codePoint = codePoint << 6 | (b[k] & 0x3F);
        // A prefix that can no longer be completed well is rejected at its first bad byte.
        unsigned low = codePoint;
        unsigned highest = codePoint;
        for (int r = k + 1; r < length; ++r) {
            low = low << 6;
            highest = highest << 6 | 0x3F;
        }
        if (highest < kMinimum[length] || low > 0x10FFFF || (low >= 0xD800 && highest <= 0xDFFF))
            return 0;
    }
    return length;
}

bool sameDecision(const ClassDecision& a, const ClassDecision& b)
{
    return a.kind == b.kind && a.flags.utf8 == b.flags.utf8 && a.flags.ansi == b.flags.ansi &&
           a.flags.unicodeLE == b.flags.unicodeLE && a.flags.unicodeBE == b.flags.unicodeBE &&
           a.flags.rtf == b.flags.rtf;
}

std::string decisionText(const ClassDecision& d)
{
    return "kind " + std::to_string(int(d.kind)) + " utf8 " + std::to_string(d.flags.utf8) +
           " ansi " + std::to_string(d.flags.ansi) + " le " + std::to_string(d.flags.unicodeLE) +
           " be " + std::to_string(d.flags.unicodeBE) + " rtf " + std::to_string(d.flags.rtf);
}

// The decision as the rules put it, with the plain tests.
ClassDecision plainDecision(bool pathNeedsUnicode, const QByteArray& content, bool withUtf16)
{
    const auto* b = reinterpret_cast<const unsigned char*>(content.constData());
    const std::size_t n = std::size_t(content.size());
    ClassDecision d;
    d.kind = bomKindOf(content);
    switch (d.kind) {
    case BomKind::Utf8: d.flags.utf8 = true; return d;
    case BomKind::Utf16BE: d.flags.unicodeBE = true; return d;
    case BomKind::Utf16LE: d.flags.unicodeLE = true; return d;
    case BomKind::Rtf: d.flags.rtf = true; return d;
    case BomKind::Utf32BE:
    case BomKind::Utf32LE: return d;
    case BomKind::None: break;
    }
    if (pathNeedsUnicode) {
        d.flags.utf8 = true;
    } else {
        const std::size_t sniffed = std::min<std::size_t>(n, kSniffBytes);
        const bool valid = plainStrict(b, sniffed) != utf8::StrictResult::Invalid;
        bool umlaut = false;
        for (std::size_t i = 0; i < sniffed; ++i) {
            for (const unsigned char u : {0xE4, 0xF6, 0xFC, 0xDF, 0xC4, 0xD6, 0xDC})
                umlaut = umlaut || b[i] == u;
        }
        d.flags.utf8 = valid;
        d.flags.ansi = !valid || umlaut;
    }
    if (plainLenient(b, n)) {
        d.flags.utf8 = true;
        d.flags.ansi = d.flags.unicodeLE = d.flags.unicodeBE = false;
    }
    if (withUtf16 && looksLikeUtf16LE(b, n)) {
        d.flags.unicodeLE = true;
        d.flags.utf8 = d.flags.ansi = d.flags.unicodeBE = false;
    }
    if (d.flags.utf8)
        d.flags.ansi = false;
    return d;
}

// Both vector forms of the block check over one piece with nothing before it.
void checkVectorForms(const unsigned char* b, std::size_t n)
{
    std::vector<unsigned char> buffer(32 + n + 64, 0);
    std::memcpy(buffer.data() + 32, b, n);
    bool highSse2 = false;
    bool highAvx2 = false;
    const bool sse2 = LenientUtf8Check::checkPieceSse2(buffer.data() + 32, n, highSse2);
    if (__builtin_cpu_supports("avx2")) {
        const bool avx2 = LenientUtf8Check::checkPieceAvx2(buffer.data() + 32, n, highAvx2);
        expect(sse2 == avx2, "SSE2 and AVX2 block checks disagree on " +
                                 shown(QByteArray(reinterpret_cast<const char*>(b), qsizetype(n))));
        if (sse2)
            expect(highSse2 == highAvx2, "SSE2 and AVX2 disagree on high bytes");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::size_t capacity = input.ConsumeIntegralInRange<std::size_t>(1, 300);
    const unsigned pieceSeed = input.ConsumeIntegral<unsigned>();
    const bool asiaPath = input.ConsumeBool();
    const bool onDisk = input.ConsumeIntegralInRange(0, 7) == 0;
    const QByteArray content = fuzz::bytesOf(input.ConsumeRemainingBytesAsString());
    const auto* b = reinterpret_cast<const unsigned char*>(content.constData());
    const std::size_t n = std::size_t(content.size());
    const std::string what = " on " + shown(content.left(200));

    const bool lenient = plainLenient(b, n);
    expect(utf8::isWholeFileUtf8(b, n) == lenient, "lenient UTF-8 test" + what);

    // Piece by piece, pieces of varying length through the check's own buffer.
    LenientUtf8Check pieces(capacity);
    unsigned seed = pieceSeed;
    for (std::size_t at = 0; at < n;) {
        seed = seed * 1103515245u + 12345u;
        const std::size_t piece =
            std::min({n - at, pieces.pieceCapacity(),
                      std::size_t(1 + (seed >> 16) % pieces.pieceCapacity())});
        std::memcpy(pieces.pieceBuffer(), b + at, piece);
        pieces.checkPiece(piece);
        at += piece;
    }
    expect(pieces.finish() == lenient,
           "lenient UTF-8 test in pieces of up to " + std::to_string(capacity) + what);
    checkVectorForms(b, n);

    expect(utf8::validateStrict(b, n) == plainStrict(b, n), "strict UTF-8 validator" + what);
    for (std::size_t i = 0; i < std::min<std::size_t>(n, 64); ++i) {
        const int fast = utf8::sequenceLength(b + i, n - i);
        const int plain = plainSequenceLength(b + i, n - i);
        expect(fast == plain, "sequence length " + std::to_string(fast) + ", plainly " +
                                  std::to_string(plain) + " at " + std::to_string(i) + what);
    }

    // The UTF-16 statistics fed in pieces agree with the whole.
    Utf16Statistics utf16;
    seed = pieceSeed;
    for (std::size_t at = 0; at < n;) {
        seed = seed * 1103515245u + 12345u;
        const std::size_t piece = std::min<std::size_t>(n - at, 1 + (seed >> 16) % 7);
        utf16.feed(b + at, piece);
        at += piece;
    }
    expect(utf16.looksLikeUtf16LE() == looksLikeUtf16LE(b, n), "UTF-16 test in pieces" + what);

    const QString name =
        asiaPath ? QStringLiteral("enc/fuzz-\u4E2D.txt") : QStringLiteral("enc/fuzz.txt");
    QString path = QStringLiteral("D:\\") + name;
    path.replace(u'/', u'\\');
    const ClassDecision expected = plainDecision(asiaPath, content, true);
    const ClassDecision inMemory = decideClass(path, content);
    expect(sameDecision(inMemory, expected),
           "decision " + decisionText(inMemory) + ", plainly " + decisionText(expected) + what);
    if (onDisk) {
        fuzz::writeFile(name, content);
        const Result<ClassDecision> fromFile = decideClassOfFile(path);
        expect(fromFile.ok() && sameDecision(fromFile.value(), expected),
               "decision of the file " +
                   (fromFile.ok() ? decisionText(fromFile.value()) : "failed") + ", plainly " +
                   decisionText(expected) + what);
        const Result<ClassDecision> forSearch = decideSearchClassOfFile(path);
        const ClassDecision plainSearch = plainDecision(asiaPath, content, false);
        expect(forSearch.ok() && sameDecision(forSearch.value(), plainSearch),
               "search decision of the file" + what);
    }
    return 0;
}
