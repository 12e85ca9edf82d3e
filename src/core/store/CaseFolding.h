#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstddef>
#include <vector>

// The one case rule of every search, hit count and in-document step: without case
// sensitivity two characters match when their simple lower cases (Qt's lower case of a
// UTF-16 unit) are equal. Each document applies it in its own encoding, and only where the
// lower case keeps the encoded length, so that a match is as long as the text searched:
//  - Windows-1252: byte by byte (cp1252::lowerTable());
//  - UTF-8: sequence by sequence; no byte of a multi-byte sequence is ever folded alone;
//  - UTF-16: unit by unit.
namespace casefold {

char16_t lower(char16_t unit);
// The units whose lower case is the given unit, itself included when it is lower case.
const std::vector<char16_t>& unitsLoweredTo(char16_t lowered);

// Folds the UTF-8 character at p into out (at most four bytes) and returns its length: the
// sequence's for a well-formed one, else 1 with the byte unchanged (also for a sequence cut
// off by `available`).
int foldUtf8At(const unsigned char* p, std::size_t available, unsigned char* out);
// A whole UTF-8 text folded character by character; it keeps its length.
QByteArray foldUtf8(QByteArrayView bytes);
// Every UTF-8 sequence that folds to the folded character at p (its own bytes included).
std::vector<QByteArray> utf8SequencesFoldingTo(const unsigned char* p, std::size_t available);

} // namespace casefold
