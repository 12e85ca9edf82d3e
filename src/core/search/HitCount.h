#pragma once

#include "store/Database.h"
#include "store/DatabasePaths.h"
#include "store/Family.h"

#include <QString>

#include <array>

class HitCounter;

// The hit count of a database: the occurrences of the search text in each of its three
// documents, case-insensitive and inside words whatever the search options say.
struct HitCount {
    std::array<qint64, 3> documents{}; // by family
    bool cancelled = false;

    qint64 of(Family family) const { return documents[std::size_t(family)]; }
    qint64 total() const { return documents[0] + documents[1] + documents[2]; }
};

// Counts in the Unicode, the UTF-8 and the ANSI document, in this order, each only when it
// can be loaded (it exists with at least 4 bytes). After a cancel the documents not yet
// counted stay at 0.
HitCount countHits(const Database& database, const QString& text, const HitCounter& counter);

// The message of the hit-count dialog, lines joined by CR LF. The options only add the
// line that says how the search in the browser will match.
QString hitCountMessage(const QString& text, const HitCount& count, bool caseSensitive,
                        bool wholeWords);
