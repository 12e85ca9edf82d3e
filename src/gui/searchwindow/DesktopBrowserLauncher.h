#pragma once

#include "results/BrowserLauncher.h"

// Opens pages with the desktop's default handler and starts named browsers detached.
class DesktopBrowserLauncher : public BrowserLauncher {
public:
    bool openUrl(const QUrl& url) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
};
