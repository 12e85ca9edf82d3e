#include "store/CaseFolding.h"

#include "store/Utf8.h"

#include <QChar>

#include <algorithm>
#include <array>

namespace casefold {

namespace {

int encodedLength(char32_t code)
{
    return code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
}

void encode(char32_t code, unsigned char* out)
{
    switch (encodedLength(code)) {
    case 1: out[0] = static_cast<unsigned char>(code); break;
    case 2:
        out[0] = static_cast<unsigned char>(0xC0 | code >> 6);
        out[1] = static_cast<unsigned char>(0x80 | (code & 0x3F));
        break;
    case 3:
        out[0] = static_cast<unsigned char>(0xE0 | code >> 12);
        out[1] = static_cast<unsigned char>(0x80 | (code >> 6 & 0x3F));
        out[2] = static_cast<unsigned char>(0x80 | (code & 0x3F));
        break;
    default:
        out[0] = static_cast<unsigned char>(0xF0 | code >> 18);
        out[1] = static_cast<unsigned char>(0x80 | (code >> 12 & 0x3F));
        out[2] = static_cast<unsigned char>(0x80 | (code >> 6 & 0x3F));
        out[3] = static_cast<unsigned char>(0x80 | (code & 0x3F));
    }
}

char32_t decode(const unsigned char* p, int length)
{
    static constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t code = p[0] & kLeadBits[length];
    for (int k = 1; k < length; ++k)
        code = code << 6 | (p[k] & 0x3F);
    return code;
}

// The folded code of a character: its lower case where that has the same UTF-8 length.
// Characters beyond the BMP have no lower case of their own here, as in UTF-16.
char32_t foldedCode(char32_t code)
{
    if (code >= 0x10000)
        return code;
    const char16_t lowered = lower(char16_t(code));
    return encodedLength(lowered) == encodedLength(code) ? lowered : code;
}

} // namespace

char16_t lower(char16_t unit)
{
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> lowered(0x10000);
        for (unsigned u = 0; u < 0x10000; ++u)
            lowered[u] = QChar(char16_t(u)).toLower().unicode();
        return lowered;
    }();
    return table[unit];
}

const std::vector<char16_t>& unitsLoweredTo(char16_t lowered)
{
    static const std::vector<std::vector<char16_t>> sources = [] {
        std::vector<std::vector<char16_t>> byLower(0x10000);
        for (unsigned u = 0; u < 0x10000; ++u)
            byLower[lower(char16_t(u))].push_back(char16_t(u));
        return byLower;
    }();
    return sources[lowered];
}

int foldUtf8At(const unsigned char* p, std::size_t available, unsigned char* out)
{
    if (p[0] < 0x80) {
        out[0] = p[0] >= 'A' && p[0] <= 'Z' ? p[0] + 32 : p[0];
        return 1;
    }
    const int length = utf8::sequenceLength(p, available);
    if (length <= 0) {
        out[0] = p[0];
        return 1;
    }
    encode(foldedCode(decode(p, length)), out);
    return length;
}

QByteArray foldUtf8(QByteArrayView bytes)
{
    QByteArray folded(bytes.size(), Qt::Uninitialized);
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    auto* out = reinterpret_cast<unsigned char*>(folded.data());
    for (std::size_t i = 0, n = std::size_t(bytes.size()); i < n;)
        i += std::size_t(foldUtf8At(in + i, n - i, out + i));
    return folded;
}

std::vector<QByteArray> utf8SequencesFoldingTo(const unsigned char* p, std::size_t available)
{
    std::array<unsigned char, 4> own{};
    const int length = foldUtf8At(p, available, own.data());
    std::vector<QByteArray> sequences{QByteArray(reinterpret_cast<const char*>(p), length)};
    if (length == 1 && p[0] >= 0x80)
        return sequences; // no character: only its own byte
    const char32_t folded = decode(own.data(), length);
    if (folded >= 0x10000)
        return sequences;
    std::array<unsigned char, 4> bytes{};
    for (const char16_t source : unitsLoweredTo(char16_t(folded))) {
        if (foldedCode(source) != folded || encodedLength(source) != length)
            continue;
        encode(source, bytes.data());
        const QByteArray sequence(reinterpret_cast<const char*>(bytes.data()), length);
        if (std::find(sequences.begin(), sequences.end(), sequence) == sequences.end())
            sequences.push_back(sequence);
    }
    return sequences;
}

} // namespace casefold
