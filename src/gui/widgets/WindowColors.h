#pragma once

#include <QColor>
#include <QStringList>

class QWidget;

// The colours the settings store keeps, applied to windows and their controls.
namespace windowcolors {

// The background of a window or panel.
void setBackground(QWidget* widget, const QColor& color);
// The text of a label, button or check box while it is enabled; a disabled control keeps
// the greyed text of its style.
void setTextColor(QWidget* widget, const QColor& color);
// The text colour of a window's own controls named in `names`, not those of the windows
// it owns; a name the window does not have is skipped.
void setTextColor(QWidget* window, const QStringList& names, const QColor& color);

} // namespace windowcolors
