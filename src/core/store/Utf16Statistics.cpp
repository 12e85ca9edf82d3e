#include "store/Utf16Statistics.h"

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace {

bool isLatinTextByte(unsigned char low)
{
    return low == 0x09 || low == 0x0A || low == 0x0D || (low >= 0x20 && low < 0x7F) || low >= 0xA0;
}

} // namespace

void Utf16Statistics::countUnit(unsigned char low, unsigned char high)
{
    ++m_units;
    if (high == 0) {
        m_latin += isLatinTextByte(low);
        m_nulUnits += low == 0;
    }
}

void Utf16Statistics::feed(const unsigned char* bytes, std::size_t count)
{
    if (count == 0)
        return;
    for (std::size_t k = 0; k < count && m_headCount < 2; ++k)
        m_head[m_headCount++] = bytes[k];
    std::size_t i = 0;
    if (m_hasCarry) {
        countUnit(m_carry, bytes[0]);
        m_hasCarry = false;
        i = 1;
    }
#if defined(__SSE2__)
    const __m128i lowMask = _mm_set1_epi16(0x00FF);
    const __m128i zero = _mm_setzero_si128();
    // Per-lane counters (a true comparison is -1, so subtracting counts up); emptied
    // before a 16-bit lane could overflow.
    __m128i latinLanes = zero;
    __m128i nulLanes = zero;
    int pending = 0;
    const auto flush = [&] {
        alignas(16) std::uint16_t lanes[8];
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes), latinLanes);
        for (const std::uint16_t lane : lanes)
            m_latin += lane;
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes), nulLanes);
        for (const std::uint16_t lane : lanes)
            m_nulUnits += lane;
        latinLanes = nulLanes = zero;
        pending = 0;
    };
    for (; i + 16 <= count; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const __m128i low = _mm_and_si128(v, lowMask);
        const __m128i highZero = _mm_cmpeq_epi16(_mm_srli_epi16(v, 8), zero);
        const __m128i printable = _mm_and_si128(_mm_cmpgt_epi16(low, _mm_set1_epi16(0x1F)),
                                                _mm_cmplt_epi16(low, _mm_set1_epi16(0x7F)));
        const __m128i upper = _mm_cmpgt_epi16(low, _mm_set1_epi16(0x9F));
        const __m128i control =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(low, _mm_set1_epi16(0x09)),
                                      _mm_cmpeq_epi16(low, _mm_set1_epi16(0x0A))),
                         _mm_cmpeq_epi16(low, _mm_set1_epi16(0x0D)));
        const __m128i text = _mm_or_si128(_mm_or_si128(printable, upper), control);
        latinLanes = _mm_sub_epi16(latinLanes, _mm_and_si128(highZero, text));
        nulLanes = _mm_sub_epi16(nulLanes, _mm_and_si128(highZero, _mm_cmpeq_epi16(low, zero)));
        m_units += 8;
        if (++pending == 0x7FFF)
            flush();
    }
    flush();
#endif
    for (; i + 2 <= count; i += 2)
        countUnit(bytes[i], bytes[i + 1]);
    if (i < count) {
        m_carry = bytes[i];
        m_hasCarry = true;
    }
}

bool Utf16Statistics::looksLikeUtf16LE() const
{
    if (m_headCount == 2 && m_head[0] == 0xFF && m_head[1] == 0xFE)
        return true;
    return m_units > 0 && 2 * m_latin >= m_units && 100 * m_nulUnits <= m_units;
}

bool looksLikeUtf16LE(const unsigned char* bytes, std::size_t count)
{
    Utf16Statistics statistics;
    statistics.feed(bytes, count);
    return statistics.looksLikeUtf16LE();
}
