#pragma once

#include <QByteArray>
#include <QString>

// String helpers the search window uses beside the stream search. Positions are 1-based,
// 0 meaning "not found", as the search window counts them.
namespace streamstrings {

// Position of sub in text at or after `from`; 0 for an empty sub or text, or from < 1.
int posAnsi(const QByteArray& sub, const QByteArray& text, int from = 1);
// Position of sub in text at or after `from`; 0 when from is below 1 or beyond the end.
int posWide(const QString& sub, const QString& text, int from = 1);
// Position of the last occurrence of sub in text; 0 if none.
int lastPosWide(const QString& sub, const QString& text);

// Size of a file named by a program path, -1 when there is none. Works on files that are
// open elsewhere.
qint64 fileSizeOf(const QString& programPath);
// Only characters below 128 (true for an empty text).
bool isAscii(const QString& text);
// "#$41#$42" for "AB": every byte as "#$" and two hexadecimal digits.
QString ansiCharCodes(const QByteArray& text);

} // namespace streamstrings
