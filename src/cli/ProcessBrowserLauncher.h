#pragma once

#include "results/BrowserLauncher.h"

// Starts browsers as detached processes; the default handler is the desktop's opener.
class ProcessBrowserLauncher : public BrowserLauncher {
public:
    bool openUrl(const QUrl& url) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
};
