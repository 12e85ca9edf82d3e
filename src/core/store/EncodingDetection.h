#pragma once

#include "common/Result.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// What the first bytes of a file say about its encoding.
enum class BomKind {
    Utf8 = 0,    // EF BB BF
    Utf16BE = 1, // FE FF
    Utf16LE = 2, // FF FE
    Utf32BE = 3, // 00 00 FE FF
    Utf32LE = 4, // FF FE 00 00
    Rtf = 5,     // {\r
    None = 6,
};

// "UTF8", "UTF16 - BigEndian", ..., "kein Unicode".
QString bomKindText(BomKind kind);
// Up to four first bytes of a file; missing bytes compare as blanks.
BomKind bomKindOf(QByteArrayView firstBytes);
Result<BomKind> checkByteOrderMark(const QString& programPath);

// The path holds a character the ANSI code page cannot represent, so it cannot be written
// into the ANSI document.
bool EnthaeltPfadDateinameAsiaZeichen(const QString& path);

// The document a file's text goes to. None: UTF-32 and RTF files contribute no text.
enum class EncodingClass { None, Ansi, Utf8, Unicode };
QString encodingClassText(EncodingClass cls); // "Ansi", "UTF8", "Unicode", "-"

struct ClassFlags {
    bool utf8 = false;
    bool ansi = false;
    bool unicodeLE = false;
    bool unicodeBE = false;
    bool rtf = false;

    EncodingClass encodingClass() const;
};

// The ANSI/UTF-8 sniff over the first bytes of a file (at most kSniffBytes are looked at).
inline constexpr qsizetype kSniffBytes = 200000;
void sniffAnsiUtf8(QByteArrayView firstBytes, ClassFlags& flags);

struct ClassDecision {
    BomKind kind = BomKind::None;
    ClassFlags flags;
    // The rules that decided, in the order they were applied, for "nimbra classify --why".
    QStringList reasons;
    EncodingClass encodingClass() const { return flags.encodingClass(); }
};

// The class decision over a file's whole content and its program path.
ClassDecision decideClass(const QString& path, QByteArrayView content);
// The flags the file-by-file search goes by: the mark, and for unmarked files the sniff and
// the UTF-8 test over the first kSearchTestBytes bytes; no UTF-16 test.
inline constexpr qsizetype kSearchTestBytes = 2000000;
Result<ClassDecision> decideSearchClassOfFile(const QString& programPath);

// The same for a file on disk, mapped rather than copied. Fails with the system's message.
Result<ClassDecision> decideClassOfFile(const QString& programPath);
