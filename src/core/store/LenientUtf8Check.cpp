#include "store/LenientUtf8Check.h"

#include <algorithm>
#include <cstring>

LenientUtf8Check::LenientUtf8Check(std::size_t pieceCapacity)
    : m_capacity(std::clamp<std::size_t>(pieceCapacity, 1, kPieceSize)),
      m_buffer(new unsigned char[kFront + m_capacity + kSlack])
{
    std::memset(m_buffer.get(), 0, kFront); // nothing before the first piece
#if defined(__x86_64__) || defined(__i386__)
    m_check = __builtin_cpu_supports("avx2") ? &checkPieceAvx2 : &checkPieceSse2;
#else
    m_check = &checkPieceSse2;
#endif
}

void LenientUtf8Check::checkPiece(std::size_t count)
{
    if (m_failed || count == 0)
        return;
    m_failed = !m_check(pieceBuffer(), count, m_sawHigh);
    // The last bytes become the bytes before the next piece.
    std::memmove(m_buffer.get(), m_buffer.get() + count, kFront);
}

void LenientUtf8Check::feed(const unsigned char* bytes, std::size_t count)
{
    while (count > 0 && !m_failed) {
        const std::size_t piece = std::min(count, m_capacity);
        std::memcpy(pieceBuffer(), bytes, piece);
        checkPiece(piece);
        bytes += piece;
        count -= piece;
    }
}

bool LenientUtf8Check::finish() const
{
    if (m_failed || !m_sawHigh)
        return false;
    // A lead d bytes before the end that asks for d or more continuation bytes is cut off.
    static constexpr unsigned char kNeedsAtLeast[8] = {0, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE, 0xFF};
    const unsigned char* end = m_buffer.get() + kFront;
    for (std::size_t d = 1; d <= 7; ++d) {
        if (end[-std::ptrdiff_t(d)] >= kNeedsAtLeast[d])
            return false;
    }
    return true;
}
