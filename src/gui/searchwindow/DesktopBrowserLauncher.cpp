#include "searchwindow/DesktopBrowserLauncher.h"

#include <QDesktopServices>
#include <QProcess>

bool DesktopBrowserLauncher::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

bool DesktopBrowserLauncher::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}
