#include "indexer/DocumentStream.h"

#include "platform/FileFacts.h"

#include <QSaveFile>

namespace {

// Writeback is started every few megabytes, so the sync at the commit finds little left.
constexpr qint64 kWritebackStep = 8 * 1024 * 1024;

Status failure(const QString& path, const QString& cause)
{
    return Status::failure(
        QStringLiteral("Die Datei %1 konnte nicht geschrieben werden: %2").arg(path, cause));
}

} // namespace

DocumentStream::DocumentStream(QString programPath) : m_path(std::move(programPath)) {}

DocumentStream::~DocumentStream() = default; // QSaveFile drops an uncommitted file

Status DocumentStream::open()
{
    auto file = std::make_unique<QSaveFile>(platform::nativePath(m_path));
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(m_path, file->errorString());
    m_file = std::move(file);
    return {};
}

Status DocumentStream::appendPart(QByteArrayView mark, QByteArrayView text)
{
    if (!m_file) {
        if (Status opened = open(); !opened)
            return opened;
    }
    if (Status written = append(mark); !written)
        return written;
    return append(text);
}

Status DocumentStream::append(QByteArrayView text)
{
    if (text.isEmpty())
        return {};
    if (!m_file)
        return failure(m_path, QStringLiteral("nicht geöffnet"));
    if (m_file->write(text.data(), text.size()) != text.size()) {
        const QString cause = platform::writeFailureCause(*m_file);
        m_file->cancelWriting();
        return failure(m_path, cause);
    }
    m_unsynced += text.size();
    if (m_unsynced >= kWritebackStep) {
        platform::startWriteback(*m_file);
        m_unsynced = 0;
    }
    return {};
}

Status DocumentStream::commit()
{
    if (!m_file)
        return {};
    if (!m_file->commit())
        return failure(m_path, m_file->errorString());
    m_file.reset();
    return {};
}
