#include "store/Utf8Repair.h"

#include "store/Windows1252.h"

namespace {

// Length of the valid sequence starting at p (1 for ASCII), 0 when the bytes there do not
// start one, -1 when they are a valid start cut off by the end.
int sequenceAt(const unsigned char* p, qsizetype available)
{
    const unsigned char lead = p[0];
    if (lead < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return 0;
    }
    for (int k = 1; k < length; ++k) {
        if (k >= available)
            return -1;
        const unsigned char min = k == 1 ? low : 0x80;
        const unsigned char max = k == 1 ? high : 0xBF;
        if (p[k] < min || p[k] > max)
            return 0;
    }
    return length;
}

} // namespace

QByteArray Utf8Repair::feed(QByteArrayView bytes, bool last)
{
    QByteArray input;
    if (!m_pending.isEmpty()) {
        input = m_pending + bytes.toByteArray();
        m_pending.clear();
        bytes = input;
    }
    QByteArray out;
    out.reserve(bytes.size());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    // Valid runs are copied whole; only the bytes between them are replaced.
    qsizetype runStart = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        if (data[i] < 0x80) {
            ++i;
            continue;
        }
        const int length = sequenceAt(data + i, bytes.size() - i);
        if (length > 0) {
            i += length;
            continue;
        }
        out.append(bytes.data() + runStart, i - runStart);
        if (length < 0 && !last) {
            m_pending = bytes.sliced(i).toByteArray();
            return out;
        }
        out.append(QString(QChar(cp1252::toUnicode(data[i]))).toUtf8());
        m_changed = true;
        runStart = ++i;
    }
    out.append(bytes.data() + runStart, i - runStart);
    return out;
}
