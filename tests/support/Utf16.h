#pragma once

#include <QByteArray>
#include <QString>

// The UTF-16 bytes of `text` in the byte order asked for, without a byte-order mark.
inline QByteArray utf16(const QString& text, bool bigEndian = false)
{
    QByteArray bytes;
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8);
        const char low = char(c.unicode() & 0xFF);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}
