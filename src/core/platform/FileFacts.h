#pragma once

#include <QChar>
#include <QDateTime>
#include <QFileDevice>
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

// Why a path names no regular file, as the end of "Die Datei <path> …": "gibt es nicht.",
// "ist ein Ordner." and the like; empty for a regular file. Whether it opens is for the
// reader to find out.
QString whyNoRegularFile(const QString& programPath);

// Size of a regular file that can be opened for reading; nothing for a missing file, a
// folder, a pipe or a device (those are never read: a pipe could wait forever).
std::optional<qint64> openableFileSize(const QString& programPath);
// The whole content of such a file into `into`, whose memory is reused from call to call:
// one open and one read, no copy beyond the buffer. False when it is not such a file or
// cannot be read.
bool readRegularFile(const QString& programPath, QByteArray& into);

// Appends the whole content of a file (a native path) to an open file. False with `error`
// set on failure.
bool appendFileContent(const QString& nativeSource, QFileDevice& target, QString& error);

// Why the last write to the file failed, in German where the system names the cause (a
// full disk, a size limit, a quota, ...). Call it right after the failed write: a partial
// write leaves the cause only in the system's last error.
QString writeFailureCause(const QFileDevice& file);
// The cause of a system error number in German where it is a common one (a full disk, a
// size limit, a quota, no access, a read-only or missing folder); the system's text else.
QString errorCause(int error);

// Renames a file over another, replacing it in one step (native paths).
bool replaceFile(const QString& nativeFrom, const QString& nativeTo);

// Forces a file's content (a native path) to the disk; false when that failed.
bool syncFile(const QString& nativePath);

// Makes the renames and deletions done in a folder (native path) durable.
void syncFolder(const QString& nativeFolder);

// Deletes a file if it exists; a missing file or a failed delete is not reported.
void removeFileQuietly(const QString& programPath);
// Deletes everything inside a folder, subfolders included, but what another running copy of
// the program is writing there ("*.<pid>.tmp"); true when all it tried to delete is gone.
bool emptyFolder(const QString& programPath);

} // namespace platform
