#pragma once

#include "common/Result.h"
#include "store/Colors.h"

#include <QString>
#include <QUrl>

// What a site of the website list does with the search text, by the last character of
// its address.
enum class SiteKind {
    SearchesItself, // "/" or "=": the search text is appended
    PasteText,      // anything else: the page opens, the user pastes or types the text
};

SiteKind siteKind(const QString& address);
// The list's hint while a site of this kind is selected.
QString siteHint(SiteKind kind);

// The symbol drawn left of a site: a green ">" or a white "+".
struct SiteSymbol {
    QString text;
    TColor fill;
    TColor ink;
};
SiteSymbol siteSymbol(SiteKind kind);

// The background of a selected list item: each of red, green and blue of the window's
// colour (an RGB colour, not a system colour) times 0.9, brightened instead on a dark one.
TColor selectedItemBackground(TColor windowColor);

// The address the browser gets for a site: only web addresses (http, https; a bare
// "host.tld/..." gets "https://"), whole, with the search text appended percent-encoded
// as UTF-8 when the site searches itself. Anything else (a program path, "file:",
// "javascript:", an option "-...") is refused with a German message naming it.
Result<QUrl> websiteUrl(const QString& address, const QString& searchText);
