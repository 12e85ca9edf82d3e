#include "widgets/MoveCursors.h"

#include <QPainter>
#include <QPolygon>
#include <QTransform>

namespace {

constexpr int kSize = 32;
constexpr int kMiddle = kSize / 2;

// An arrow head pointing up at the top edge, turned by quarter turns.
QPolygon arrowHead(int quarterTurns)
{
    QPolygon head({QPoint(0, -14), QPoint(-5, -8), QPoint(5, -8)});
    QTransform turn;
    turn.rotate(90 * quarterTurns);
    return turn.map(head).translated(kMiddle, kMiddle);
}

// Quarter turns from "up" for each direction.
int quarterTurns(TATBinHexPanning::Direction direction)
{
    switch (direction) {
    case TATBinHexPanning::AB_MOVE_R: return 1;
    case TATBinHexPanning::AB_MOVE_D: return 2;
    case TATBinHexPanning::AB_MOVE_L: return 3;
    default: return 0;
    }
}

} // namespace

QPixmap moveSymbol(TATBinHexPanning::Direction direction)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPoint(kMiddle, kMiddle), 5, 5);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawEllipse(QPoint(kMiddle, kMiddle), 5, 5);
    painter.setBrush(Qt::black);
    painter.setPen(QPen(Qt::white, 1));
    if (direction != TATBinHexPanning::AB_MOVE) {
        painter.drawPolygon(arrowHead(quarterTurns(direction)));
        return pixmap;
    }
    for (int turns = 0; turns < 4; ++turns)
        painter.drawPolygon(arrowHead(turns));
    return pixmap;
}

QCursor moveCursor(TATBinHexPanning::Direction direction)
{
    return QCursor(moveSymbol(direction), kMiddle, kMiddle);
}
