#include "widgets/QtColors.h"

#include <QApplication>
#include <QPalette>

QColor toQColor(TColor color)
{
    if (!colors::isSystemColor(color))
        return QColor(int(color & 0xFF), int(color >> 8 & 0xFF), int(color >> 16 & 0xFF));
    const QPalette palette = QApplication::palette();
    switch (color & 0xFF) {
    case 5: return palette.color(QPalette::Base);       // clWindow
    case 8: return palette.color(QPalette::WindowText); // clWindowText
    case 13: return palette.color(QPalette::Highlight); // clHighlight
    case 14: return palette.color(QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Button);     // clBtnFace
    case 18: return palette.color(QPalette::ButtonText); // clBtnText
    case 17: return palette.color(QPalette::PlaceholderText);
    default: return palette.color(QPalette::Window);
    }
}

TColor toTColor(const QColor& color)
{
    return TColor(color.red()) | TColor(color.green()) << 8 | TColor(color.blue()) << 16;
}
