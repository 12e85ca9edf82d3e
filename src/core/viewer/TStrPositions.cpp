#include "viewer/TStrPositions.h"

#include "viewer/TATBinHexCore.h"

#include <algorithm>

void TStrPositions::clear(int lineHeight)
{
    m_lines.clear();
    m_lineHeight = std::max(1, lineHeight);
}

void TStrPositions::add(TStrPosition line)
{
    if (m_lines.size() < TATBinHexCore::kMaxPageLines)
        m_lines.append(std::move(line));
}

qint64 TStrPositions::endOf(const TStrPosition& line) const
{
    return line.pos + qint64(line.text.size()) * m_core.charSize();
}

int TStrPositions::xOf(const TStrPosition& line, qsizetype count) const
{
    return line.x + m_core.textX(line.text, count);
}

qint64 TStrPositions::posAt(QPoint point) const
{
    if (m_lines.isEmpty())
        return m_core.viewPos();
    if (point.y() < m_lines.first().y)
        return m_lines.first().pos;
    for (const TStrPosition& line : m_lines) {
        if (point.y() < line.y + m_lineHeight)
            return posInLine(line, point.x());
    }
    return endOf(m_lines.last());
}

// The middles of the characters grow from left to right: a binary search finds the first
// one right of x with a few measurements, even on a line of 2,048 characters.
qint64 TStrPositions::posInLine(const TStrPosition& line, int x) const
{
    if (x < line.x)
        return line.pos;
    qsizetype low = 0;
    qsizetype high = line.text.size();
    while (low < high) {
        const qsizetype middle = (low + high) / 2;
        const int left = xOf(line, middle);
        const int right = xOf(line, middle + 1);
        if ((left + right) / 2 > x)
            high = middle;
        else
            low = middle + 1;
    }
    return line.pos + qint64(low) * m_core.charSize();
}

std::optional<QPoint> TStrPositions::pointOf(qint64 pos) const
{
    for (const TStrPosition& line : m_lines) {
        if (pos >= line.pos && pos <= endOf(line))
            return QPoint(xOf(line, (pos - line.pos) / m_core.charSize()), line.y);
    }
    return std::nullopt;
}

QList<QRect> TStrPositions::selectionRects(qint64 start, qint64 length) const
{
    QList<QRect> rects;
    const qint64 end = start + length;
    for (const TStrPosition& line : m_lines) {
        const qint64 first = std::max(start, line.pos);
        const qint64 last = std::min(end, endOf(line));
        if (first >= last)
            continue;
        const int left = xOf(line, (first - line.pos) / m_core.charSize());
        const int right = xOf(line, (last - line.pos) / m_core.charSize());
        rects.append(QRect(left, line.y, right - left, m_lineHeight));
    }
    return rects;
}
