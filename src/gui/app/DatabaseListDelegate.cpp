#include "app/DatabaseListDelegate.h"

#include "widgets/QtColors.h"

#include <QBitmap>
#include <QPainter>

namespace {

// Our list icon: a small stack of pages on a pure-red ground, the red made transparent.
QPixmap listIcon()
{
    QPixmap picture(16, 16);
    picture.fill(QColor(255, 0, 0));
    QPainter painter(&picture);
    painter.setPen(QColor(40, 40, 40));
    for (int page = 0; page < 3; ++page) {
        const QRect sheet(2 + 2 * page, 1 + 2 * page, 9, 11);
        painter.fillRect(sheet, QColor(250, 250, 240));
        painter.drawRect(sheet);
    }
    painter.end();
    picture.setMask(picture.createMaskFromColor(QColor(255, 0, 0), Qt::MaskInColor));
    return picture;
}

} // namespace

DatabaseListDelegate::DatabaseListDelegate(QObject* parent)
    : QStyledItemDelegate(parent), m_icon(listIcon())
{
}

QColor DatabaseListDelegate::selectedColor(const QColor& window)
{
    return toQColor(colors::selectionBackground(toTColor(window), 93));
}

void DatabaseListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    const QColor window = option.palette.color(QPalette::Base);
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QColor background = selected ? selectedColor(window) : window;
    painter->fillRect(option.rect, background);
    const QPoint iconAt = option.rect.topLeft() + QPoint(1, 1);
    painter->drawPixmap(iconAt, m_icon);
    const int textLeft = iconAt.x() + m_icon.width() + 4;
    const QRect textRect(textLeft, option.rect.top() + 2, option.rect.right() - textLeft,
                         option.rect.height() - 2);
    painter->setPen(toQColor(colors::readableTextOn(
        toTColor(background), toTColor(option.palette.color(QPalette::Text)))));
    painter->setFont(option.font);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop, index.data().toString());
}

QSize DatabaseListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    const QSize text = QStyledItemDelegate::sizeHint(option, index);
    return {text.width() + m_icon.width() + 5, std::max(text.height(), m_icon.height() + 2)};
}
