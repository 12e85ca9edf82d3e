#pragma once

#include <array>

// Characters of the code pages behind the built-in conversion rules, for systems without a
// decoder for them. The 128-entry tables cover the bytes 0x80 to 0xFF; below lies ASCII.
namespace encodingtables {

extern const std::array<char16_t, 256> kEbcdicUsCanada;
extern const std::array<char16_t, 128> kKoi8RUpper;
extern const std::array<char16_t, 128> kLatin1Upper;
extern const std::array<char16_t, 128> kMacRomanUpper;

} // namespace encodingtables
