#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Turns the list of all files of a drive into the descriptor lines of a database: the
// files below the chosen folder whose extension matches one of the patterns.
namespace drivelist {

// The drive list of a letter: the one of the folder a run uses (the control folder when it
// is in use, where the list program writes it, else the base folder), else the other one;
// empty when there is none.
QString locate(const QString& baseFolder, const QString& controlFolder, QChar driveLetter);

// The folder holds files of the current folder: a drive root ("C:\") takes every folder
// containing it; otherwise the current folder starts with it and is equal, or goes on with
// a backslash. Case-sensitive, as the list program writes names as they are.
bool folderInside(const QString& currentFolder, const QString& chosenFolder);

// "*" + the extension of a file name in lower case, dot included ("*" without one).
QString entryPattern(const QString& fileName);

// The header line (the patterns as typed) and one line per entry whose extension one of the
// patterns names, whatever its case, in list order.
// Entries are full paths or `" name` for another file of the folder above. keepGoing is
// asked between entries and stops the filter when it says no.
QStringList descriptorLines(const QByteArray& driveList, const QString& chosenFolder,
                            const QStringList& patterns,
                            const std::function<bool()>& keepGoing = {});

} // namespace drivelist
