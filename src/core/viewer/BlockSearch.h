#pragma once

#include "viewer/BlockScan.h"

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstddef>
#include <string>
#include <variant>
#include <vector>

// The search inside one block of the stream search: the first (forward) or last (backward)
// candidate whose characters equal the text's and that passes the whole-word rules, which
// look at the stream's units next to the block for a match at its edge. Returns the
// 1-based character index of the match, or 0.

// Word delimiters: control characters, space and ASCII punctuation; letters, digits, "_"
// and every code from 128 up are word characters.
constexpr bool isWordDelimiter(unsigned code)
{
    return code <= 47 || (code >= 58 && code <= 64) || (code >= 91 && code <= 94) || code == 96 ||
           (code >= 123 && code <= 127);
}

struct BlockEdges {
    bool backward = false;
    // The stream's units just before and just after the block, as the block holds them
    // (a byte, or a UTF-16 unit); -1 at the stream's start or end.
    int before = -1;
    int after = -1;
};

// Single-byte text. Every block byte is first mapped through `fold` (conversion into the
// ANSI code page and, without case sensitivity, lower-casing); the text is given folded.
// Candidates are found with a vector scan for the pattern's two rarest bytes, then checked.
class ByteBlockSearch {
public:
    using FoldTable = std::array<unsigned char, 256>;

    ByteBlockSearch(QByteArray foldedText, const FoldTable& fold, bool wholeWords);

    std::size_t find(const unsigned char* block, std::size_t length, BlockEdges edges) const;

private:
    // Block bytes that fold to the text byte at one offset of the text (count 0: too many
    // bytes fold to it to scan for them).
    using Filter = blockscan::ByteFilter;

    Filter filterFor(std::size_t offset) const;
    void chooseFilters();
    bool matchesAt(const unsigned char* block, std::size_t length, std::size_t at,
                   BlockEdges edges) const;

    QByteArray m_text;
    FoldTable m_fold;
    bool m_identityFold = true;
    bool m_wholeWords = false;
    Filter m_first;  // the rarest text byte
    Filter m_second; // the next rarest, at another offset (count 0 for a one-byte text)
};

// UTF-8 text, folded without case sensitivity character by character (casefold), never a
// byte of a sequence alone; the text is given folded. Candidates are found with a vector
// scan for the text's two rarest bytes, then checked sequence by sequence.
class Utf8BlockSearch {
public:
    Utf8BlockSearch(QByteArray foldedText, bool caseSensitive, bool wholeWords);

    std::size_t find(const unsigned char* block, std::size_t length, BlockEdges edges) const;

private:
    void chooseFilters();
    bool matchesAt(const unsigned char* block, std::size_t length, std::size_t at,
                   BlockEdges edges) const;

    QByteArray m_text;
    bool m_caseSensitive;
    bool m_wholeWords;
    blockscan::ByteFilter m_first;
    blockscan::ByteFilter m_second;
};

// UTF-16 text: the block's units are taken in the stream's byte order and, without case
// sensitivity, lower-cased unit by unit, as the text is. Candidates are found by a vector
// scan for the low bytes of the text's two rarest units, at even offsets, then checked.
class WideBlockSearch {
public:
    WideBlockSearch(std::u16string foldedText, bool caseSensitive, bool bigEndian, bool wholeWords);

    std::size_t find(const unsigned char* block, std::size_t length, BlockEdges edges) const;

private:
    char16_t unitAt(const unsigned char* block, std::size_t unit) const;
    char16_t foldedAt(const unsigned char* block, std::size_t unit) const;
    blockscan::ByteFilter filterFor(std::size_t offset) const;
    void chooseFilters();
    bool matchesAt(const unsigned char* block, std::size_t units, std::size_t at,
                   BlockEdges edges) const;

    std::u16string m_text;
    bool m_caseSensitive;
    bool m_bigEndian;
    bool m_wholeWords;
    blockscan::ByteFilter m_first;
    blockscan::ByteFilter m_second;
};

// How a block holds its text.
enum class BlockText { SingleByte, Utf8, Utf16LE, Utf16BE };

// The search of one block for a text of any of these forms, the text given as the block
// holds it (single-byte text in Windows-1252; `translation` maps another code page's block
// bytes to it). Finds the byte offset of the first or last match, or blockscan::kNone.
class BlockSearcher {
public:
    BlockSearcher(QByteArrayView textBytes, BlockText form, bool caseSensitive, bool wholeWords,
                  const ByteBlockSearch::FoldTable* translation = nullptr);

    std::size_t find(const unsigned char* block, std::size_t length, BlockEdges edges) const;
    // Bytes of one character unit: matches start only at multiples of it.
    std::size_t unitSize() const { return m_unitSize; }

private:
    std::variant<ByteBlockSearch, Utf8BlockSearch, WideBlockSearch> m_search;
    std::size_t m_unitSize;
};
