#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

// Draws an entry of the database list: the window colour, darkened by 7 % when selected,
// the list icon 1 pixel in from the top-left corner (pure red in its picture is
// transparent), and the name 4 pixels right of the icon and 2 pixels below the top.
class DatabaseListDelegate : public QStyledItemDelegate {
public:
    explicit DatabaseListDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Each of red, green and blue times 0.93, brightened instead on a dark colour
    // (colors::selectionBackground).
    static QColor selectedColor(const QColor& window);

private:
    QPixmap m_icon;
};
