#include "platform/FileWriter.h"

#include "platform/FileFacts.h"

#include <QDir>
#include <QFile>

#include <io.h>
#include <windows.h>

#include <utility>

namespace platform {

namespace {

QFile* fileOf(long long handle)
{
    return reinterpret_cast<QFile*>(static_cast<intptr_t>(handle));
}

} // namespace

Status FileWriter::open()
{
    discard();
    auto* file = new QFile(m_temporary);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        const QString cause = file->errorString();
        delete file;
        return Status::failure(cause);
    }
    m_handle = static_cast<long long>(reinterpret_cast<intptr_t>(file));
    m_created = true;
    return {};
}

bool FileWriter::isOpen() const
{
    return m_handle >= 0;
}

Status FileWriter::write(QByteArrayView bytes)
{
    QFile* file = fileOf(m_handle);
    if (file->write(bytes.data(), bytes.size()) != bytes.size()) {
        const QString cause = file->errorString();
        discard();
        return Status::failure(cause);
    }
    return {};
}

void FileWriter::startWriteback() {}

Status FileWriter::commit(Durability durability)
{
    if (m_handle < 0)
        return Status::failure(QStringLiteral("Die Datei ist nicht geöffnet."));
    QFile* file = fileOf(m_handle);
    const bool synced = durability == Durability::NotForced ||
                        FlushFileBuffers(HANDLE(_get_osfhandle(file->handle())));
    const QString cause = file->errorString();
    file->close();
    delete file;
    m_handle = -1;
    if (!synced || !replaceFile(m_temporary, m_target)) {
        discard();
        return Status::failure(synced ? QStringLiteral("Umbenennen fehlgeschlagen") : cause);
    }
    m_created = false;
    return {};
}

void FileWriter::discard()
{
    if (m_handle >= 0) {
        delete fileOf(m_handle);
        m_handle = -1;
    }
    if (std::exchange(m_created, false))
        QFile::remove(m_temporary);
}

void removeTemporaryFilesOnSignal() {}

namespace {

// The writer of "*.<pid>.tmp"; 0 for any other name.
DWORD writerOf(const QString& fileName)
{
    const QStringList parts = fileName.split(u'.');
    bool isNumber = false;
    const DWORD writer = parts.size() >= 3 && parts.last() == QLatin1String("tmp")
                             ? parts[parts.size() - 2].toULong(&isNumber)
                             : 0;
    return isNumber ? writer : 0;
}

bool runs(DWORD process)
{
    const HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
    if (!handle)
        return false;
    CloseHandle(handle);
    return true;
}

} // namespace

void removeDeadWritersFiles(const QString& nativeFolder)
{
    if (nativeFolder.isEmpty())
        return; // an unmapped drive; QDir would take the working folder
    const QDir folder(nativeFolder);
    for (const QString& entry : folder.entryList({QStringLiteral("*.tmp")}, QDir::Files)) {
        const DWORD writer = writerOf(entry);
        if (writer != 0 && writer != GetCurrentProcessId() && !runs(writer))
            QFile::remove(folder.filePath(entry));
    }
}

bool isLiveWorkOfAnotherProcess(const QString& fileName)
{
    const DWORD writer = writerOf(fileName);
    return writer != 0 && writer != GetCurrentProcessId() && runs(writer);
}

} // namespace platform
