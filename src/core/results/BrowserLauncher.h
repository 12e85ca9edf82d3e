#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// How the core hands a page or an address to the system. The window and the command line
// implement it (QDesktopServices, QProcess::startDetached); tests record the calls.
class BrowserLauncher {
public:
    virtual ~BrowserLauncher() = default;

    // The system's default handler for the URL; false when the system refused.
    virtual bool openUrl(const QUrl& url) = 0;
    // Starts the program detached with these arguments; false when it could not start.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
};
