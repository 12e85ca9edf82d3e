#pragma once

#include "common/Result.h"
#include "store/Family.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringView>

// Reads a document in pieces of at most a given size, in order, each cut after a line end
// (a line longer than a piece is cut where the piece ends), decoded as its family is
// written: Windows-1252, UTF-8, or UTF-16 LE. So only one piece is held at a time and no
// line is broken in two.
class DocumentPieces {
public:
    DocumentPieces(QString programPath, Family family, qint64 pieceSize);

    // Fails with a message naming the document when it cannot be opened.
    Status open();
    qint64 size() const { return m_size; }
    bool atEnd() const { return m_offset >= m_size; }
    // The next piece as text; fails when the document got shorter or cannot be read.
    Status next(QString& text);

private:
    qsizetype cutAfterLineEnd(const QByteArray& bytes, bool last) const;
    void decode(QByteArrayView bytes, QString& text) const;

    QString m_path;
    Family m_family;
    qint64 m_pieceSize;
    QFile m_file;
    QByteArray m_bytes;
    qint64 m_size = 0;
    qint64 m_offset = 0;
};

// Calls line(text) for every line of the text; lines end at CR LF, LF or CR.
template <typename Line> void forEachLine(QStringView text, Line&& line)
{
    qsizetype start = 0;
    const qsizetype size = text.size();
    while (start < size) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = size;
        const qsizetype cr = text.sliced(start, end - start).indexOf(u'\r');
        qsizetype next = end + 1;
        if (cr >= 0 && start + cr + 1 < end) { // a CR alone ends a line as well
            end = start + cr;
            next = end + 1;
        } else if (cr >= 0) {
            end = start + cr; // CR LF
        }
        line(text.sliced(start, end - start));
        start = next;
    }
}
