#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

class TATBinHexCore;

// One drawn line: its characters (tabs kept), where it was drawn and the file offset of
// its first character.
struct TStrPosition {
    QString text;
    int x = 0;
    int y = 0;
    qint64 pos = 0;
};

// The screen line table: every line of the page as drawn, so that a pointer position
// becomes a file offset and a file offset a pixel position. Widths come from the core's
// measurer, tabs expanded as drawn.
class TStrPositions {
public:
    explicit TStrPositions(const TATBinHexCore& core) : m_core(core) {}

    void clear(int lineHeight);
    // At most a page's maximum of lines are kept.
    void add(TStrPosition line);
    const QList<TStrPosition>& lines() const { return m_lines; }
    int lineHeight() const { return m_lineHeight; }

    // Above the first line its start, below the last line its end; within a line the
    // first character whose middle lies right of the point, or the line's end.
    qint64 posAt(QPoint point) const;
    // The top left of the character at pos, or of the end of the line pos ends.
    std::optional<QPoint> pointOf(qint64 pos) const;
    // One rectangle per line for the selected characters drawn on it.
    QList<QRect> selectionRects(qint64 start, qint64 length) const;

private:
    qint64 endOf(const TStrPosition& line) const;
    qint64 posInLine(const TStrPosition& line, int x) const;
    int xOf(const TStrPosition& line, qsizetype count) const;

    const TATBinHexCore& m_core;
    QList<TStrPosition> m_lines;
    int m_lineHeight = 1;
};
