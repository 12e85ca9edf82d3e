#include "store/Utf8.h"

#include "store/LenientUtf8Check.h"
#include "store/Windows1252.h"

#include <bit>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace utf8 {

std::size_t skipAscii(const unsigned char* bytes, std::size_t from, std::size_t count)
{
    std::size_t i = from;
#if defined(__SSE2__)
    for (; i + 16 <= count; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        if (const int high = _mm_movemask_epi8(block))
            return i + std::size_t(std::countr_zero(unsigned(high)));
    }
#endif
    for (; i + 8 <= count; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (i < count && bytes[i] < 0x80)
        ++i;
    return i;
}

StrictResult validateStrict(const unsigned char* bytes, std::size_t count)
{
    bool sawSequence = false;
    std::size_t i = 0;
    while ((i = skipAscii(bytes, i, count)) < count) {
        const unsigned char lead = bytes[i];
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

// Length of the valid sequence starting at p (1 for ASCII), 0 when the bytes there do not
// start one, -1 when they are a valid start cut off by the end.
int sequenceLength(const unsigned char* p, std::size_t available)
{
    const unsigned char lead = p[0];
    if (lead < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return 0;
    }
    for (int k = 1; k < length; ++k) {
        if (std::size_t(k) >= available)
            return -1;
        const unsigned char min = k == 1 ? low : 0x80;
        const unsigned char max = k == 1 ? high : 0xBF;
        if (p[k] < min || p[k] > max)
            return 0;
    }
    return length;
}

bool isWholeFileUtf8(const unsigned char* bytes, std::size_t count)
{
    LenientUtf8Check check(count);
    check.feed(bytes, count);
    return check.finish();
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
