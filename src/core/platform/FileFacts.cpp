#include "platform/FileFacts.h"

#include "platform/DriveMap.h"
#include "platform/FileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace platform {

QString nativePath(const QString& programPath)
{
    return DriveMap::current().toNative(programPath);
}

QString programPath(const QString& nativePath)
{
    return DriveMap::current()
        .toProgram(QFileInfo(nativePath).absoluteFilePath())
        .value_or(QString());
}

namespace {

std::optional<QFileInfo> infoOf(const QString& programPath)
{
    const QString native = nativePath(programPath);
    if (native.isEmpty())
        return std::nullopt;
    QFileInfo info(native);
    if (!info.exists())
        return std::nullopt;
    return info;
}

} // namespace

bool exists(const QString& programPath)
{
    return infoOf(programPath).has_value();
}

bool isFolder(const QString& programPath)
{
    const auto info = infoOf(programPath);
    return info && info->isDir();
}

std::optional<qint64> fileSize(const QString& programPath)
{
    const auto info = infoOf(programPath);
    if (!info || !info->isFile())
        return std::nullopt;
    return info->size();
}

std::optional<QDateTime> lastWriteTime(const QString& programPath)
{
    const auto info = infoOf(programPath);
    if (!info)
        return std::nullopt;
    return info->lastModified();
}

std::optional<qint64> freeSpaceGiB(const QString& programPath)
{
    const QString native = nativePath(programPath);
    if (native.isEmpty())
        return std::nullopt;
    QStorageInfo storage(native);
    if (!storage.isValid())
        return std::nullopt;
    return storage.bytesAvailable() / (qint64(1) << 30);
}

bool canListDrive(QChar letter)
{
    const std::optional<QString> root = DriveMap::current().rootOf(letter);
    if (!root)
        return false;
    QDir dir(*root);
    return dir.exists() && dir.isReadable();
}

bool appendFileContent(const QString& nativeSource, QFileDevice& target, QString& error)
{
    QFile source(nativeSource);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        error = source.errorString();
        return false;
    }
    // One buffer for the whole file: a fresh one per chunk would cost a page fault per page.
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = source.read(chunk.data(), chunk.size());
        if (got == 0)
            return true;
        if (got < 0) {
            error = source.errorString();
            return false;
        }
        if (target.write(chunk.constData(), got) != got) {
            error = writeFailureCause(target);
            return false;
        }
    }
}

void removeFileQuietly(const QString& programPath)
{
    const QString native = nativePath(programPath);
    if (!native.isEmpty())
        QFile::remove(native);
}

bool emptyFolder(const QString& programPath)
{
    const QString native = nativePath(programPath);
    if (native.isEmpty())
        return false;
    QDir dir(native);
    if (!dir.exists())
        return false;
    bool allGone = true;
    const auto entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        // The folder is shared: what another running copy is writing stays.
        if (isLiveWorkOfAnotherProcess(entry.fileName()))
            continue;
        const bool removed = entry.isDir() && !entry.isSymLink()
                                 ? QDir(entry.absoluteFilePath()).removeRecursively()
                                 : QFile::remove(entry.absoluteFilePath());
        allGone = allGone && removed;
    }
    return allGone;
}

QString whyNoRegularFile(const QString& programPath)
{
    const QString native = nativePath(programPath);
    if (native.isEmpty())
        return QStringLiteral("liegt auf keinem zugeordneten Laufwerk.");
    const QFileInfo info(native);
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("ist ein Verweis auf eine Datei, die es nicht gibt.");
    if (!info.exists())
        return QStringLiteral("gibt es nicht.");
    if (info.isDir())
        return QStringLiteral("ist ein Ordner.");
    if (!info.isFile())
        return QStringLiteral("ist keine gewöhnliche Datei (ein Gerät, eine Pipe oder ein "
                              "Socket).");
    return {};
}

} // namespace platform
