// Compiled with AVX2 enabled; used only when the processor has it.
#include "store/LenientUtf8Check.h"

#include "common/SimdOps.h"
#include "store/Utf8BlockCheck.inl"

bool LenientUtf8Check::checkPieceAvx2(const unsigned char* p, std::size_t count, bool& sawHigh)
{
    return checkPositions<Avx2Ops>(p, count, sawHigh);
}
