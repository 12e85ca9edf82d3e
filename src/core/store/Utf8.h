#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>

namespace utf8 {

enum class StrictResult {
    NoMultiByte = 0, // valid, plain ASCII
    Valid = 1,       // valid and holds at least one multi-byte sequence
    Invalid = 2,
};

// The strict validator of the ANSI/UTF-8 sniff: rejects C0/C1 leads and overlong E0/F0
// forms, but neither surrogates nor code points above U+10FFFF.
StrictResult validateStrict(const unsigned char* bytes, std::size_t count);

// Length of the well-formed UTF-8 sequence at p (1 for ASCII; no overlong forms,
// surrogates or code points above U+10FFFF); 0 when none starts there; -1 when the
// available bytes are the valid start of one that is cut off.
int sequenceLength(const unsigned char* p, std::size_t available);

// Index of the first byte at or after `from` that is 0x80 or above, or `count`; eight
// or sixteen bytes at a time, so ASCII text costs little in the byte-wise loops.
std::size_t skipAscii(const unsigned char* bytes, std::size_t from, std::size_t count);

// The lenient whole-file test: true when at least one byte is 0x80 or above and every lead
// byte with n leading one bits (n = 2..8) is followed by exactly n - 1 continuation bytes.
// No overlong or range checks. Runs over ASCII and mixed text many bytes at a time.
bool isWholeFileUtf8(const unsigned char* bytes, std::size_t count);

// Text that holds UTF-8 bytes one character per byte (as the byte-mode reader yields it)
// turned into real text: back to bytes through the ANSI code page, then decoded as UTF-8.
QString bytesAsCharsToText(const QString& bytesAsChars);

QByteArray encode(const QString& text);
QString decode(QByteArrayView bytes);

} // namespace utf8
