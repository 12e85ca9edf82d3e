#pragma once

#include "results/WebsiteSearch.h"

#include <QStyledItemDelegate>

#include <functional>

// Draws the items of the internet panel's lists as the core describes them: the site list
// with its kind's symbol (a green ">" or a white "+") left of the address, the topic list
// as text; a selected item on the main window's colour darkened by a tenth.
class WebsiteItemDelegate : public QStyledItemDelegate {
public:
    // The look of a row: the core's TntListBox1DrawItem or TntComboBox1DrawItem.
    using Look = std::function<WebsiteSearch::ItemLook(int row, bool selected, TColor windowColor,
                                                       TColor textColor)>;

    // `searchWindow`'s owner is the main window, whose colour marks the selected item.
    WebsiteItemDelegate(Look look, const QWidget* searchWindow, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Where the symbol of a site is drawn within its item.
    static QRect symbolRect(const QRect& item);

private:
    Look m_look;
    const QWidget* m_searchWindow;
};
