#include "common/SimdOps.h"
#include "viewer/BlockScan.inl"

namespace blockscan {

std::size_t forwardSse2(const unsigned char* block, std::size_t candidates, const ByteFilter& first,
                        const ByteFilter& second, CandidateTest test)
{
    return scanForward<Sse2Ops>(block, candidates, first, second, test);
}

std::size_t backwardSse2(const unsigned char* block, std::size_t candidates,
                         const ByteFilter& first, const ByteFilter& second, CandidateTest test)
{
    return scanBackward<Sse2Ops>(block, candidates, first, second, test);
}

// The processor decides once which scan runs.
std::size_t forward(const unsigned char* block, std::size_t candidates, const ByteFilter& first,
                    const ByteFilter& second, CandidateTest test)
{
    static const auto scan = __builtin_cpu_supports("avx2") ? &forwardAvx2 : &forwardSse2;
    return scan(block, candidates, first, second, test);
}

std::size_t backward(const unsigned char* block, std::size_t candidates, const ByteFilter& first,
                     const ByteFilter& second, CandidateTest test)
{
    static const auto scan = __builtin_cpu_supports("avx2") ? &backwardAvx2 : &backwardSse2;
    return scan(block, candidates, first, second, test);
}

} // namespace blockscan
