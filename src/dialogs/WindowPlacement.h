#pragma once

class QWidget;

// Restores a minimised window, raises and activates it; true when it is the active window
// afterwards.
bool ForceForegroundWindow(QWidget* window);

// Moves a window to the middle of the screen it is on.
void centreOnScreen(QWidget* window);
