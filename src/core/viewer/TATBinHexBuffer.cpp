#include "viewer/TATBinHexBuffer.h"

#include <algorithm>
#include <utility>

namespace {

constexpr qint64 kMappedCapacity = 8 << 20;

} // namespace

TATBinHexBuffer::TATBinHexBuffer(std::function<void()> onReadFailed)
    : m_onReadFailed(std::move(onReadFailed))
{
}

bool TATBinHexBuffer::open(const QString& nativePath, qint64 blockSize, FileAccess access)
{
    close();
    if (access == FileAccess::Mapped) {
        if (!m_mapped.open(nativePath))
            return false;
        m_fileSize = m_mapped.size();
    } else {
        m_file.setFileName(nativePath);
        // Unbuffered: the blocks are the only copy of the file in memory.
        if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            return false;
        m_fileSize = m_file.size();
        m_data = QByteArray(3 * blockSize, '\0');
        m_bytes = reinterpret_cast<const unsigned char*>(m_data.constData());
    }
    m_blockSize = blockSize;
    // A mapped window costs only the pages touched: a wide one is mapped again less often.
    m_capacity =
        access == FileAccess::Mapped ? std::max(3 * blockSize, kMappedCapacity) : 3 * blockSize;
    fill(0);
    return true;
}

void TATBinHexBuffer::close()
{
    m_file.close();
    m_mapped.close();
    m_data = QByteArray();
    m_bytes = nullptr;
    m_fileSize = 0;
    m_blockSize = 0;
    m_capacity = 0;
    m_start = 0;
    m_length = 0;
    m_readOk = true;
}

void TATBinHexBuffer::follow(qint64 viewPos)
{
    if (isOpen() && (viewPos < m_start || viewPos >= m_start + 2 * m_blockSize))
        fill(std::max<qint64>(0, viewPos - m_blockSize));
}

const unsigned char* TATBinHexBuffer::bytesAtAfterFill(qint64 pos, int count)
{
    if (!isOpen() || pos < 0)
        return nullptr;
    if (pos < m_start || pos + count > m_start + capacity())
        fill(std::max<qint64>(0, pos - m_blockSize));
    const qint64 offset = pos - m_start;
    if (offset + count > m_length)
        return nullptr;
    return m_bytes + offset;
}

std::optional<QByteArray> TATBinHexBuffer::readRange(qint64 pos, qint64 length)
{
    // What the buffer holds is taken from it: a selection around a hit usually lies inside.
    if (isOpen() && m_readOk && pos >= m_start && length >= 0 && pos + length <= m_start + m_length)
        return QByteArray(reinterpret_cast<const char*>(m_bytes) + (pos - m_start), length);
    if (m_mapped.isOpen()) {
        if (pos < 0 || length < 0 || pos + length > m_fileSize)
            return std::nullopt;
        if (length == 0)
            return QByteArray();
        m_readOk = mapFrom(pos, length);
        if (!m_readOk)
            return std::nullopt;
        return QByteArray(reinterpret_cast<const char*>(m_bytes) + (pos - m_start), length);
    }
    if (!isOpen() || !m_file.seek(pos))
        return std::nullopt;
    QByteArray bytes = m_file.read(length);
    if (bytes.size() != length)
        return std::nullopt;
    return bytes;
}

void TATBinHexBuffer::fill(qint64 start)
{
    const qint64 wanted = std::clamp<qint64>(m_fileSize - start, 0, capacity());
    const bool ok = m_mapped.isOpen() ? mapFrom(start, wanted) : readInto(start, wanted);
    m_readOk = ok;
    if (!ok) {
        m_start = start;
        m_length = 0;
        if (m_onReadFailed)
            m_onReadFailed();
    }
}

bool TATBinHexBuffer::readInto(qint64 start, qint64 wanted)
{
    m_start = start;
    const bool ok = m_file.seek(start) && m_file.read(m_data.data(), wanted) == wanted;
    m_length = ok ? wanted : 0;
    return ok;
}

// The window starts where a mapping can, at or before the start asked for, and holds at
// least the bytes asked for.
bool TATBinHexBuffer::mapFrom(qint64 start, qint64 wanted)
{
    const qint64 base = start - start % MappedFile::kGranularity;
    const qint64 length = wanted + (start - base);
    if (length == 0) {
        m_mapped.unmap();
        m_start = start;
        m_bytes = nullptr;
        m_length = 0;
        return true;
    }
    m_bytes = m_mapped.map(base, length);
    m_start = base;
    m_length = m_bytes ? length : 0;
    return m_bytes != nullptr;
}
