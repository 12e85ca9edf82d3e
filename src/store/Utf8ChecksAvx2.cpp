// Compiled with AVX2 enabled; used only when the processor has it.
#include "store/LenientUtf8Check.h"

#include <immintrin.h>

#include "store/Utf8BlockCheck.inl"

namespace {

struct Avx2 {
    using Vec = __m256i;
    using Mask = std::uint32_t;
    static constexpr std::size_t kWidth = 32;
    static Vec load(const unsigned char* p)
    {
        return _mm256_loadu_si256(reinterpret_cast<const Vec*>(p));
    }
    static Vec zero() { return _mm256_setzero_si256(); }
    static Vec set1(unsigned char b) { return _mm256_set1_epi8(char(b)); }
    static Vec eq(Vec a, Vec b) { return _mm256_cmpeq_epi8(a, b); }
    static Vec maxu(Vec a, Vec b) { return _mm256_max_epu8(a, b); }
    static Vec orv(Vec a, Vec b) { return _mm256_or_si256(a, b); }
    static Vec andv(Vec a, Vec b) { return _mm256_and_si256(a, b); }
    static Vec xorv(Vec a, Vec b) { return _mm256_xor_si256(a, b); }
    static Mask movemask(Vec a) { return Mask(_mm256_movemask_epi8(a)); }
};

} // namespace

bool LenientUtf8Check::checkPieceAvx2(const unsigned char* p, std::size_t count, bool& sawHigh)
{
    return checkPositions<Avx2>(p, count, sawHigh);
}
