#include "platform/SystemInfo.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <unistd.h>

namespace platform {

bool runsAsAdministrator()
{
    return ::geteuid() == 0;
}

namespace {

// The part after the last separator of either kind.
QString fileNameOf(const QString& path)
{
    return path.mid(std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1);
}

} // namespace

bool processRunning(const QString& executableName)
{
    const QString wanted = fileNameOf(executableName);
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!pid.front().isDigit())
            continue;
        // The kernel's short name, and the file name of the program it was started as.
        QFile comm(proc.filePath(pid + QStringLiteral("/comm")));
        QFile cmdline(proc.filePath(pid + QStringLiteral("/cmdline")));
        QString names[2];
        if (comm.open(QIODevice::ReadOnly))
            names[0] = QString::fromLocal8Bit(comm.readAll()).trimmed();
        if (cmdline.open(QIODevice::ReadOnly))
            names[1] =
                fileNameOf(QString::fromLocal8Bit(cmdline.readLine(4096).split('\0').first()));
        for (const QString& name : names) {
            if (!name.isEmpty() && name.compare(wanted, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

} // namespace platform
