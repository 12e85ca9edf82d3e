#pragma once

#include "store/Colors.h"

#include <QColor>

// A stored colour for the windows: system colours come from the desktop's palette.
QColor toQColor(TColor color);
// A colour chosen in a window as the settings store keeps it.
TColor toTColor(const QColor& color);
