#pragma once

#include "common/Result.h"
#include "store/Database.h"
#include "store/DatabasePaths.h"

#include <QString>
#include <QStringList>

#include <array>

// The history of search texts of a database, one list file per encoding class (and one for
// a database without documents): most recent first, at most 50 texts, none twice, none
// empty. The files are UTF-8 line files with CR LF, as the program's other small lists.
class SearchTermList {
public:
    static constexpr qsizetype kMaxItems = 50;
    // What an empty search field once filed; it never stays in a list.
    static inline const QString kNoTextItem =
        QStringLiteral("Sie_haben_keinen_Suchtext_eingegeben!");

    // What a finished search leaves for the saving of the list.
    struct SearchOutcome {
        bool documentShown = false;        // the search window shows one of the documents
        std::array<bool, 3> documentHit{}; // by family: its no-hit flag is clear
        bool withoutDocuments = false;     // the database was made without indexing
        bool hitEntries = false;           // the hit list is not empty
    };

    SearchTermList() = default;
    explicit SearchTermList(QStringList items) : m_items(std::move(items)) {}

    // A missing file gives the empty list.
    static SearchTermList load(const QString& programPath);
    [[nodiscard]] Status save(const QString& programPath) const;

    const QStringList& items() const { return m_items; }

    // Files a search text (not empty) at the top: the equal items and the empty ones go,
    // then the last "no text" item and, beyond 50 items, the last one.
    void file(const QString& searchText);

    // Saves the list as the list of every class whose document had a hit, while a document
    // is shown; for a database without documents as its one list, when the search found
    // something. An empty list is never saved.
    [[nodiscard]] Status saveAfterSearch(const Database& database,
                                         const SearchOutcome& outcome) const;

private:
    QStringList m_items;
};
