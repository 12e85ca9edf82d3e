#include "store/Utf16Statistics.h"

namespace {

bool isLatinTextByte(unsigned char low)
{
    return low == 0x09 || low == 0x0A || low == 0x0D || (low >= 0x20 && low < 0x7F) || low >= 0xA0;
}

} // namespace

bool looksLikeUtf16LE(const unsigned char* bytes, std::size_t count)
{
    if (count < 2)
        return false;
    if (bytes[0] == 0xFF && bytes[1] == 0xFE)
        return true;
    const std::size_t units = count / 2;
    std::size_t latin = 0;
    std::size_t nulUnits = 0;
    for (std::size_t i = 0; i < units; ++i) {
        const unsigned char low = bytes[2 * i];
        const unsigned char high = bytes[2 * i + 1];
        if (high != 0)
            continue;
        latin += isLatinTextByte(low);
        nulUnits += low == 0;
    }
    return 2 * latin >= units && 100 * nulUnits <= units;
}
