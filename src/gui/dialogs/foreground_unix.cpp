#include "dialogs/WindowPlacement.h"

#include <QWidget>

// The window system decides about focus stealing; asking it is all a program can do.
bool ForceForegroundWindow(QWidget* window)
{
    if (window->isMinimized())
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    if (window->isActiveWindow())
        return true;
    window->raise();
    window->activateWindow();
    return window->isActiveWindow();
}
