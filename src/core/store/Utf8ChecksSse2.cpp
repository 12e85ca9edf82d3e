#include "store/LenientUtf8Check.h"

#include "common/SimdOps.h"
#include "store/Utf8BlockCheck.inl"

bool LenientUtf8Check::checkPieceSse2(const unsigned char* p, std::size_t count, bool& sawHigh)
{
    return checkPositions<Sse2Ops>(p, count, sawHigh);
}
