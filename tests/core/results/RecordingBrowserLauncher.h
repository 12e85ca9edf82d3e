#pragma once

#include "results/BrowserLauncher.h"

#include <QStringList>

// Records every launch as one text; startProgram fails when told to.
class RecordingBrowserLauncher : public BrowserLauncher {
public:
    QStringList calls;
    bool programsStart = true;

    // Refuses every URL: the default handler's refusals must never reach the user.
    bool openUrl(const QUrl& url) override
    {
        calls.append(QStringLiteral("open ") + QString::fromLatin1(url.toEncoded()));
        return false;
    }
    bool startProgram(const QString& program, const QStringList& arguments) override
    {
        calls.append(QStringLiteral("start ") + program + QStringLiteral(" [") +
                     arguments.join(u"] [") + u']');
        return programsStart;
    }
};
