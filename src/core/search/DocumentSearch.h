#pragma once

#include "common/Result.h"
#include "common/TaskPacer.h"
#include "common/UserInterface.h"
#include "search/SearchHit.h"
#include "search/TitlePositionList.h"
#include "store/Database.h"
#include "store/DatabasePaths.h"
#include "store/Family.h"
#include "viewer/BlockSearch.h"
#include "viewer/TATBinHexCore.h"
#include "viewer/TATStreamSearch.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <memory>
#include <optional>

// What one search looks for and how.
struct SearchRequest {
    QString text; // the search field's text, trimmed
    bool caseSensitive = false;
    bool wholeWords = false;
    QString titleMarker;    // "#D:\" of the database's drive
    QChar replacementDrive; // tried when a found file does not exist
};

// Searches one plain-text document of a database and makes one hit per indexed file that
// holds the text: its path and a snippet around the file's first hit. After a hit the rest of the
// file is skipped by one search for the title marker.
class DocumentSearch {
public:
    // The pacer is asked between the blocks of a step; a cancel ends the document's search.
    DocumentSearch(const DatabasePaths& paths, UserInterface& ui, TaskPacer& pacer);
    ~DocumentSearch();

    // Appends the hit entries of one document to hits. Fails, with the German message that
    // asks for a re-index, when the document cannot be read or its title-position list
    // cannot belong to it.
    Status search(const Database& database, Family family, const SearchRequest& request,
                  SearchHits& hits);
    // Searches one listed file of a database without documents: only its first hit counts,
    // no title marker, no path lookup; big-endian UTF-16 files are searched as such.
    void searchFile(const QString& path, Family family, bool bigEndian,
                    const SearchRequest& request, SearchHits& hits);
    // The first step in that document found nothing.
    bool noHit(Family family) const { return m_noHit[int(family)]; }
    // Releases the document, so that it can be rewritten.
    void close();

    // The search text as the document holds it (DocumentPattern), one character a byte;
    // the text itself for the Unicode document.
    static QString searchForm(const QString& text, Family family);
    // The path, "Existiert nicht! " and the repaired form, or the path found under the
    // replacement drive letter or below the base folder.
    static QString checkedPath(const QString& path, QChar replacementDrive,
                               const QString& baseFolder);

private:
    class WindowState;

    // The family, the request and what follows from them for the search of one document.
    void prepare(Family family, const SearchRequest& request);
    FileAccess fileAccess() const;
    // One search step: the first from the document's start, else on from the last match.
    bool step(bool first);
    void makeEntry(SearchHits& hits);
    QString selectedLine();
    // The line at the offset when it is a line not taken yet; nothing past the end or when
    // the offset lies in the line already selected.
    std::optional<QString> nextLineAt(qint64 offset);
    // The text around the hit: its line, widened by the lines after it, cut around the hit.
    QByteArray snippet();
    // Where the search text stands in a snippet (1-based, 0: not at all).
    int textPosition(const QString& snippet) const;

    const DatabasePaths& m_paths;
    UserInterface& m_ui;
    TaskPacer& m_pacer;
    std::unique_ptr<WindowState> m_window;
    TATStreamSearch m_search;
    TATBinHexCore m_viewer;
    std::array<bool, 3> m_noHit{};

    // The document being searched.
    Family m_family = Family::Ansi;
    QString m_document;
    SearchRequest m_request;
    QString m_form;
    bool m_singleFile = false; // a listed file rather than a document
    bool m_bigEndian = false;
    QString m_target; // what the next step looks for: the marker or the search text
    std::optional<BlockSearcher> m_snippetSearch; // the search text in a snippet
    TitlePositionList m_titles;
};
