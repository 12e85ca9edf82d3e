#include "viewer/BlockSearch.h"

#include "store/CaseFolding.h"
#include "store/Windows1252.h"

#include <QChar>

#include <algorithm>
#include <cstring>
#include <tuple>

namespace {

// How common a byte is in German and English text (higher: more common). The scan looks
// for the two rarest bytes of the text, so that few places need a closer look.
int byteFrequency(unsigned char byte)
{
    static const std::array<int, 256> table = [] {
        std::array<int, 256> rank{};
        rank.fill(20);
        const char* const byCommonness = "enisratdhulcgmobwfkzpvjyxq";
        for (int i = 0; byCommonness[i]; ++i) {
            const auto lower = static_cast<unsigned char>(byCommonness[i]);
            rank[lower] = 250 - 6 * i;
            rank[lower - 32] = 190 - 6 * i; // the capital
        }
        for (unsigned char digit = '0'; digit <= '9'; ++digit)
            rank[digit] = 120;
        for (unsigned char common : {' ', '\r', '\n', '.', ','})
            rank[common] = 255;
        for (unsigned char umlaut : {0xE4, 0xF6, 0xFC, 0xDF})
            rank[umlaut] = 100;
        return rank;
    }();
    return table[byte];
}

// The two filters of a text whose bytes are rarest by the given cost of a byte; a filter of
// no bytes (too many fold to its character) is never chosen.
template <class FilterFor>
std::pair<blockscan::ByteFilter, blockscan::ByteFilter>
rarestTwo(std::size_t length, FilterFor filterFor, int (*byteCost)(unsigned char))
{
    const auto cost = [byteCost](const blockscan::ByteFilter& f) {
        int sum = 0;
        for (int i = 0; i < f.count; ++i)
            sum += byteCost(f.bytes[i]);
        return sum;
    };
    blockscan::ByteFilter first;
    blockscan::ByteFilter second;
    for (std::size_t offset = 0; offset < length; ++offset) {
        const blockscan::ByteFilter candidate = filterFor(offset);
        if (candidate.count == 0)
            continue;
        if (first.count == 0 || cost(candidate) < cost(first)) {
            second = first;
            first = candidate;
        } else if (second.count == 0 || cost(candidate) < cost(second)) {
            second = candidate;
        }
    }
    return {first, second};
}

// Low bytes of Latin UTF-16 text: a zero byte is the commonest of all.
int lowByteFrequency(unsigned char byte)
{
    return byte == 0 ? 1000 : byteFrequency(byte);
}

// Next to a whole word: a delimiter, or the stream's edge (-1).
bool bordersWord(int code)
{
    return code < 0 || isWordDelimiter(unsigned(code));
}

// The first (last, backward) candidate in [0, candidates) that passes both filters and the
// test.
template <class Test>
std::size_t scanCandidates(const unsigned char* block, std::size_t candidates,
                           const blockscan::ByteFilter& first, const blockscan::ByteFilter& second,
                           bool backward, const Test& test)
{
    const blockscan::CandidateTest candidateTest{[](const void* context, std::size_t at) {
                                                     return (*static_cast<const Test*>(context))(
                                                         at);
                                                 },
                                                 &test};
    return backward ? blockscan::backward(block, candidates, first, second, candidateTest)
                    : blockscan::forward(block, candidates, first, second, candidateTest);
}

// The 1-based index of the first (last) match of a text of m bytes in a block, or 0.
template <class MatchesAt>
std::size_t findInBytes(const unsigned char* block, std::size_t length, std::size_t m,
                        const blockscan::ByteFilter& first, const blockscan::ByteFilter& second,
                        bool backward, const MatchesAt& matchesAt)
{
    if (m == 0 || length < m)
        return 0;
    const std::size_t at =
        scanCandidates(block, length - m + 1, first, second, backward, matchesAt);
    return at == blockscan::kNone ? 0 : at + 1;
}

// Adds a byte the filter does not hold yet; false when it is full.
bool addToFilter(blockscan::ByteFilter& filter, unsigned char byte)
{
    const auto end = filter.bytes.begin() + filter.count;
    if (std::find(filter.bytes.begin(), end, byte) != end)
        return true;
    if (filter.count == int(filter.bytes.size()))
        return false;
    filter.bytes[filter.count++] = byte;
    return true;
}

} // namespace

ByteBlockSearch::ByteBlockSearch(QByteArray foldedText, const FoldTable& fold, bool wholeWords)
    : m_text(std::move(foldedText)), m_fold(fold), m_wholeWords(wholeWords)
{
    for (int byte = 0; byte < 256; ++byte)
        m_identityFold = m_identityFold && m_fold[byte] == byte;
    chooseFilters();
}

ByteBlockSearch::Filter ByteBlockSearch::filterFor(std::size_t offset) const
{
    Filter filter;
    filter.offset = offset;
    const auto wanted = static_cast<unsigned char>(m_text[offset]);
    for (int byte = 0; byte < 256; ++byte) {
        if (m_fold[byte] != wanted)
            continue;
        if (filter.count == int(filter.bytes.size()))
            return Filter{offset, 0, {}};
        filter.bytes[filter.count++] = static_cast<unsigned char>(byte);
    }
    return filter;
}

void ByteBlockSearch::chooseFilters()
{
    std::tie(m_first, m_second) = rarestTwo(
        std::size_t(m_text.size()), [this](std::size_t offset) { return filterFor(offset); },
        byteFrequency);
}

bool ByteBlockSearch::matchesAt(const unsigned char* block, std::size_t length, std::size_t at,
                                BlockEdges edges) const
{
    const std::size_t m = std::size_t(m_text.size());
    const auto* text = reinterpret_cast<const unsigned char*>(m_text.constData());
    if (m_identityFold) {
        if (std::memcmp(block + at, text, m) != 0)
            return false;
    } else {
        for (std::size_t j = 0; j < m; ++j) {
            if (m_fold[block[at + j]] != text[j])
                return false;
        }
    }
    if (!m_wholeWords)
        return true;
    const int before = at > 0 ? block[at - 1] : edges.before;
    const int after = at + m < length ? block[at + m] : edges.after;
    return bordersWord(before < 0 ? -1 : m_fold[before]) &&
           bordersWord(after < 0 ? -1 : m_fold[after]);
}

std::size_t ByteBlockSearch::find(const unsigned char* block, std::size_t length,
                                  BlockEdges edges) const
{
    return findInBytes(block, length, std::size_t(m_text.size()), m_first, m_second, edges.backward,
                       [&](std::size_t at) { return matchesAt(block, length, at, edges); });
}

Utf8BlockSearch::Utf8BlockSearch(QByteArray foldedText, bool caseSensitive, bool wholeWords)
    : m_text(std::move(foldedText)), m_caseSensitive(caseSensitive), m_wholeWords(wholeWords)
{
    chooseFilters();
}

// The filter at a byte of the text: that byte of every sequence that folds to the text's
// character there; none when they are more than four.
void Utf8BlockSearch::chooseFilters()
{
    const std::size_t m = std::size_t(m_text.size());
    const auto* text = reinterpret_cast<const unsigned char*>(m_text.constData());
    std::vector<blockscan::ByteFilter> filters(m);
    for (std::size_t start = 0; start < m;) {
        const std::vector<QByteArray> sources =
            m_caseSensitive ? std::vector<QByteArray>{QByteArray(1, char(text[start]))}
                            : casefold::utf8SequencesFoldingTo(text + start, m - start);
        const std::size_t length = std::size_t(sources.front().size());
        for (std::size_t k = 0; k < length; ++k) {
            blockscan::ByteFilter& filter = filters[start + k];
            filter.offset = start + k;
            for (const QByteArray& source : sources) {
                if (!addToFilter(filter, static_cast<unsigned char>(source[qsizetype(k)]))) {
                    filter = blockscan::ByteFilter{start + k, 0, {}};
                    break;
                }
            }
        }
        start += length;
    }
    std::tie(m_first, m_second) = rarestTwo(
        m, [&filters](std::size_t offset) { return filters[offset]; }, byteFrequency);
}

bool Utf8BlockSearch::matchesAt(const unsigned char* block, std::size_t length, std::size_t at,
                                BlockEdges edges) const
{
    const std::size_t m = std::size_t(m_text.size());
    const auto* text = reinterpret_cast<const unsigned char*>(m_text.constData());
    if (m_caseSensitive) {
        if (std::memcmp(block + at, text, m) != 0)
            return false;
    } else {
        std::array<unsigned char, 4> folded{};
        for (std::size_t j = 0; j < m;) {
            const int n = casefold::foldUtf8At(block + at + j, m - j, folded.data());
            if (std::memcmp(folded.data(), text + j, std::size_t(n)) != 0)
                return false;
            j += std::size_t(n);
        }
    }
    if (!m_wholeWords)
        return true;
    // A byte of a multi-byte sequence is 128 or above: a word character, as the letters are.
    return bordersWord(at > 0 ? block[at - 1] : edges.before) &&
           bordersWord(at + m < length ? block[at + m] : edges.after);
}

std::size_t Utf8BlockSearch::find(const unsigned char* block, std::size_t length,
                                  BlockEdges edges) const
{
    return findInBytes(block, length, std::size_t(m_text.size()), m_first, m_second, edges.backward,
                       [&](std::size_t at) { return matchesAt(block, length, at, edges); });
}

WideBlockSearch::WideBlockSearch(std::u16string foldedText, bool caseSensitive, bool bigEndian,
                                 bool wholeWords)
    : m_text(std::move(foldedText)), m_caseSensitive(caseSensitive), m_bigEndian(bigEndian),
      m_wholeWords(wholeWords)
{
    chooseFilters();
}

char16_t WideBlockSearch::unitAt(const unsigned char* block, std::size_t unit) const
{
    const unsigned char a = block[2 * unit];
    const unsigned char b = block[2 * unit + 1];
    return char16_t(m_bigEndian ? (a << 8 | b) : (b << 8 | a));
}

char16_t WideBlockSearch::foldedAt(const unsigned char* block, std::size_t unit) const
{
    const char16_t u = unitAt(block, unit);
    return m_caseSensitive ? u : casefold::lower(u);
}

// The low bytes of the units that fold to the text's unit at `offset`, placed where the
// stream holds them; no filter when they are more than four.
blockscan::ByteFilter WideBlockSearch::filterFor(std::size_t offset) const
{
    blockscan::ByteFilter filter;
    filter.offset = 2 * offset + (m_bigEndian ? 1 : 0);
    const char16_t wanted = m_text[offset];
    const auto add = [&filter](unsigned char low) { return addToFilter(filter, low); };
    if (m_caseSensitive)
        return add(wanted & 0xFF) ? filter : blockscan::ByteFilter{};
    for (const char16_t unit : casefold::unitsLoweredTo(wanted)) {
        if (!add(unit & 0xFF))
            return blockscan::ByteFilter{};
    }
    return filter;
}

void WideBlockSearch::chooseFilters()
{
    std::tie(m_first, m_second) = rarestTwo(
        m_text.size(), [this](std::size_t offset) { return filterFor(offset); }, lowByteFrequency);
}

bool WideBlockSearch::matchesAt(const unsigned char* block, std::size_t units, std::size_t at,
                                BlockEdges edges) const
{
    const std::size_t m = m_text.size();
    for (std::size_t j = 0; j < m; ++j) {
        if (foldedAt(block, at + j) != m_text[j])
            return false;
    }
    if (!m_wholeWords)
        return true;
    return bordersWord(at > 0 ? foldedAt(block, at - 1) : edges.before) &&
           bordersWord(at + m < units ? foldedAt(block, at + m) : edges.after);
}

std::size_t WideBlockSearch::find(const unsigned char* block, std::size_t length,
                                  BlockEdges edges) const
{
    const std::size_t units = length / 2;
    const std::size_t m = m_text.size();
    if (m == 0 || units < m)
        return 0;
    // Positions are bytes; only even ones start a unit.
    const std::size_t at = scanCandidates(
        block, 2 * (units - m) + 1, m_first, m_second, edges.backward,
        [&](std::size_t at) { return at % 2 == 0 && matchesAt(block, units, at / 2, edges); });
    return at == blockscan::kNone ? 0 : at / 2 + 1;
}

namespace {

ByteBlockSearch byteSearch(QByteArrayView textBytes, bool caseSensitive, bool wholeWords,
                           const ByteBlockSearch::FoldTable* translation)
{
    const auto& lower = cp1252::lowerTable();
    ByteBlockSearch::FoldTable fold{};
    for (int byte = 0; byte < 256; ++byte) {
        const unsigned char ansi = translation ? (*translation)[byte] : byte;
        fold[byte] = caseSensitive ? ansi : lower[ansi];
    }
    QByteArray folded = textBytes.toByteArray();
    if (!caseSensitive) {
        for (char& c : folded)
            c = char(lower[static_cast<unsigned char>(c)]);
    }
    return ByteBlockSearch(std::move(folded), fold, wholeWords);
}

WideBlockSearch wideSearch(QByteArrayView textBytes, bool caseSensitive, bool bigEndian,
                           bool wholeWords)
{
    std::u16string units(std::size_t(textBytes.size()) / 2, u'\0');
    const auto* bytes = reinterpret_cast<const unsigned char*>(textBytes.data());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const unsigned char a = bytes[2 * i];
        const unsigned char b = bytes[2 * i + 1];
        const auto unit = char16_t(bigEndian ? (a << 8 | b) : (b << 8 | a));
        units[i] = caseSensitive ? unit : casefold::lower(unit);
    }
    return WideBlockSearch(std::move(units), caseSensitive, bigEndian, wholeWords);
}

} // namespace

BlockSearcher::BlockSearcher(QByteArrayView textBytes, BlockText form, bool caseSensitive,
                             bool wholeWords, const ByteBlockSearch::FoldTable* translation)
    : m_search(byteSearch({}, true, false, nullptr)),
      m_unitSize(form == BlockText::Utf16LE || form == BlockText::Utf16BE ? 2 : 1)
{
    switch (form) {
    case BlockText::SingleByte:
        m_search = byteSearch(textBytes, caseSensitive, wholeWords, translation);
        break;
    case BlockText::Utf8:
        m_search =
            Utf8BlockSearch(caseSensitive ? textBytes.toByteArray() : casefold::foldUtf8(textBytes),
                            caseSensitive, wholeWords);
        break;
    case BlockText::Utf16LE:
    case BlockText::Utf16BE:
        m_search = wideSearch(textBytes, caseSensitive, form == BlockText::Utf16BE, wholeWords);
        break;
    }
}

std::size_t BlockSearcher::find(const unsigned char* block, std::size_t length,
                                BlockEdges edges) const
{
    const std::size_t index =
        std::visit([&](const auto& s) { return s.find(block, length, edges); }, m_search);
    return index == 0 ? blockscan::kNone : (index - 1) * m_unitSize;
}
