#include "store/Utf8Repair.h"

#include "store/Utf8.h"
#include "store/Windows1252.h"

QByteArray Utf8Repair::feed(QByteArrayView bytes, bool last)
{
    QByteArray out;
    out.reserve(bytes.size());
    feedInto(bytes, last, out);
    return out;
}

void Utf8Repair::feedInto(QByteArrayView bytes, bool last, QByteArray& out)
{
    QByteArray input;
    if (!m_pending.isEmpty()) {
        input = m_pending + bytes.toByteArray();
        m_pending.clear();
        bytes = input;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    // Valid runs are copied whole; only the bytes between them are replaced.
    qsizetype runStart = 0;
    qsizetype i = 0;
    while ((i = qsizetype(utf8::skipAscii(data, i, bytes.size()))) < bytes.size()) {
        const int length = utf8::sequenceLength(data + i, std::size_t(bytes.size() - i));
        if (length > 0) {
            i += length;
            continue;
        }
        out.append(bytes.data() + runStart, i - runStart);
        if (length < 0 && !last) {
            m_pending = bytes.sliced(i).toByteArray();
            return;
        }
        out.append(QString(QChar(cp1252::toUnicode(data[i]))).toUtf8());
        m_changed = true;
        runStart = ++i;
    }
    out.append(bytes.data() + runStart, i - runStart);
}
