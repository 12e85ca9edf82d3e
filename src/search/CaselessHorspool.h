#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <algorithm>
#include <array>
#include <cstddef>

// Boyer-Moore-Horspool over bytes, every byte compared through the ANSI lower-case table,
// so "Ä" and "ä" are one byte to it wherever they stand, even inside UTF-8 or UTF-16.
class CaselessHorspool {
public:
    // The pattern must not be empty.
    explicit CaselessHorspool(QByteArrayView pattern);

    std::size_t length() const { return std::size_t(m_pattern.size()); }

    // Calls onMatch(position) for every match that starts in [from, limit) and lies wholly
    // inside data[0, size), ascending, overlapping ones included. Returns the position at
    // which a scan of the following bytes continues: limit or beyond, or the first start
    // whose match would pass size.
    template <typename OnMatch>
    std::size_t scan(const unsigned char* data, std::size_t size, std::size_t from,
                     std::size_t limit, OnMatch&& onMatch) const;

private:
    bool matchesBefore(const unsigned char* candidate) const;

    QByteArray m_pattern; // lower case
    const std::array<unsigned char, 256>& m_lower;
    // By raw byte: its distance from the pattern's end, for both case forms of the
    // pattern's bytes but the last; every other byte skips the whole pattern.
    std::array<std::size_t, 256> m_shift;
};

inline bool CaselessHorspool::matchesBefore(const unsigned char* candidate) const
{
    const auto* pattern = reinterpret_cast<const unsigned char*>(m_pattern.constData());
    for (std::size_t i = length() - 1; i-- > 0;) {
        if (m_lower[candidate[i]] != pattern[i])
            return false;
    }
    return true;
}

template <typename OnMatch>
std::size_t CaselessHorspool::scan(const unsigned char* data, std::size_t size, std::size_t from,
                                   std::size_t limit, OnMatch&& onMatch) const
{
    const std::size_t m = length();
    const std::size_t end = size < m ? 0 : std::min(limit, size - m + 1);
    const unsigned char last = static_cast<unsigned char>(m_pattern.back());
    std::size_t pos = from;
    while (pos < end) {
        const unsigned char tail = data[pos + m - 1];
        if (m_lower[tail] == last && matchesBefore(data + pos))
            onMatch(pos);
        // After a match too: the shift never passes a start that could match, so
        // overlapping matches are all found, as by a new scan one byte further.
        pos += m_shift[tail];
    }
    return pos;
}
