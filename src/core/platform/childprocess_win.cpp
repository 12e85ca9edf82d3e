#include "platform/ChildProcess.h"

#include <QProcess>

namespace platform {

bool startAsksForRights()
{
    return true;
}

QString programFileName(const QString& name)
{
    return name + QStringLiteral(".exe");
}

// Not tied here: a job object with kill-on-close would do it on Windows.
void endWithThisProcess(QProcess&) {}

} // namespace platform
