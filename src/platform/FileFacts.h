#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>

#include <optional>

// Facts about files named by program paths (D:\Texte\Brief.txt), mapped through the
// process's drive map.
namespace platform {

// Native path of a program path; empty when its drive letter is not mapped.
QString nativePath(const QString& programPath);
// Program path of a native path; empty when no mapped drive contains it.
QString programPath(const QString& nativePath);

bool exists(const QString& programPath);
bool isFolder(const QString& programPath);
std::optional<qint64> fileSize(const QString& programPath);
std::optional<QDateTime> lastWriteTime(const QString& programPath);
// Free space of the file system holding the path, in whole GiB (rounded down).
std::optional<qint64> freeSpaceGiB(const QString& programPath);
// The drive letter is mapped and its folder can be listed.
bool canListDrive(QChar letter);

// Deletes a file if it exists; a missing file or a failed delete is not reported.
void removeFileQuietly(const QString& programPath);
// Deletes everything inside a folder, subfolders included; true when nothing is left.
bool emptyFolder(const QString& programPath);

} // namespace platform
