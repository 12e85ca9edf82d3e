#include "widgets/WindowColours.h"

#include <QWidget>

namespace windowcolours {

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

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::ButtonText, colour);
        palette.setColor(group, QPalette::WindowText, colour);
    }
    widget->setPalette(palette);
}

void setTextColour(QWidget* window, const QStringList& names, const QColor& colour)
{
    for (const QString& name : names) {
        if (auto* control = findControl(window, name))
            setTextColour(control, colour);
    }
}

} // namespace windowcolours
