#include "indexer/DocumentStream.h"

#include "platform/FileFacts.h"
#include "store/TextWriter.h"

namespace {

// Writeback is started every few megabytes, so the sync at the end finds little left.
constexpr qint64 kWritebackStep = 8 * 1024 * 1024;

} // namespace

DocumentStream::DocumentStream(QString programPath)
    : m_path(std::move(programPath)),
      m_file(platform::nativePath(m_path) + QStringLiteral(".schreiben"))
{
}

DocumentStream::~DocumentStream()
{
    if (m_file.isOpen()) {
        m_file.close();
        m_file.remove();
    }
}

Status DocumentStream::failure(const QString& cause) const
{
    return writeFailure(m_path, cause);
}

Status DocumentStream::open()
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return failure(m_file.errorString());
    return {};
}

Status DocumentStream::appendPart(QByteArrayView mark, QByteArrayView text)
{
    if (!m_file.isOpen()) {
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
    if (m_file.write(text.data(), text.size()) != text.size())
        return failure(platform::writeFailureCause(m_file));
    m_unsynced += text.size();
    if (m_unsynced >= kWritebackStep) {
        platform::startWriteback(m_file);
        m_unsynced = 0;
    }
    return {};
}

Status DocumentStream::close()
{
    if (!m_file.isOpen())
        return {};
    platform::startWriteback(m_file);
    m_file.close();
    if (m_file.error() != QFileDevice::NoError)
        return failure(m_file.errorString());
    if (!platform::replaceFile(m_file.fileName(), platform::nativePath(m_path))) {
        m_file.remove();
        return failure(QStringLiteral("Umbenennen fehlgeschlagen"));
    }
    m_closed = true;
    return {};
}

Status DocumentStream::forceToDisk() const
{
    if (m_closed && !platform::syncFile(platform::nativePath(m_path)))
        return failure(QStringLiteral("Schreiben auf den Datenträger fehlgeschlagen"));
    return {};
}
