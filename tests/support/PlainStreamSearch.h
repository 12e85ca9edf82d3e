#pragma once

// The stream search as its rules read, candidate by candidate: block after block, each
// converted and folded as a whole, every candidate compared character by character. Slow
// and obvious; the oracle of the fast search in its tests and its fuzz target.

#include "store/Windows1252.h"
#include "viewer/BlockSearch.h"
#include "viewer/TATEncoding.h"
#include "viewer/TATStreamSearch.h"

#include <QByteArray>
#include <QChar>
#include <QString>

#include <algorithm>
#include <vector>

namespace plainsearch {

inline std::vector<unsigned> convertText(const QString& text, TATEncoding encoding,
                                         bool caseSensitive)
{
    std::vector<unsigned> chars;
    if (encodingCharSize(encoding) == 2) {
        for (const QChar c : text)
            chars.push_back(caseSensitive ? c.unicode() : c.toLower().unicode());
        return chars;
    }
    for (const char c : cp1252::encode(text)) {
        const auto byte = static_cast<unsigned char>(c);
        chars.push_back(caseSensitive ? byte : cp1252::lowerTable()[byte]);
    }
    return chars;
}

// The block's characters: its UTF-16 units as they are, or its text in Windows-1252.
inline std::vector<unsigned> convertBlock(QByteArrayView bytes, TATEncoding encoding,
                                          bool caseSensitive)
{
    if (encodingCharSize(encoding) != 2)
        return convertText(convertToUnicode(bytes, encoding), encoding, caseSensitive);
    QString units;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        units.append(QChar(char16_t(encoding == vEncUnicodeBE ? (a << 8 | b) : (b << 8 | a))));
    }
    return convertText(units, encoding, caseSensitive);
}

// 1-based index of the first (last, backward) candidate equal to the text that passes the
// whole-word rules, with the stream's characters before and after the block (-1: none);
// 0 for none.
inline qsizetype blockSearch(const std::vector<unsigned>& text, const std::vector<unsigned>& block,
                             bool backward, int before, int after, bool wholeWords)
{
    const qsizetype m = qsizetype(text.size());
    const qsizetype last = qsizetype(block.size()) - m + 1;
    for (qsizetype k = 0; k < last; ++k) {
        const qsizetype i = backward ? last - k : k + 1;
        bool equal = true;
        for (qsizetype j = 0; j < m && equal; ++j)
            equal = block[i - 1 + j] == text[j];
        if (!equal)
            continue;
        if (wholeWords) {
            const qint64 left = i > 1 ? qint64(block[i - 2]) : before;
            const qint64 right =
                i - 1 + m < qsizetype(block.size()) ? qint64(block[i - 1 + m]) : after;
            if ((left >= 0 && !isWordDelimiter(unsigned(left))) ||
                (right >= 0 && !isWordDelimiter(unsigned(right))))
                continue;
        }
        return i;
    }
    return 0;
}

inline qint64 floorTo(qint64 value, qint64 step)
{
    return value >= 0 ? value / step * step : -((-value + step - 1) / step) * step;
}

// Offset of the match FindFirst reports (start already turned into "the end" for a
// backward search from 0), or -1.
inline qint64 search(const QByteArray& stream, const QString& text, TATEncoding encoding,
                     unsigned options, qint64 start, qint64 blockSize)
{
    if (text.isEmpty())
        return -1;
    const qint64 cs = encodingCharSize(encoding);
    const qint64 size = stream.size();
    if (size < cs)
        return -1;
    const bool backward = options & ssoBackward;
    const qint64 last = floorTo(std::max<qint64>(0, floorTo(size, cs) - cs), cs);
    qint64 cur = floorTo(start, cs);
    if (cur > last) {
        if (!backward)
            return -1;
        cur = last;
    }
    if (cur < 0) {
        if (backward)
            return -1;
        cur = 0;
    }
    const bool caseSensitive = options & ssoCaseSensitive;
    const auto folded = convertText(text, encoding, caseSensitive);
    for (;;) {
        qint64 blockStart = cur;
        qint64 blockLen = blockSize;
        if (backward) {
            blockStart = std::max<qint64>(0, cur - (blockSize - cs));
            blockLen = std::min(cur - blockStart + cs, blockSize);
        }
        const QByteArray bytes = stream.mid(blockStart, blockLen);
        const auto block = convertBlock(bytes, encoding, caseSensitive);
        // The characters next to the block; a block that converts to "?" has none.
        const bool convertible = cs == 2 || ansiTranslation(encoding).has_value();
        const auto neighbour = [&](qint64 at) {
            if (!convertible || at < 0 || at + cs > stream.size())
                return -1;
            return int(convertBlock(stream.mid(at, cs), encoding, caseSensitive)[0]);
        };
        const int before = blockStart > 0 ? neighbour(blockStart - cs) : -1;
        const int after = bytes.size() == blockLen ? neighbour(blockStart + blockLen) : -1;
        const qsizetype i =
            blockSearch(folded, block, backward, before, after, options & ssoWholeWords);
        if (i > 0)
            return blockStart + (i - 1) * cs;
        const qint64 dir = backward ? -1 : 1;
        cur = floorTo(cur + dir * blockLen - dir * (text.size() + 1) * cs, cs);
        if (cur < 0 || cur > last || bytes.size() < blockSize)
            return -1;
    }
}

} // namespace plainsearch
