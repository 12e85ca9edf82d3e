#pragma once

#include "search/TitlePositionList.h"

#include <QString>

#include <functional>

// What the search window's position label shows for the viewer's position: the position
// with thousands separators and, when the document's title-position list knows it, the
// path of the indexed file the position belongs to.
struct TitleDisplay {
    QString caption;
    QString hint; // the full path; empty when no path is shown

    // "1.234" alone, or "1.234  \"D:\Texte\Brief.txt\"". No path for a sorted list, an empty
    // list or a position before the first title.
    static TitleDisplay at(qint64 position, const TitlePositionList& titles, bool sortedList);

    // The caption cut by 7 characters at a time while its right edge reaches the panel's
    // width, then "..." appended when anything was cut. An empty caption ends the cutting,
    // however narrow the panel.
    static QString shortened(QString caption, const std::function<int(const QString&)>& rightEdge,
                             int panelWidth);
};
