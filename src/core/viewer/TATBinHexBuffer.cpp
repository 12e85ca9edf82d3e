#include "viewer/TATBinHexBuffer.h"

#include <algorithm>
#include <utility>

TATBinHexBuffer::TATBinHexBuffer(std::function<void()> onReadFailed)
    : m_onReadFailed(std::move(onReadFailed))
{
}

bool TATBinHexBuffer::open(const QString& nativePath, qint64 blockSize)
{
    close();
    m_file.setFileName(nativePath);
    // Unbuffered: the blocks are the only copy of the file in memory.
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    m_fileSize = m_file.size();
    m_blockSize = blockSize;
    m_data = QByteArray(3 * blockSize, '\0');
    fill(0);
    return true;
}

void TATBinHexBuffer::close()
{
    m_file.close();
    m_data = QByteArray();
    m_fileSize = 0;
    m_blockSize = 0;
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
    return reinterpret_cast<const unsigned char*>(m_data.constData()) + offset;
}

std::optional<QByteArray> TATBinHexBuffer::readRange(qint64 pos, qint64 length)
{
    // What the buffer holds is taken from it: a selection around a hit usually lies inside.
    if (isOpen() && m_readOk && pos >= m_start && length >= 0 && pos + length <= m_start + m_length)
        return QByteArray(m_data.constData() + (pos - m_start), length);
    if (!isOpen() || !m_file.seek(pos))
        return std::nullopt;
    QByteArray bytes = m_file.read(length);
    if (bytes.size() != length)
        return std::nullopt;
    return bytes;
}

void TATBinHexBuffer::fill(qint64 start)
{
    m_start = start;
    const qint64 wanted = std::clamp<qint64>(m_fileSize - start, 0, capacity());
    const bool ok = m_file.seek(start) && m_file.read(m_data.data(), wanted) == wanted;
    m_length = ok ? wanted : 0;
    m_readOk = ok;
    if (!ok && m_onReadFailed)
        m_onReadFailed();
}
