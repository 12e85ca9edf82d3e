#include "platform/DriveMap.h"

#include <QDir>

// Outside Windows, C: is the file system root.
DriveMap DriveMap::hostDefault()
{
    DriveMap map;
    map.setRoot(u'C', QStringLiteral("/"));
    return map;
}

QString DriveMap::toNative(const QString& programPath) const
{
    if (programPath.size() < 2 || programPath[1] != u':')
        return {};
    const std::optional<QString> root = rootOf(programPath[0]);
    if (!root)
        return {};
    QString rest = programPath.mid(2);
    rest.replace(u'\\', u'/');
    if (!rest.startsWith(u'/'))
        rest.prepend(u'/');
    return *root == QStringLiteral("/") ? rest : *root + rest;
}
