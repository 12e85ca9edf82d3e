#pragma once

#include <QString>

// Sizes and texts the search window's construction and its behaviour share.
namespace suchform {

constexpr int kSplitterMinimum = 460; // the right panel's least width

inline const QString kCancelHint =
    QStringLiteral("Schließt das Fenster. Wenn Klicken nicht geht, Taste Esc drücken!");

// "ANSI-DB: " and the like, the database and the position label's caption.
inline QString positionCaption(const QString& prefix, const QString& database)
{
    return prefix + u'"' + database + QStringLiteral("\"  Position: ");
}

} // namespace suchform
