#include "app/ProgramLogo.h"

#include <QPainter>

namespace {

const QColor kFrame(0x36, 0x53, 0x6b);
const QColor kPage(0xfd, 0xfd, 0xf8);
const QColor kTextLines(0x8c, 0xa0, 0xb3);
const QColor kGlass(0xd8, 0xec, 0xf7, 217);
const QColor kHit(0xe0, 0x7a, 0x1f);

QPen roundPen(const QColor& color, qreal width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap);
}

} // namespace

QPixmap programLogo(int size)
{
    QPixmap logo(size, size);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 128.0, size / 128.0); // drawn on the icon's 128 x 128 grid

    painter.setPen(QPen(kFrame, 4));
    painter.setBrush(kPage);
    painter.drawRoundedRect(QRectF(18, 10, 72, 96), 6, 6);
    painter.setPen(roundPen(kTextLines, 5));
    const int lineEnds[] = {78, 72, 60, 52, 50};
    for (int row = 0; row < 5; ++row)
        painter.drawLine(QPointF(30, 30 + 14 * row), QPointF(lineEnds[row], 30 + 14 * row));

    painter.setPen(roundPen(kFrame, 12));
    painter.drawLine(QPointF(98, 98), QPointF(118, 118));
    painter.setPen(QPen(kFrame, 7));
    painter.setBrush(kGlass);
    painter.drawEllipse(QPointF(80, 80), 24, 24);
    painter.setPen(roundPen(kHit, 5));
    painter.drawLine(QPointF(68, 76), QPointF(92, 76));
    painter.drawLine(QPointF(68, 86), QPointF(84, 86));
    return logo;
}
