#include "viewer/ViewerMemoText.h"

#include "store/Utf8.h"
#include "store/Windows1252.h"

namespace {

QString decodeLenient(const QByteArray& bytes, int longestSequence)
{
    QString text;
    text.reserve(bytes.size());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto size = std::size_t(bytes.size());
    for (std::size_t i = 0; i < size;) {
        const int length = utf8::sequenceLength(data + i, size - i);
        if (length > 1 && length <= longestSequence) {
            text += QString::fromUtf8(bytes.constData() + i, length);
            i += std::size_t(length);
        } else {
            text += QChar(cp1252::toUnicode(data[i]));
            ++i;
        }
    }
    return text;
}

} // namespace

QString viewerMemoText(const QString& line, Family family)
{
    switch (family) {
    case Family::Ansi: return decodeLenient(cp1252::encode(line), 3);
    case Family::Utf8: {
        QString text = decodeLenient(cp1252::encode(line), 4);
        text.replace(QChar(0x0C00), u' ').replace(QChar(0x0C4D), u' ');
        return text;
    }
    case Family::Unicode: break;
    }
    return line;
}
