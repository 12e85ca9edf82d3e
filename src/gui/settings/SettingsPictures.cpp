#include "settings/SettingsPictures.h"

#include <QPainter>
#include <QPixmap>

#include <functional>

namespace settingspictures {

namespace {

constexpr int kSize = 20;
const QColor kInk(40, 40, 40);

QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(picture);
}

} // namespace

QIcon plus()
{
    return drawn([](QPainter& painter) {
        painter.fillRect(QRect(3, 8, 14, 4), kInk);
        painter.fillRect(QRect(8, 3, 4, 14), kInk);
    });
}

QIcon minus()
{
    return drawn([](QPainter& painter) { painter.fillRect(QRect(3, 8, 14, 4), kInk); });
}

// Three sliders, each with its knob at another place; grey and blue with a white rim, so
// they show on a flat button of any background colour.
QIcon settings()
{
    return drawn([](QPainter& painter) {
        const int knobs[] = {5, 13, 8};
        painter.setBrush(QColor(0x2E, 0x7D, 0xC8));
        painter.setPen(QPen(Qt::white, 1));
        for (int row = 0; row < 3; ++row) {
            const int y = 4 + row * 6;
            painter.fillRect(QRect(2, y - 1, 16, 2), QColor(0x9E, 0x9E, 0x9E));
            painter.drawEllipse(QPointF(knobs[row], y), 2.5, 2.5);
        }
    });
}

} // namespace settingspictures
