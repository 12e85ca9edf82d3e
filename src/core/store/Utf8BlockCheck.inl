// The block check of the lenient UTF-8 test, written once over a vector type and compiled
// for SSE2 and for AVX2 in two translation units (hence internal linkage).
//
// A byte at position j is a continuation byte exactly when some byte k positions before it
// (k = 1..7) is a lead that asks for at least k continuation bytes, that is, when
// bytes[j - k] >= kNeedsAtLeast[k]. Checking this at every position is the same as parsing
// sequence by sequence, and it can look at a whole vector of positions at once.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

constexpr unsigned char kNeedsAtLeast[8] = {0, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE, 0xFF};

// True when no byte of the eight is a lead (0xC0 or above).
inline bool noLeadIn8(const unsigned char* p)
{
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    return (x & (x << 1) & 0x8080808080808080ULL) == 0;
}

// Bits of the positions (of the vector at p) where the rule fails. p[-7..-1] is readable.
template <class V> inline typename V::Mask mismatches(const unsigned char* p)
{
    const typename V::Vec current = V::load(p);
    // Leads that ask for four or more continuation bytes (F8 and up) are rare: without
    // them near, only the three nearest bytes before a position can make it one.
    const typename V::Vec rare = V::set1(0xF8);
    const typename V::Vec earlier = V::load(p - 7);
    const bool rareLeads = V::movemask(V::orv(V::eq(V::maxu(current, rare), current),
                                              V::eq(V::maxu(earlier, rare), earlier))) != 0;
    const std::size_t reach = rareLeads ? 7 : 3;
    typename V::Vec expected = V::zero();
    for (std::size_t k = 1; k <= reach; ++k) {
        const typename V::Vec before = V::load(p - k);
        expected = V::orv(expected, V::eq(V::maxu(before, V::set1(kNeedsAtLeast[k])), before));
    }
    const typename V::Vec continuation = V::eq(V::andv(current, V::set1(0xC0)), V::set1(0x80));
    return V::movemask(V::xorv(expected, continuation));
}

// Checks positions [0, count) at p; p[-32..-1] holds the bytes before (zeros at the start)
// and p[count .. count + 63] is readable. Adds to sawHigh; false on the first failure.
template <class V> bool checkPositions(const unsigned char* p, std::size_t count, bool& sawHigh)
{
    constexpr std::size_t W = V::kWidth;
    std::size_t i = 0;
    for (; i + 2 * W <= count; i += 2 * W) {
        const typename V::Vec both = V::orv(V::load(p + i), V::load(p + i + W));
        const bool ascii = V::movemask(both) == 0;
        if (ascii && noLeadIn8(p + i - 8))
            continue; // plain ASCII after a completed sequence
        sawHigh = sawHigh || !ascii;
        if (mismatches<V>(p + i) != 0 || mismatches<V>(p + i + W) != 0)
            return false;
    }
    for (; i < count; i += W) {
        const std::size_t valid = count - i < W ? count - i : W;
        const typename V::Mask keep = valid == W
                                          ? typename V::Mask(~typename V::Mask(0))
                                          : typename V::Mask((typename V::Mask(1) << valid) - 1);
        sawHigh = sawHigh || (V::movemask(V::load(p + i)) & keep) != 0;
        if ((mismatches<V>(p + i) & keep) != 0)
            return false;
    }
    return true;
}

} // namespace
