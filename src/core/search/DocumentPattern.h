#pragma once

#include "store/Family.h"
#include "viewer/BlockSearch.h"

#include <QByteArray>
#include <QString>

#include <cstddef>

// A search text as the document of a family holds it, and so as it is matched there.
struct DocumentPattern {
    QByteArray bytes;
    Family family = Family::Ansi;

    // Windows-1252 in the ANSI document wherever the code page holds the text, else its
    // UTF-8 bytes; UTF-8 in the UTF-8 document (and in the file list); UTF-16 LE without a
    // byte-order mark in the Unicode document.
    static DocumentPattern of(const QString& text, Family family);
    // The file list is UTF-8.
    static DocumentPattern forFileList(const QString& text) { return of(text, Family::Utf8); }
    bool isEmpty() const { return bytes.isEmpty(); }
    bool operator==(const DocumentPattern&) const = default;
};

// Finds every occurrence of a pattern in the bytes of its document: without case
// sensitivity by the family's case rule, inside words, overlapping ones included, at
// character-unit offsets only (even ones in UTF-16).
class OccurrenceScan {
public:
    explicit OccurrenceScan(const DocumentPattern& pattern);

    std::size_t length() const { return m_length; }

    // Calls onMatch(position) for every match that starts in [from, limit) and lies wholly
    // inside data[0, size), ascending. Returns the position at which a scan of the following
    // bytes continues: limit or beyond, or the first start whose match would pass size.
    template <typename OnMatch>
    std::size_t scan(const unsigned char* data, std::size_t size, std::size_t from,
                     std::size_t limit, OnMatch&& onMatch) const;

private:
    BlockSearcher m_searcher;
    std::size_t m_length;
    std::size_t m_unit;
};

template <typename OnMatch>
std::size_t OccurrenceScan::scan(const unsigned char* data, std::size_t size, std::size_t from,
                                 std::size_t limit, OnMatch&& onMatch) const
{
    std::size_t pos = (from + m_unit - 1) / m_unit * m_unit;
    const BlockEdges wholeBlock{};
    while (pos < limit) {
        if (pos + m_length > size)
            return pos;
        const std::size_t at = m_searcher.find(data + pos, size - pos, wholeBlock);
        if (at == blockscan::kNone) // every start up to size - length was looked at
            return ((size - m_length) / m_unit + 1) * m_unit;
        pos += at;
        if (pos >= limit)
            return pos;
        onMatch(pos);
        pos += m_unit;
    }
    return pos;
}
