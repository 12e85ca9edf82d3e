#pragma once

#include "store/Family.h"
#include "viewer/TStrPositions.h"

#include <optional>

class TATBinHexCore;

// Where a viewer range stands in the memo text that the viewer writes for its page: one
// memo line per screen line, joined by line feeds, each converted for the family shown.
// Mapping both ends through the screen line table selects in the memo the very
// occurrence the viewer selected, also across a wrapped line.
struct MemoRange {
    int start = 0;
    int length = 0;

    // Nothing when the range does not start on the page.
    static std::optional<MemoRange> of(const TATBinHexCore& core, const QList<TStrPosition>& lines,
                                       std::optional<Family> family, qint64 start, qint64 length);
};
