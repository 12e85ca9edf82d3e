#include "platform/ChildProcess.h"

#include <QProcess>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#endif

namespace platform {

bool startAsksForRights()
{
    return false;
}

QString programFileName(const QString& name)
{
    return name;
}

void endWithThisProcess([[maybe_unused]] QProcess& child)
{
#ifdef Q_OS_LINUX
    const pid_t caller = ::getpid();
    child.setChildProcessModifier([caller] {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != caller) // the caller ended before the link was made
            ::_exit(1);
    });
#endif
}

} // namespace platform
