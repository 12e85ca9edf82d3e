#include "viewer/TATBinHexSelectionText.h"

#include "viewer/TATBinHexCore.h"

namespace {

QString hexText(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString decode(TATBinHexCore& core, const QByteArray& bytes, bool asHex, bool utf8Document)
{
    if (utf8Document)
        return QString::fromUtf8(bytes);
    if (core.charSize() == 2) {
        const bool bigEndian = core.unicodeOrder() == TATBinHexCore::ByteOrder::BigEndian;
        return convertToUnicode(bytes, bigEndian ? vEncUnicodeBE : vEncUnicodeLE);
    }
    if (asHex)
        return hexText(bytes);
    return convertToUnicode(bytes, core.textEncoding());
}

} // namespace

std::optional<QString> selectionText(TATBinHexCore& core, bool asHex, bool utf8Document)
{
    const std::optional<QByteArray> bytes = core.selectedBytes();
    if (!bytes)
        return std::nullopt;
    return decode(core, *bytes, asHex, utf8Document).replace(QChar(0), u' ');
}
