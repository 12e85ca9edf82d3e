#include "indexer/SectionText.h"

#include "store/ByteSize.h"
#include "store/TextWriter.h"
#include "store/Windows1252.h"

#include <algorithm>
#include <cstring>

namespace sectiontext {

namespace {

constexpr char16_t kDle = 0x10;

// Offset of the next DLE at or after `from`, or -1.
qsizetype nextDleByte(QByteArrayView text, qsizetype from)
{
    const void* hit = std::memchr(text.data() + from, kDle, std::size_t(text.size() - from));
    return hit ? static_cast<const char*>(hit) - text.data() : -1;
}

// Offset of the next DLE unit among the 16-bit LE units starting at `from`, or -1.
qsizetype nextDleUnit(QByteArrayView text, qsizetype from)
{
    for (qsizetype i = from; i + 1 < text.size(); i += 2) {
        if (quint8(text[i]) == kDle && text[i + 1] == 0)
            return i;
    }
    return -1;
}

} // namespace

Family familyOf(EncodingClass cls)
{
    switch (cls) {
    case EncodingClass::Ansi: return Family::Ansi;
    case EncodingClass::Utf8: return Family::Utf8;
    default: return Family::Unicode;
    }
}

QByteArrayView partMark(Family family)
{
    static const QByteArray byteOrderMark("\xFF\xFE", 2);
    return family == Family::Unicode ? QByteArrayView(byteOrderMark) : QByteArrayView();
}

QByteArrayView lineBreak(Family family)
{
    return family == Family::Unicode ? QByteArrayView("\r\0\n\0", 4) : QByteArrayView("\r\n", 2);
}

QString rule(const QString& path, qsizetype shorter)
{
    return QString(std::max<qsizetype>(0, path.size() - shorter), u'=');
}

QStringList headLines(const QString& path, const QString& rule)
{
    return {QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" "), u'#' + path, rule};
}

QStringList largeFileHeadLines(const QString& path, qint64 size)
{
    return {QStringLiteral(" "), QStringLiteral(" "), u'#' + path,
            QStringLiteral("Size: ") + ConvertBytes(size) + u' ' + rule(path, 20)};
}

EncodedLine encodeLine(Family family, const QString& text)
{
    switch (family) {
    case Family::Ansi: return {cp1252::encode(text), text.size()};
    case Family::Utf8: {
        QByteArray bytes = text.toUtf8(); // one character per byte, as the document counts
        const qint64 chars = bytes.size();
        return {std::move(bytes), chars};
    }
    case Family::Unicode: return {utf16LE(text), text.size()};
    }
    return {};
}

void swapBytePairs(QByteArray& bytes)
{
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
}

QList<QByteArrayView> splitAtDleUnits(QByteArrayView bytes)
{
    QList<QByteArrayView> pieces;
    qsizetype start = 0;
    for (qsizetype dle = nextDleUnit(bytes, 0); dle >= 0; dle = nextDleUnit(bytes, start)) {
        pieces.append(bytes.sliced(start, dle - start));
        start = std::min(dle + 4, bytes.size());
    }
    pieces.append(bytes.sliced(start, (bytes.size() - start) / 2 * 2));
    return pieces;
}

QList<QByteArrayView> dlePieces(QByteArrayView content, bool unicodeClass)
{
    const bool wide =
        content.size() >= 3 && quint8(content[0]) == 0xFF && quint8(content[1]) == 0xFE;
    if (content.isEmpty())
        return {};
    if (unicodeClass && !wide)
        return {QByteArrayView()};
    const int unit = wide ? 2 : 1;
    QList<QByteArrayView> pieces;
    for (qsizetype pos = wide ? 2 : 0; pos < content.size();) {
        const qsizetype end = wide ? nextDleUnit(content, pos) : nextDleByte(content, pos);
        const qsizetype stop = end < 0 ? pos + (content.size() - pos) / unit * unit : end;
        pieces.append(content.sliced(pos, stop - pos));
        pos = end < 0 ? content.size() : std::min(end + 2 * unit, content.size());
    }
    return pieces;
}

} // namespace sectiontext
