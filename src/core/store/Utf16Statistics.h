#pragma once

#include <cstddef>
#include <cstdint>

// Our stand-in for the system's statistical UTF-16 test. The rule: the bytes are taken as
// 16-bit little-endian units. They are UTF-16 text when they start with FF FE, or when at
// least half of the units are Latin-1 text characters (high byte 0; low byte a printable
// character, tab, CR or LF) and at most one unit in a hundred is 0000. Ordinary 8-bit
// text has no zero bytes, so its units never have a zero high byte and it is rejected;
// big-endian text puts the zero in the low byte and is rejected as well.
class Utf16Statistics {
public:
    // Feeds the next bytes of the file; pieces may have odd lengths.
    void feed(const unsigned char* bytes, std::size_t count);
    bool looksLikeUtf16LE() const;

private:
    void countUnit(unsigned char low, unsigned char high);

    std::uint64_t m_units = 0;
    std::uint64_t m_latin = 0;
    std::uint64_t m_nulUnits = 0;
    // The first two bytes of everything fed, for the FF FE signature, however it is cut.
    unsigned char m_head[2] = {0, 0};
    std::size_t m_headCount = 0;
    bool m_hasCarry = false;
    unsigned char m_carry = 0;
};

bool looksLikeUtf16LE(const unsigned char* bytes, std::size_t count);
