#include "search/MemoRange.h"

#include "viewer/TATBinHexCore.h"
#include "viewer/ViewerMemoText.h"

#include <algorithm>

namespace {

QString memoText(const TATBinHexCore& core, QStringView chars, std::optional<Family> family)
{
    const QString shown = core.displayText(chars);
    return family ? viewerMemoText(shown, *family) : shown;
}

// The memo index of a position on the page. Where a wrapped line ends and the next one
// starts at the same position, a range's start belongs to the next line and its end to the
// first, so that the range does not take the line feed between them.
std::optional<int> memoIndex(const TATBinHexCore& core, const QList<TStrPosition>& lines,
                             std::optional<Family> family, qint64 pos, bool rangeEnd)
{
    const int size = core.charSize();
    int lineStart = 0;
    for (const TStrPosition& line : lines) {
        const qint64 column = (pos - line.pos) / size;
        if (pos >= line.pos &&
            (column < line.text.size() || (rangeEnd && column == line.text.size())))
            return lineStart +
                   int(memoText(core, QStringView(line.text).left(column), family).size());
        lineStart += int(memoText(core, line.text, family).size()) + 1;
    }
    return std::nullopt;
}

} // namespace

std::optional<MemoRange> MemoRange::of(const TATBinHexCore& core, const QList<TStrPosition>& lines,
                                       std::optional<Family> family, qint64 start, qint64 length)
{
    const std::optional<int> first = memoIndex(core, lines, family, start, false);
    if (!first)
        return std::nullopt;
    // An end beyond the page selects to the page's end.
    std::optional<int> end = memoIndex(core, lines, family, start + length, true);
    if (!end) {
        int total = 0;
        for (const TStrPosition& line : lines)
            total += int(memoText(core, line.text, family).size()) + 1;
        end = std::max(*first, total - 1);
    }
    return MemoRange{*first, std::max(0, *end - *first)};
}
