#pragma once

#include "store/Family.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

// A document's title-position list as the searches read it, held in memory once. Tells
// which indexed file a document offset belongs to, with the result of going through the
// list line by line, by binary search.
//
// A line's offset is the decimal number (64-bit) before its first blank; a line without a
// blank, or with anything else before it, counts as offset 0. Its path is the text after
// the first " #", decoded from UTF-8, and in the UTF-8 list decoded once more, as that list
// holds the path encoded twice; a line without " #" has no path and never gives one.
class TitlePositionList {
public:
    TitlePositionList() = default;
    // A missing or unreadable file gives the empty list.
    static TitlePositionList read(const QString& programPath, Family family);
    // The bytes of a list file: UTF-8, lines ended by CR LF, LF or CR.
    static TitlePositionList parse(QByteArrayView bytes, Family family);

    qsizetype size() const { return qsizetype(m_paths.size()); }
    // The largest offset a line names; -1 for the empty list.
    qint64 largestOffset() const { return m_largestOffset; }
    bool isEmpty() const { return m_paths.empty(); }

    // The path of the first line with a path whose offset is at most the given one and whose
    // successor's offset is greater (the last line needs no successor): an offset on a title
    // line belongs to that line's file. Empty when no line qualifies, as for an offset
    // before the first line.
    QString pathAt(qint64 offset) const;

private:
    // From start up to the next run's start, lookups give this line (-1: none).
    struct Run {
        qint64 start;
        qsizetype line;
    };

    // Where a line's path stands in the list's bytes; decoded only when a lookup gives it.
    struct PathBytes {
        qsizetype start = 0;
        qsizetype length = 0; // 0: the line has no path
    };

    void buildRuns(const std::vector<qint64>& offsets);

    qint64 m_largestOffset = -1;

    QByteArray m_bytes;
    Family m_family = Family::Ansi;
    std::vector<PathBytes> m_paths;
    std::vector<Run> m_runs;
};
