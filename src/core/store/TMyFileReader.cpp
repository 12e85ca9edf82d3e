#include "store/TMyFileReader.h"

#include "platform/FileFacts.h"

#include <algorithm>
#include <cstring>

Result<std::unique_ptr<TMyFileReader>> TMyFileReader::create(const QString& programPath,
                                                             bool openNow)
{
    using R = Result<std::unique_ptr<TMyFileReader>>;
    std::unique_ptr<TMyFileReader> reader(new TMyFileReader);
    const QString native = platform::nativePath(programPath);
    const Status opened =
        native.isEmpty()
            ? Status::failure(QStringLiteral("Laufwerk nicht zugeordnet: %1").arg(programPath))
            : reader->m_file.open(native);
    if (!opened)
        return R::failure(QStringLiteral("Es ist ein Fehler aufgetreten:\r\n") + opened.error());

    const qint64 size = reader->m_file.size();
    reader->m_fileSize = size;
    for (const qint64 factor : {224, 16, 1}) {
        if (size >= factor * kGranularity) {
            reader->m_windowSize = factor * kGranularity;
            break;
        }
    }
    if (reader->m_windowSize == 0)
        reader->m_windowSize = size;
    if (openNow)
        reader->mapWindowAt(0);
    return R(std::move(reader));
}

void TMyFileReader::mapWindowAt(qint64 offset)
{
    m_windowBase = offset / kGranularity * kGranularity;
    m_windowOffset = offset - m_windowBase;
    m_windowLength = std::clamp<qint64>(m_fileSize - m_windowBase, 0, m_windowSize);
    m_view = m_file.map(m_windowBase, m_windowLength);
    if (!m_view)
        m_windowLength = 0;
    if (m_windowBase == 0 && m_windowOffset == 0)
        m_wide = m_fileSize >= 3 && m_view && m_view[0] == 0xFF && m_view[1] == 0xFE;
}

void TMyFileReader::seek(qint64 offset)
{
    offset = std::clamp<qint64>(offset, 0, m_fileSize);
    if (m_view && offset >= m_windowBase && offset < windowEnd())
        m_windowOffset = offset - m_windowBase;
    else
        mapWindowAt(offset);
}

void TMyFileReader::noticeShortening()
{
    // Touching mapped pages past the end of a shortened file would end the program, so
    // the reader keeps to the file's size as it is now.
    const qint64 now = m_file.currentSize();
    if (now < 0 || now >= m_fileSize)
        return;
    const qint64 pos = std::min(position(), now);
    m_fileSize = now;
    mapWindowAt(pos);
}

QByteArray TMyFileReader::readLine()
{
    noticeShortening();
    const int unit = m_wide ? 2 : 1;
    qint64 pos = position();
    if (m_wide && pos == 0)
        pos = 2; // the first line starts after FF FE
    QByteArray line;
    while (pos + unit <= m_fileSize) {
        if (!m_view || pos < m_windowBase || pos >= windowEnd())
            mapWindowAt(pos);
        if (!m_view)
            break;
        const unsigned char* start = m_view + (pos - m_windowBase);
        const qint64 available = windowEnd() - pos;
        if (available < unit) {
            // A unit split by the window edge (only after a seek to an odd offset).
            const unsigned char low = *start;
            mapWindowAt(pos + 1);
            if (!m_view)
                break;
            const unsigned char high = m_view[0];
            if ((low | high << 8) == m_delimiter) {
                seek(std::min(pos + 2 * unit, m_fileSize));
                return line;
            }
            line.append(char(low)).append(char(high));
            pos += unit;
            continue;
        }
        qint64 found = -1;
        if (!m_wide) {
            const void* hit = std::memchr(start, int(m_delimiter & 0xFF), std::size_t(available));
            if (m_delimiter <= 0xFF && hit)
                found = static_cast<const unsigned char*>(hit) - start;
        } else {
            for (qint64 i = 0; i + 1 < available; i += 2) {
                if ((start[i] | start[i + 1] << 8) == m_delimiter) {
                    found = i;
                    break;
                }
            }
        }
        if (found >= 0) {
            line.append(reinterpret_cast<const char*>(start), found);
            seek(std::min(pos + found + 2 * unit, m_fileSize));
            return line;
        }
        const qint64 whole = available / unit * unit;
        line.append(reinterpret_cast<const char*>(start), whole);
        pos += whole;
    }
    seek(m_fileSize);
    return line;
}
