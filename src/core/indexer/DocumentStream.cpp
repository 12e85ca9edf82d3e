#include "indexer/DocumentStream.h"

#include "platform/FileFacts.h"
#include "store/TextWriter.h"

namespace {

// Writeback is started every few megabytes, so the sync at the end finds little left.
constexpr qint64 kWritebackStep = 8 * 1024 * 1024;

} // namespace

DocumentStream::DocumentStream(QString programPath)
    : m_path(std::move(programPath)), m_file(platform::nativePath(m_path))
{
}

DocumentStream::~DocumentStream() = default;

Status DocumentStream::failure(const QString& cause) const
{
    return writeFailure(m_path, cause);
}

Status DocumentStream::appendPart(QByteArrayView mark, QByteArrayView text)
{
    if (!m_file.isOpen()) {
        if (Status opened = m_file.open(); !opened)
            return failure(opened.error());
    }
    if (Status written = append(mark); !written)
        return written;
    return append(text);
}

Status DocumentStream::append(QByteArrayView text)
{
    if (text.isEmpty())
        return {};
    if (Status written = m_file.write(text); !written) {
        m_failure = failure(written.error());
        return m_failure;
    }
    m_unsynced += text.size();
    if (m_unsynced >= kWritebackStep) {
        m_file.startWriteback();
        m_unsynced = 0;
    }
    return {};
}

Status DocumentStream::close()
{
    // Not open: nothing was appended, or a write failed and removed the file.
    if (!m_file.isOpen())
        return m_failure;
    m_file.startWriteback();
    // Forced to disk later, on a worker thread, while the title positions are listed.
    if (Status committed = m_file.commit(platform::FileWriter::Durability::NotForced); !committed)
        return failure(committed.error());
    m_closed = true;
    return {};
}

Status DocumentStream::forceToDisk() const
{
    if (m_closed && !platform::syncFile(platform::nativePath(m_path)))
        return failure(QStringLiteral("Schreiben auf den Datenträger fehlgeschlagen"));
    return {};
}
