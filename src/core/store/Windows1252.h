#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>

// Windows-1252, the ANSI code page of the program's documents. Bytes 0x80-0x9F map as
// Windows maps them; its five unassigned bytes map to U+0081, U+008D, U+008F, U+0090 and
// U+009D, so every byte round-trips.
namespace cp1252 {

char16_t toUnicode(unsigned char byte);
// The byte for a character, or -1 when the code page has none.
int fromUnicode(char16_t ch);

QString decode(QByteArrayView bytes);
// Unrepresentable characters become the code page's default character "?".
QByteArray encode(QStringView text);
bool canEncode(QStringView text);

// The lower-case byte of every byte, as the ANSI code page lower-cases: A-Z, the accented
// capitals, Š Œ Ž Ÿ; bytes without a lower-case form in the code page stay as they are.
const std::array<unsigned char, 256>& lowerTable();

} // namespace cp1252
