#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QString>

// Code pages the program writes its files in.
enum class CodePage {
    Ansi1252 = 1252,
    Utf8 = 65001,   // without byte-order mark
    Utf16LE = 1200, // with byte-order mark FF FE
};

// Whether a written file is forced to disk before it replaces the old one. Files that live
// only for a session (result pages) need not wait for the disk.
enum class Durability { Forced, NotForced };

// "Die Datei <path> konnte nicht geschrieben werden: <cause>", the failure of every file
// the program writes.
Status writeFailure(const QString& programPath, const QString& cause);

// Writes bytes to a temporary file in the target's folder and renames it over the target,
// so a crash or a full disk never leaves a half-written file in place of a good one.
Status writeFileSafely(const QString& programPath, const QByteArray& bytes,
                       Durability durability = Durability::Forced);

// The text in the code page: unrepresentable 1252 characters become "?", UTF-16 gets FF FE.
QByteArray encodeForCodePage(const QString& text, CodePage codePage);

// The UTF-16 little-endian bytes of a text, without a byte-order mark, whatever the byte
// order of the machine.
void appendUtf16LE(QByteArray& bytes, QStringView text);
QByteArray utf16LE(QStringView text);

// Creates or replaces the file with the text in the code page, safely.
Status WriteToStream(const QString& text, const QString& programPath, CodePage codePage);
