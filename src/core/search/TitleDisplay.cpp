#include "search/TitleDisplay.h"

#include "store/ByteSize.h"

TitleDisplay TitleDisplay::at(qint64 position, const TitlePositionList& titles, bool sortedList)
{
    TitleDisplay display{numberLocale().toString(position), QString()};
    if (titles.isEmpty() || sortedList)
        return display;
    const QString path = titles.pathAt(position);
    if (path.isEmpty())
        return display;
    display.hint = path;
    display.caption += QStringLiteral("  \"") + path + u'"';
    return display;
}

QString TitleDisplay::shortened(QString caption,
                                const std::function<int(const QString&)>& rightEdge, int panelWidth)
{
    // The "..." is part of what has to fit.
    const QString ellipsis = QStringLiteral("...");
    bool cut = false;
    while (!caption.isEmpty() && rightEdge(cut ? caption + ellipsis : caption) >= panelWidth) {
        caption.chop(7);
        cut = true;
    }
    return cut ? caption + ellipsis : caption;
}
