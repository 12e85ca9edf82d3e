#pragma once

// Byte-vector operations for code written once and compiled for SSE2 and, in files built
// with AVX2 enabled, for AVX2. Internal linkage on purpose: the same names compiled with
// and without AVX2 must never be merged by the linker.

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace {

struct Sse2Ops {
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

#if defined(__AVX2__)
struct Avx2Ops {
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
#endif

} // namespace
