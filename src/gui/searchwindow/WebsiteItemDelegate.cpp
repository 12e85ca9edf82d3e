#include "searchwindow/WebsiteItemDelegate.h"

#include "widgets/QtColors.h"

#include <QPainter>

namespace {

constexpr int kMargin = 2;
constexpr int kMinimumHeight = 20;

TColor rgb(const QColor& color)
{
    return TColor(color.red()) | TColor(color.green()) << 8 | TColor(color.blue()) << 16;
}

} // namespace

WebsiteItemDelegate::WebsiteItemDelegate(Look look, const QWidget* searchWindow, QObject* parent)
    : QStyledItemDelegate(parent), m_look(std::move(look)), m_searchWindow(searchWindow)
{
}

QRect WebsiteItemDelegate::symbolRect(const QRect& item)
{
    const int side = item.height() - 2 * kMargin;
    return QRect(item.left() + kMargin, item.top() + kMargin, side, side);
}

void WebsiteItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const bool enabled = option.state & QStyle::State_Enabled;
    const QWidget* owner = m_searchWindow->parentWidget();
    const QWidget* mainWindow = owner ? owner->window() : m_searchWindow;
    const WebsiteSearch::ItemLook look =
        m_look(index.row(), selected, rgb(mainWindow->palette().color(QPalette::Window)),
               rgb(option.palette.color(QPalette::Text)));
    painter->save();
    painter->fillRect(option.rect,
                      selected ? toQColor(look.background) : option.palette.color(QPalette::Base));
    QRect text = option.rect.adjusted(kMargin, 0, -kMargin, 0);
    if (look.symbol) {
        const QRect symbol = symbolRect(option.rect);
        painter->setPen(QColor(0x60, 0x60, 0x60));
        painter->setBrush(toQColor(look.symbol->fill));
        painter->drawRect(symbol.adjusted(0, 0, -1, -1));
        QFont bold = option.font;
        bold.setBold(true);
        painter->setFont(bold);
        painter->setPen(toQColor(look.symbol->ink));
        painter->drawText(symbol, Qt::AlignCenter, look.symbol->text);
        text.setLeft(symbol.right() + 2 * kMargin);
    }
    painter->setFont(option.font);
    painter->setPen(enabled ? toQColor(look.textColor)
                            : option.palette.color(QPalette::Disabled, QPalette::Text));
    painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                      option.fontMetrics.elidedText(look.text, Qt::ElideRight, text.width()));
    painter->restore();
}

QSize WebsiteItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height() + 2 * kMargin, kMinimumHeight));
    size.rwidth() += size.height();
    return size;
}
