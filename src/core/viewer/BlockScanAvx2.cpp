// Compiled with AVX2 enabled; used only when the processor has it.
#include "common/SimdOps.h"
#include "viewer/BlockScan.inl"

namespace blockscan {

std::size_t forwardAvx2(const unsigned char* block, std::size_t candidates, const ByteFilter& first,
                        const ByteFilter& second, CandidateTest test)
{
    return scanForward<Avx2Ops>(block, candidates, first, second, test);
}

std::size_t backwardAvx2(const unsigned char* block, std::size_t candidates,
                         const ByteFilter& first, const ByteFilter& second, CandidateTest test)
{
    return scanBackward<Avx2Ops>(block, candidates, first, second, test);
}

} // namespace blockscan
