#include "store/Utf8.h"

#include "store/Windows1252.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace utf8 {

StrictResult validateStrict(const unsigned char* bytes, std::size_t count)
{
    bool sawSequence = false;
    std::size_t i = 0;
    while (i < count) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char secondMask = 0xC0; // any continuation byte
        if ((lead & 0xE0) == 0xC0) {
            if ((lead & 0x1E) == 0)
                return StrictResult::Invalid; // C0, C1: overlong
            length = 2;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            if ((lead & 0x0F) == 0)
                secondMask = 0x20; // E0 needs A0..BF
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            if ((lead & 0x07) == 0)
                secondMask = 0x30; // F0 needs 90..BF
        } else {
            return StrictResult::Invalid;
        }
        if (i + length > count)
            return StrictResult::Invalid;
        for (std::size_t k = 1; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80)
                return StrictResult::Invalid;
        }
        if (secondMask != 0xC0 && (bytes[i + 1] & secondMask) == 0)
            return StrictResult::Invalid;
        sawSequence = true;
        i += length;
    }
    return sawSequence ? StrictResult::Valid : StrictResult::NoMultiByte;
}

namespace {

// A byte at position j is a continuation byte exactly when some byte k positions before it
// (k = 1..7) is a lead that asks for at least k continuation bytes, that is, when
// bytes[j - k] >= kNeedsAtLeast[k]. Checking that equivalence at every position, with seven
// zero bytes assumed after the end, is the same as parsing sequence by sequence; it lets
// the test look at 16 bytes at a time.
constexpr unsigned char kNeedsAtLeast[8] = {0, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE, 0xFF};
constexpr std::size_t kContext = 7;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Checks positions [from, to) of data whose preceding seven bytes (or fewer at the start)
// are readable; positions at or beyond `end` read as zero.
bool positionsConsistentScalar(const unsigned char* data, std::size_t from, std::size_t to,
                               std::size_t end)
{
    for (std::size_t j = from; j < to; ++j) {
        bool expected = false;
        for (std::size_t k = 1; k <= kContext && k <= j; ++k) {
            if (j - k < end && data[j - k] >= kNeedsAtLeast[k])
                expected = true;
        }
        const bool actual = j < end && isContinuation(data[j]);
        if (expected != actual)
            return false;
    }
    return true;
}

#if defined(__SSE2__)

// True when no byte of the eight is a lead (0xC0 or above).
bool noLeadIn8(const unsigned char* p)
{
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    return (x & (x << 1) & 0x8080808080808080ULL) == 0;
}

// Checks the 16 positions at p; p[-7..-1] must be readable.
bool blockConsistent(const unsigned char* p)
{
    const __m128i current = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i expected = _mm_setzero_si128();
    for (std::size_t k = 1; k <= kContext; ++k) {
        const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p - k));
        const __m128i threshold = _mm_set1_epi8(char(kNeedsAtLeast[k]));
        expected = _mm_or_si128(expected,
                                _mm_cmpeq_epi8(_mm_max_epu8(before, threshold), before));
    }
    const __m128i continuation = _mm_cmpeq_epi8(_mm_and_si128(current, _mm_set1_epi8(char(0xC0))),
                                                _mm_set1_epi8(char(0x80)));
    return _mm_movemask_epi8(_mm_xor_si128(expected, continuation)) == 0;
}

bool anyHighBit(const unsigned char* p, std::size_t count)
{
    std::size_t i = 0;
    __m128i acc = _mm_setzero_si128();
    for (; i + 16 <= count; i += 16)
        acc = _mm_or_si128(acc, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)));
    bool high = _mm_movemask_epi8(acc) != 0;
    for (; i < count; ++i)
        high = high || p[i] >= 0x80;
    return high;
}

#endif

} // namespace

bool isWholeFileUtf8(const unsigned char* bytes, std::size_t count)
{
#if defined(__SSE2__)
    constexpr std::size_t kChunk = 64;
    if (count < 2 * kChunk) {
        return positionsConsistentScalar(bytes, 0, count + kContext, count) &&
               anyHighBit(bytes, count);
    }
    // The first 16 positions have too little context for the block check.
    if (!positionsConsistentScalar(bytes, 0, 16, count))
        return false;
    bool sawHigh = anyHighBit(bytes, 16);
    std::size_t i = 16;
    for (; i + kChunk <= count; i += kChunk) {
        const auto* v = reinterpret_cast<const __m128i*>(bytes + i);
        const __m128i all = _mm_or_si128(_mm_or_si128(_mm_loadu_si128(v), _mm_loadu_si128(v + 1)),
                                         _mm_or_si128(_mm_loadu_si128(v + 2), _mm_loadu_si128(v + 3)));
        const bool ascii = _mm_movemask_epi8(all) == 0;
        if (ascii && noLeadIn8(bytes + i - 8))
            continue; // plain ASCII after a completed sequence
        sawHigh = sawHigh || !ascii;
        if (!blockConsistent(bytes + i) || !blockConsistent(bytes + i + 16) ||
            !blockConsistent(bytes + i + 32) || !blockConsistent(bytes + i + 48))
            return false;
    }
    sawHigh = sawHigh || anyHighBit(bytes + i, count - i);
    return positionsConsistentScalar(bytes, i, count + kContext, count) && sawHigh;
#else
    bool sawHigh = false;
    std::size_t i = 0;
    while (i < count) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        sawHigh = true;
        const int ones = std::countl_one(lead);
        if (ones == 1 || i + ones > count)
            return false;
        for (int k = 1; k < ones; ++k) {
            if (!isContinuation(bytes[i + k]))
                return false;
        }
        i += ones;
    }
    return sawHigh;
#endif
}

QString bytesAsCharsToText(const QString& bytesAsChars)
{
    return decode(cp1252::encode(bytesAsChars));
}

QByteArray encode(const QString& text)
{
    return text.toUtf8();
}

QString decode(QByteArrayView bytes)
{
    return QString::fromUtf8(bytes);
}

} // namespace utf8
