#include "dialogs/WindowPlacement.h"

#include <QWidget>

#include <windows.h>

namespace {

bool bringToTop(HWND window)
{
    BringWindowToTop(window);
    SetForegroundWindow(window);
    return GetForegroundWindow() == window;
}

} // namespace

// Windows lets a program take the foreground only while it owns the input; borrowing the
// foreground window's input queue, and else a zero foreground lock time-out, gets past that.
// Every Windows that runs this program is an NT version above 4.
bool ForceForegroundWindow(QWidget* qtWindow)
{
    const HWND window = reinterpret_cast<HWND>(qtWindow->winId());
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    const HWND foreground = GetForegroundWindow();
    if (foreground == window)
        return true;

    const DWORD foregroundThread = GetWindowThreadProcessId(foreground, nullptr);
    const DWORD ownThread = GetWindowThreadProcessId(window, nullptr);
    AttachThreadInput(ownThread, foregroundThread, TRUE);
    bool inFront = bringToTop(window);
    AttachThreadInput(ownThread, foregroundThread, FALSE);
    if (inFront)
        return true;

    DWORD savedTimeout = 0;
    SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &savedTimeout, 0);
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
    inFront = bringToTop(window);
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                          reinterpret_cast<PVOID>(static_cast<ULONG_PTR>(savedTimeout)),
                          SPIF_SENDCHANGE);
    return inFront;
}
