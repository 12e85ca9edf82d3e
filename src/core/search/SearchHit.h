#pragma once

#include <QByteArray>
#include <QList>

// One file a search found: its path as the page links it and the snippet around its first
// hit, both UTF-8. Kept apart, so that a path holding "##text##" stays whole.
struct SearchHit {
    QByteArray path;
    QByteArray snippet;

    // The hit as one entry line: "path##text##snippet<br>".
    QByteArray entry() const { return path + "##text##" + snippet + "<br>"; }
    bool operator==(const SearchHit&) const = default;
};

using SearchHits = QList<SearchHit>;
