#include "store/Windows1252.h"

#include "store/CaseFolding.h"

#include <array>

namespace cp1252 {

namespace {

constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

} // namespace

char16_t toUnicode(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t(byte);
}

int fromUnicode(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == ch)
            return int(0x80 + i);
    }
    return -1;
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(toUnicode(static_cast<unsigned char>(byte)));
    return text;
}

QByteArray encode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar ch : text) {
        const int byte = fromUnicode(ch.unicode());
        *out++ = byte < 0 ? '?' : char(byte);
    }
    return bytes;
}

bool canEncode(QStringView text)
{
    for (const QChar ch : text) {
        if (fromUnicode(ch.unicode()) < 0)
            return false;
    }
    return true;
}

const std::array<unsigned char, 256>& lowerTable()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> lower{};
        for (int byte = 0; byte < 256; ++byte) {
            const int mapped = fromUnicode(casefold::lower(toUnicode(byte)));
            lower[byte] = mapped < 0 ? byte : mapped;
        }
        return lower;
    }();
    return table;
}

} // namespace cp1252
