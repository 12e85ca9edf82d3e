#include "widgets/WindowColors.h"

#include <QWidget>

namespace windowcolors {

namespace {

// Depth first through the window's own controls; other windows among its children (dialogs,
// menus) have controls of the same names and are left out.
QWidget* findControl(const QWidget* window, const QString& name)
{
    for (QObject* child : window->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        if (widget->objectName() == name)
            return widget;
        if (QWidget* inner = findControl(widget, name))
            return inner;
    }
    return nullptr;
}

} // namespace

void setBackground(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::ButtonText, color);
        palette.setColor(group, QPalette::WindowText, color);
    }
    widget->setPalette(palette);
}

void setTextColor(QWidget* window, const QStringList& names, const QColor& color)
{
    for (const QString& name : names) {
        if (auto* control = findControl(window, name))
            setTextColor(control, color);
    }
}

} // namespace windowcolors
