#include "platform/DriveMap.h"

#include <QDir>

// On Windows a program path is a native path: every letter maps to itself.
DriveMap DriveMap::hostDefault()
{
    DriveMap map;
    for (const QFileInfo& drive : QDir::drives())
        map.setRoot(drive.absolutePath().at(0), drive.absolutePath());
    return map;
}

QString DriveMap::toNative(const QString& programPath) const
{
    if (programPath.size() < 2 || programPath[1] != u':')
        return {};
    return QDir::toNativeSeparators(programPath);
}
