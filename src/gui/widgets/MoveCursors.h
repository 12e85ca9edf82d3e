#pragma once

#include "widgets/TATBinHexPanning.h"

#include <QCursor>
#include <QPixmap>

// The panning pictures, drawn by the program: a ring with arrows to all four sides, or a
// ring with the one arrow of the direction the view moves. 32 by 32 pixels.
QPixmap moveSymbol(TATBinHexPanning::Direction direction);
// The picture as a pointer, its hot spot in the middle.
QCursor moveCursor(TATBinHexPanning::Direction direction);
