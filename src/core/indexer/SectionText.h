#pragma once

#include "store/EncodingDetection.h"
#include "store/Family.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// The text of the documents' sections, without files: which document a class goes to, the
// head lines of a section, line breaks and part marks in the document's encoding, and the
// pieces a file's text is cut into at its DLE characters.
namespace sectiontext {

Family familyOf(EncodingClass cls);

// What each part of a document begins with: the byte-order mark in the Unicode document
// (so it recurs where two parts meet), nothing in the others.
QByteArrayView partMark(Family family);
// CR LF in the document's encoding.
QByteArrayView lineBreak(Family family);

// The "=" under a title line: as long as the path less `shorter`.
QString rule(const QString& path, qsizetype shorter);
// Three blank lines, the title line "#path" and the rule.
QStringList headLines(const QString& path, const QString& rule);
// A large file's head: two blank lines, the title line and "Size: 9,54 MB ===…".
QStringList largeFileHeadLines(const QString& path, qint64 size);

// A line of text in the document's encoding, and its length as the document counts it:
// one character a byte in the ANSI and UTF-8 documents, a 16-bit unit in the Unicode one.
struct EncodedLine {
    QByteArray bytes;
    qint64 chars = 0;
};
EncodedLine encodeLine(Family family, const QString& text);

void swapBytePairs(QByteArray& bytes);

// Pieces of UTF-16 LE text between DLE units; the DLE and the unit after it are dropped, an
// odd byte at the end too.
QList<QByteArrayView> splitAtDleUnits(QByteArrayView bytes);
// Pieces of a file's text between DLE characters; the character after each DLE is dropped
// with it. A text starting with FF FE (and longer than the mark) is cut as 16-bit units
// after the mark; in the Unicode class one that does not gives a single empty piece. An
// empty text gives none.
QList<QByteArrayView> dlePieces(QByteArrayView content, bool unicodeClass);

} // namespace sectiontext
