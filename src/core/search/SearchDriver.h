#pragma once

#include "common/Result.h"
#include "common/TaskPacer.h"
#include "common/UserInterface.h"
#include "search/DocumentSearch.h"
#include "search/HitCounter.h"
#include "search/SearchHit.h"
#include "store/Database.h"
#include "store/DatabasePaths.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// The search of the "Lokale Suche" button after the count was confirmed, without the
// window: checks the text, works out the title marker and the replacement drive letter,
// and searches the database's documents in the order ANSI, UTF-8, Unicode.
class SearchDriver {
public:
    // Shows the hit count's message and returns the answer: true for "Ja".
    using CountConfirmation = std::function<bool(const QString& message)>;

    // The task is asked between the steps of the search, a cancel ends it with the hits found
    // so far; it gets the window caption while a database without documents is searched
    // file by file.
    SearchDriver(const DatabasePaths& paths, UserInterface& ui, TaskProgress& task);

    // The hit entries of the search, or a refusal ("Nur ein Zeichen ...") already shown.
    Result<SearchHits> run(const Database& database, const QString& searchField, bool caseSensitive,
                           bool wholeWords);

    // The gate of a run: a database with documents is first counted and the count shown;
    // only a "Ja" lets the search run. A database without documents always passes. Counts
    // the search field's text as typed, case-insensitive, inside words.
    bool passesCountGate(const Database& database, const QString& searchField, bool caseSensitive,
                         bool wholeWords, const HitCounter& counter,
                         const CountConfirmation& confirm) const;

    // What a search puts on the clipboard: as a phrase, the trimmed text without a final
    // U+FFFD; otherwise its first word with the blank after it, when that blank is not the
    // first character, else the whole text; trimmed either way.
    static QString clipboardText(const QString& searchField, bool asPhrase);

    // The last letter among A, B and D to Z under which the database's descriptor exists,
    // else the source folder's drive letter.
    static QChar replacementDrive(const Database& database, QChar sourceDrive);

    // The document of the family was searched last run and its first step found nothing.
    bool noHit(Family family) const { return m_documents.noHit(family); }

    static const QString kOneCharacter;

private:
    void searchFileByFile(const Database& database, const SearchRequest& request, SearchHits& hits);

    const DatabasePaths& m_paths;
    UserInterface& m_ui;
    TaskProgress& m_task;
    TaskPacer m_pacer; // shared with the document search: a cancel seen there ends the run
    DocumentSearch m_documents;
};
