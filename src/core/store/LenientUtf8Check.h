#pragma once

#include <cstddef>
#include <memory>

// The lenient whole-file UTF-8 test, fed piece by piece, so that a file can be read in
// pieces into one small buffer (no mapping, no copy of the whole file): true when at least
// one byte is 0x80 or above and every lead byte with n leading one bits (n = 2..8) is
// followed by exactly n - 1 continuation bytes. No overlong or range checks.
class LenientUtf8Check {
public:
    static constexpr std::size_t kPieceSize = 1 << 20;

    // Pieces of at most pieceCapacity bytes (at most kPieceSize).
    explicit LenientUtf8Check(std::size_t pieceCapacity = kPieceSize);

    // Room for the next piece, pieceCapacity() bytes: read into it, then call checkPiece.
    unsigned char* pieceBuffer() { return m_buffer.get() + kFront; }
    std::size_t pieceCapacity() const { return m_capacity; }
    // Checks the count bytes just placed into pieceBuffer().
    void checkPiece(std::size_t count);
    // Feeds bytes from memory.
    void feed(const unsigned char* bytes, std::size_t count);
    // The verdict over everything fed.
    bool finish() const;

    static bool checkPieceSse2(const unsigned char* p, std::size_t count, bool& sawHigh);
    static bool checkPieceAvx2(const unsigned char* p, std::size_t count, bool& sawHigh);

private:
    static constexpr std::size_t kFront = 32; // the bytes before the piece, for the rule
    static constexpr std::size_t kSlack = 64; // room for the last vector loads

    std::size_t m_capacity;
    std::unique_ptr<unsigned char[]> m_buffer;
    bool (*m_check)(const unsigned char*, std::size_t, bool&);
    bool m_failed = false;
    bool m_sawHigh = false;
};
