#pragma once

#include <QString>

// One laid-out line of the viewer: the characters shown and where the next line begins.
// [start, end) holds the characters shown; [end, next) is what the line skips: its line
// break, or the space or tab a wrapped line drops at its end.
struct TATBinHexLine {
    qint64 start = 0;
    qint64 end = 0;
    qint64 next = 0;
    QString chars; // one per character of [start, end); tabs kept as tabs
};
