#include "platform/FileFacts.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <windows.h>

namespace platform {

std::optional<qint64> openableFileSize(const QString& programPath)
{
    const QString native = nativePath(programPath);
    if (native.isEmpty() || !QFileInfo(native).isFile())
        return std::nullopt;
    QFile file(native);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.size();
}

bool readRegularFile(const QString& programPath, QByteArray& into)
{
    const QString native = nativePath(programPath);
    if (native.isEmpty() || !QFileInfo(native).isFile())
        return false;
    QFile file(native);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    into = file.readAll();
    return file.error() == QFileDevice::NoError;
}

QString writeFailureCause(const QFileDevice& file)
{
    return file.errorString();
}

bool replaceFile(const QString& nativeFrom, const QString& nativeTo)
{
    return MoveFileExW(reinterpret_cast<const wchar_t*>(nativeFrom.utf16()),
                       reinterpret_cast<const wchar_t*>(nativeTo.utf16()),
                       MOVEFILE_REPLACE_EXISTING) != 0;
}

bool syncFile(const QString& nativePath)
{
    const HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(nativePath.utf16()),
                                    GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool synced = FlushFileBuffers(file) != 0;
    CloseHandle(file);
    return synced;
}

void syncFolder(const QString&)
{
    // MoveFileEx with MOVEFILE_REPLACE_EXISTING is journaled by the file system.
}

} // namespace platform
