#include "cli/ProcessBrowserLauncher.h"

#include <QProcess>

bool ProcessBrowserLauncher::openUrl(const QUrl& url)
{
    return QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)});
}

bool ProcessBrowserLauncher::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}
