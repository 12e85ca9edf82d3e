// The candidate scan of the in-block search, written once over a vector type and compiled
// for SSE2 and AVX2 (see common/SimdOps.h).

#include "viewer/BlockScan.h"

#include <bit>

namespace {

template <class V> struct FilterVectors {
    typename V::Vec values[4];
    int count;
    std::size_t offset;

    explicit FilterVectors(const blockscan::ByteFilter& filter)
        : count(filter.count), offset(filter.offset)
    {
        for (int i = 0; i < count; ++i)
            values[i] = V::set1(filter.bytes[i]);
    }

    // Bit k: the byte at the filter's offset from p + k is one of the filter's bytes.
    typename V::Mask maskAt(const unsigned char* p) const
    {
        const typename V::Vec data = V::load(p + offset);
        typename V::Vec hit = V::eq(data, values[0]);
        for (int i = 1; i < count; ++i)
            hit = V::orv(hit, V::eq(data, values[i]));
        return V::movemask(hit);
    }
};

// Both filters at once, without a branch on the data; a missing second filter repeats
// the first.
template <class V> struct Candidates {
    FilterVectors<V> first;
    FilterVectors<V> second;

    Candidates(const blockscan::ByteFilter& a, const blockscan::ByteFilter& b)
        : first(a), second(b.count > 0 ? b : a)
    {
    }
    typename V::Mask at(const unsigned char* p) const { return first.maskAt(p) & second.maskAt(p); }
};

template <class V>
std::size_t scanForward(const unsigned char* block, std::size_t candidates,
                        const blockscan::ByteFilter& first, const blockscan::ByteFilter& second,
                        blockscan::CandidateTest test)
{
    constexpr std::size_t W = V::kWidth;
    std::size_t i = 0;
    if (first.count > 0) {
        const Candidates<V> filters(first, second);
        for (; i + W <= candidates; i += W) {
            for (typename V::Mask mask = filters.at(block + i); mask; mask &= mask - 1) {
                const std::size_t at = i + std::countr_zero(mask);
                if (test(at))
                    return at;
            }
        }
    }
    for (; i < candidates; ++i) {
        if (test(i))
            return i;
    }
    return blockscan::kNone;
}

template <class V>
std::size_t scanBackward(const unsigned char* block, std::size_t candidates,
                         const blockscan::ByteFilter& first, const blockscan::ByteFilter& second,
                         blockscan::CandidateTest test)
{
    constexpr std::size_t W = V::kWidth;
    std::size_t end = candidates; // positions below `end` remain
    if (first.count > 0) {
        const Candidates<V> filters(first, second);
        for (; end >= W; end -= W) {
            const std::size_t base = end - W;
            for (typename V::Mask mask = filters.at(block + base); mask;) {
                const int bit = 31 - std::countl_zero(mask);
                if (test(base + bit))
                    return base + bit;
                mask &= ~(typename V::Mask(1) << bit);
            }
        }
    }
    while (end > 0) {
        if (test(--end))
            return end;
    }
    return blockscan::kNone;
}

} // namespace
