#pragma once

#include "results/ResultPageHeader.h"
#include "search/SearchHit.h"
#include "store/DatabasePaths.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <span>

// The lines of one HTML result page. Text from the searched files, their paths, the search
// term and the database name are escaped, so they always show as text; the links carry
// native file URLs.
namespace resultpage {

inline constexpr int kEntriesPerPage = 25;

struct Page {
    // The hits of this page.
    std::span<const SearchHit> entries;
    QString searchTerm; // as typed, blanks included
    int count = 0;      // files found up to and including this page
    int pageNumber = 1;
    bool morePages = false;
};

// "NB_Ergebnis.htm" for page 1, "NB_Ergebnis<k>.htm" for page k >= 2.
QString fileName(int page);

// The settings line for the search window's two options.
QString settingsLine(bool matchCase, bool wholeWords);

// One hit as its page line: the file as a link and the snippet with the last occurrence of
// the trimmed term in bold. A hit with a blank path stays plain text, its term marked alike.
QString hitLine(const SearchHit& hit, const QString& searchTerm, bool matchCase);

// Every line of the page, top to bottom.
QStringList lines(const Page& page, const ResultPageHeader& header, const DatabasePaths& paths);

// The file content: UTF-8 without byte-order mark, every line ended by CR LF.
QByteArray fileBytes(const QStringList& lines);

} // namespace resultpage
