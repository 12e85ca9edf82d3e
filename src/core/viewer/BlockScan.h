#pragma once

#include <array>
#include <cstddef>

// The vector part of the in-block search: candidate positions whose bytes at two offsets
// are among a few values, each handed to a test that checks the whole match.
namespace blockscan {

struct ByteFilter {
    std::size_t offset = 0;
    int count = 0; // 0: no filter (every position is a candidate)
    std::array<unsigned char, 4> bytes{};
};

struct CandidateTest {
    bool (*test)(const void* context, std::size_t at);
    const void* context;
    bool operator()(std::size_t at) const { return test(context, at); }
};

inline constexpr std::size_t kNone = std::size_t(-1);

// The first (forward) or last (backward) position in [0, candidates) that passes both
// filters and the test, or kNone. Loads reach up to the last candidate plus the filter
// offsets, which the caller keeps inside the block.
std::size_t forward(const unsigned char* block, std::size_t candidates, const ByteFilter& first,
                    const ByteFilter& second, CandidateTest test);
std::size_t backward(const unsigned char* block, std::size_t candidates, const ByteFilter& first,
                     const ByteFilter& second, CandidateTest test);

// The same for one instruction set each; forward() and backward() pick the best.
std::size_t forwardSse2(const unsigned char*, std::size_t, const ByteFilter&, const ByteFilter&,
                        CandidateTest);
std::size_t backwardSse2(const unsigned char*, std::size_t, const ByteFilter&, const ByteFilter&,
                         CandidateTest);
std::size_t forwardAvx2(const unsigned char*, std::size_t, const ByteFilter&, const ByteFilter&,
                        CandidateTest);
std::size_t backwardAvx2(const unsigned char*, std::size_t, const ByteFilter&, const ByteFilter&,
                         CandidateTest);

} // namespace blockscan
