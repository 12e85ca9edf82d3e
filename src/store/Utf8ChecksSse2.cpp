#include "store/LenientUtf8Check.h"

#include <immintrin.h>

#include "store/Utf8BlockCheck.inl"

namespace {

struct Sse2 {
    using Vec = __m128i;
    using Mask = std::uint32_t;
    static constexpr std::size_t kWidth = 16;
    static Vec load(const unsigned char* p)
    {
        return _mm_loadu_si128(reinterpret_cast<const Vec*>(p));
    }
    static Vec zero() { return _mm_setzero_si128(); }
    static Vec set1(unsigned char b) { return _mm_set1_epi8(char(b)); }
    static Vec eq(Vec a, Vec b) { return _mm_cmpeq_epi8(a, b); }
    static Vec maxu(Vec a, Vec b) { return _mm_max_epu8(a, b); }
    static Vec orv(Vec a, Vec b) { return _mm_or_si128(a, b); }
    static Vec andv(Vec a, Vec b) { return _mm_and_si128(a, b); }
    static Vec xorv(Vec a, Vec b) { return _mm_xor_si128(a, b); }
    static Mask movemask(Vec a) { return Mask(_mm_movemask_epi8(a)); }
};

} // namespace

bool LenientUtf8Check::checkPieceSse2(const unsigned char* p, std::size_t count, bool& sawHigh)
{
    return checkPositions<Sse2>(p, count, sawHigh);
}
