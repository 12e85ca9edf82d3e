#pragma once

#include <QChar>
#include <QString>

// "#", the drive letter of the database's source folder, ":\": every title line of the
// database's documents begins with these four characters.
inline QString titleMarker(QChar driveLetter)
{
    return u'#' + QString(driveLetter) + QStringLiteral(":\\");
}
