#pragma once

#include <QString>

// Sizes and texts the search window's construction and its behaviour share.
namespace suchform {

constexpr int kSplitterMinimum = 460; // the right panel's least width

inline const QString kCancelHint =
    QStringLiteral("Schließt das Fenster. Wenn Klicken nicht geht, Taste Esc drücken!");

} // namespace suchform
