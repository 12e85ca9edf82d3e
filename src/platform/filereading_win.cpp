#include "platform/FileFacts.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <io.h>
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

QString temporaryNameOf(const QString& nativeTarget)
{
    return nativeTarget + u'.' + QString::number(GetCurrentProcessId()) + QStringLiteral(".tmp");
}

Status writeWholeFile(const QString& nativeTarget, QByteArrayView bytes, bool forced)
{
    const QString temporary = temporaryNameOf(nativeTarget);
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return Status::failure(file.errorString());
    const bool written = file.write(bytes.data(), bytes.size()) == bytes.size() &&
                         (!forced || FlushFileBuffers(HANDLE(_get_osfhandle(file.handle()))));
    const QString cause = file.errorString();
    file.close();
    if (!written || !replaceFile(temporary, nativeTarget)) {
        QFile::remove(temporary);
        return Status::failure(written ? QStringLiteral("Umbenennen fehlgeschlagen") : cause);
    }
    return {};
}

void removeDeadWritersFiles(const QString& nativeFolder)
{
    const QDir folder(nativeFolder);
    for (const QString& entry : folder.entryList({QStringLiteral("*.tmp")}, QDir::Files)) {
        const QStringList parts = entry.split(u'.');
        bool isNumber = false;
        const DWORD writer = parts.size() >= 3 ? parts[parts.size() - 2].toULong(&isNumber) : 0;
        if (!isNumber || writer == GetCurrentProcessId())
            continue;
        const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, writer);
        if (!process)
            QFile::remove(folder.filePath(entry));
        else
            CloseHandle(process);
    }
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

void startWriteback(QFileDevice&)
{
    // The system writes back on its own; the final sync waits for what is left.
}

} // namespace platform
