#include "FileNames.h"

#include "store/Utf8.h"

#include <QChar>

namespace fileNames {
namespace {

// The code point at pos of a valid UTF-8 name; pos moves past it.
char32_t decodeAt(std::string_view name, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(name[pos++]);
    if (lead < 0x80)
        return lead;
    const int continuations = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    char32_t code = lead & (0x3F >> continuations);
    for (int i = 0; i < continuations; ++i)
        code = (code << 6) | (static_cast<unsigned char>(name[pos++]) & 0x3F);
    return code;
}

// NTFS upper-cases single UTF-16 units through its table; characters beyond the BMP stay.
char32_t upperCased(char32_t code)
{
    if (code < 0x80)
        return code >= 'a' && code <= 'z' ? code - 0x20 : code;
    if (code > 0xFFFF)
        return code;
    const char32_t upper = QChar::toUpper(code);
    return upper > 0xFFFF ? code : upper;
}

// A key whose order over code points is the order of their UTF-16 units: characters
// beyond the BMP (surrogate pairs, D800-DFFF) come before U+E000-U+FFFF.
char32_t utf16OrderKey(char32_t code)
{
    if (code < 0xD800)
        return code;
    if (code > 0xFFFF)
        return 0xD800 + (code - 0x10000);
    return code + 0x100000;
}

int compareUpperCased(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const auto p = static_cast<unsigned char>(a[i]);
        const auto q = static_cast<unsigned char>(b[j]);
        if ((p | q) < 0x80) { // both ASCII: the common case, without decoding
            const char32_t x = upperCased(p);
            const char32_t y = upperCased(q);
            if (x != y)
                return x < y ? -1 : 1;
            ++i;
            ++j;
            continue;
        }
        const char32_t x = utf16OrderKey(upperCased(decodeAt(a, i)));
        const char32_t y = utf16OrderKey(upperCased(decodeAt(b, j)));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return int(i < a.size()) - int(j < b.size());
}

} // namespace

bool isListable(std::string_view name)
{
    const auto* p = reinterpret_cast<const unsigned char*>(name.data());
    const auto* end = p + name.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c >= 0x80) {
            const int length = utf8::sequenceLength(p, std::size_t(end - p));
            if (length <= 0)
                return false;
            p += length;
            continue;
        }
        if (c == '\r' || c == '\n' || c == '"' || c == '\\')
            return false;
        ++p;
    }
    return true;
}

bool listsBefore(std::string_view a, std::string_view b)
{
    const int order = compareUpperCased(a, b);
    return order != 0 ? order < 0 : a < b;
}

} // namespace fileNames
