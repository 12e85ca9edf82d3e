#pragma once

class QWidget;

// Restores a minimised window and brings it to the front; true when it is the foreground
// window afterwards. One file per platform (foreground_unix.cpp, foreground_win.cpp).
bool ForceForegroundWindow(QWidget* window);

// Moves a window to the middle of the screen it is on.
void centreOnScreen(QWidget* window);
