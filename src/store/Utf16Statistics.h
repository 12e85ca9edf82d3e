#pragma once

#include <cstddef>

// Our stand-in for the system's statistical UTF-16 test. The rule: the bytes are taken as
// 16-bit little-endian units. They are UTF-16 text when they start with FF FE, or when at
// least half of the units are Latin-1 text characters (high byte 0; low byte a printable
// character, tab, CR or LF) and at most one unit in a hundred is 0000. Ordinary 8-bit
// text has no zero bytes, so its units never have a zero high byte and it is rejected;
// big-endian text puts the zero in the low byte and is rejected as well.
bool looksLikeUtf16LE(const unsigned char* bytes, std::size_t count);
