#pragma once

#include "search/SearchHit.h"
#include "search/SearchTermList.h"
#include "store/Database.h"
#include "store/Family.h"

#include <QString>

#include <array>
#include <optional>

// What the search window shows and what it may start, without a widget: the database in
// use, the file in the viewer, the run under way with its count gate, and what the last
// search left for the main window. The window holds the controls and follows this state.
class SearchWindowState {
public:
    // What the viewer shows. A chosen document stays chosen while the viewer is closed for a
    // run or a new search text: the window opens it again afterwards.
    enum class View { Nothing, Document, FileList, SortedList };

    explicit SearchWindowState(const DatabasePaths& paths) : m_database(paths, QString()) {}

    // Before each showing. True when the database is another one: then nothing shown or
    // found in the previous one is kept.
    bool prepare(const QString& database, bool pathListOnly);
    const Database& database() const { return m_database; }
    bool pathListOnly() const { return m_pathListOnly; }

    // The document sizes behind the load buttons, read when the window is prepared and
    // after every run, not on every paint.
    void readDocumentSizes();
    bool loadable(Family family) const;

    // ---- the viewer
    // `userChoice`: the user opened it (not a run reopening it), so a count that finds
    // nothing returns to it.
    void documentOpened(Family family, bool userChoice);
    void fileListOpened();
    void sortedListOpened();
    // A new search text closed the viewer: no list is shown, the chosen document stays.
    void listsLeft();
    // A sorted-list build closed the viewer and replaces the lists: nothing stays chosen.
    void viewerEmptied();
    void setDocumentLoaded(bool loaded) { m_documentLoaded = loaded; }

    View view() const;
    std::optional<Family> chosenDocument() const { return m_chosen; }
    std::optional<Family> userDocument() const { return m_userDocument; }
    // The class whose text the in-document search and the bookmarks use.
    Family current() const { return m_current; }
    // The encoding the memo decodes the viewer's page in: the file list is UTF-8.
    std::optional<Family> textFamily() const;
    QString shownFile() const;
    bool documentLoaded() const { return m_documentLoaded; }
    bool hasSearchableFile() const { return m_chosen || m_fileListShown; }
    bool maySaveBookmark() const;

    // ---- the left field
    void setFileNameMode(bool on) { m_fileNameMode = on; }
    bool fileNameMode() const { return m_fileNameMode; }
    // The search and count buttons of a filled field (the count also needs documents).
    bool maySearch(const QString& text) const;
    bool mayCount(const QString& text) const;

    // ---- runs: a search begins with a count whose "Ja" starts it, unless the database has
    // no documents or the count was confirmed in this showing already.
    bool running() const { return m_searching || m_counting; }
    bool counting() const { return m_counting; }
    bool searching() const { return m_searching; }
    bool searchStartsWithCount() const { return !m_pathListOnly && m_confirmations == 0; }
    void countStarted();
    void countEnded() { m_counting = false; }
    // The count goes on after the search its "Ja" ran, with the cancel that search saw.
    void countResumed() { m_counting = true; }
    void countConfirmed() { ++m_confirmations; }
    // A press of the search button: what the previous search left is no failure now.
    void searchRequested() { m_searchFailed = m_searchCancelled = false; }
    void searchStarted();
    // The run stays under way until searchStopped(): its pages are written in between.
    void searchFound(SearchHits hits, std::array<bool, 3> documentHit);
    void searchRefused();
    void searchStopped() { m_searching = false; }
    // The run's controls come back; the next search asks for a count again.
    void runClosed() { m_confirmations = 0; }

    void requestCancel() { m_cancel = true; }
    void clearCancel() { m_cancel = false; }
    bool cancelRequested() const { return m_cancel; }

    // ---- what the last search left
    const SearchHits& hits() const { return m_hits; }
    bool searchFailed() const { return m_searchFailed; }
    bool searchCancelled() const { return m_searchCancelled; }
    SearchTermList::SearchOutcome outcome() const;

private:
    void forgetDatabase();

    Database m_database;
    bool m_pathListOnly = false;
    std::array<qint64, 3> m_documentSizes{};

    std::optional<Family> m_chosen;
    std::optional<Family> m_userDocument;
    Family m_current = Family::Ansi;
    bool m_fileListShown = false;
    bool m_sortedListShown = false;
    bool m_documentLoaded = false;

    bool m_fileNameMode = false;
    bool m_searching = false;
    bool m_counting = false;
    bool m_cancel = false;
    int m_confirmations = 0;

    SearchHits m_hits;
    std::array<bool, 3> m_documentHit{};
    bool m_searchFailed = false;
    bool m_searchCancelled = false;
};
