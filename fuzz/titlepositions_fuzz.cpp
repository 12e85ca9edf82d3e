// The title-position list reader and the path lookup of the document search.
//
// The list is parsed once and answered by binary search; a plain walk through the lines
// must give the same path for every offset asked (each line's own offset, its neighbours,
// the extremes and offsets from the input).

#include "search/TitlePositionList.h"
#include "store/Utf8.h"
#include "support/FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <limits>
#include <optional>

using fuzz::expect;
using fuzz::shown;

namespace {

struct PlainLine {
    qint64 offset = 0;
    std::optional<QString> path;
};

// A decimal number, sign allowed, that fits 64 bits; anything else is none.
std::optional<qint64> decimal(QByteArrayView text)
{
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text[0] == '-';
    if (negative)
        ++i;
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        const int digit = c - '0';
        // Accumulates toward the sign, so that the most negative value fits too.
        if (negative) {
            if (value < (std::numeric_limits<qint64>::min() + digit) / 10)
                return std::nullopt;
            value = value * 10 - digit;
        } else {
            if (value > (std::numeric_limits<qint64>::max() - digit) / 10)
                return std::nullopt;
            value = value * 10 + digit;
        }
    }
    return value;
}

std::vector<PlainLine> plainLines(const QByteArray& bytes, Family family)
{
    std::vector<PlainLine> lines;
    QByteArray line;
    auto finish = [&] {
        PlainLine plain;
        const qsizetype blank = line.indexOf(' ');
        if (blank >= 0)
            plain.offset = decimal(QByteArrayView(line).first(blank)).value_or(0);
        const qsizetype marker = line.indexOf(" #");
        if (marker >= 0) {
            const QString path = utf8::decode(QByteArrayView(line).sliced(marker + 2));
            plain.path = family == Family::Utf8 ? utf8::bytesAsCharsToText(path) : path;
        }
        lines.push_back(plain);
        line.clear();
    };
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            finish();
        } else if (bytes[i] == '\n') {
            finish();
        } else {
            line += bytes[i];
        }
    }
    if (!line.isEmpty())
        finish();
    return lines;
}

// Line by line: the first line with a path whose offset is at most the one asked and
// whose successor's offset is greater (that offset starts the successor's file).
QString plainPathAt(const std::vector<PlainLine>& lines, qint64 offset)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].path || lines[i].path->isEmpty() || lines[i].offset > offset)
            continue;
        if (i + 1 == lines.size() || lines[i + 1].offset > offset)
            return *lines[i].path;
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const Family family = kFamilies[input.ConsumeIntegralInRange(0, 2)];
    const bool fromFile = input.ConsumeIntegralInRange(0, 15) == 0;
    std::vector<qint64> asked;
    for (int n = input.ConsumeIntegralInRange(0, 4); n > 0; --n)
        asked.push_back(input.ConsumeIntegral<qint64>());
    const QByteArray bytes = fuzz::bytesOf(input.ConsumeRemainingBytesAsString());

    const TitlePositionList list =
        fromFile ? TitlePositionList::read(
                       fuzz::writeFile(QStringLiteral("Datenbank/fuzz_Titelpositionen.txt"), bytes),
                       family)
                 : TitlePositionList::parse(bytes, family);
    const std::vector<PlainLine> lines = plainLines(bytes, family);
    expect(list.size() == qsizetype(lines.size()), "line count " + std::to_string(list.size()) +
                                                       ", plainly " + std::to_string(lines.size()));

    asked.push_back(std::numeric_limits<qint64>::min());
    asked.push_back(std::numeric_limits<qint64>::max());
    asked.push_back(0);
    for (const PlainLine& line : lines) {
        for (const qint64 delta : {-1, 0, 1}) {
            if ((delta < 0 && line.offset == std::numeric_limits<qint64>::min()) ||
                (delta > 0 && line.offset == std::numeric_limits<qint64>::max()))
                continue;
            asked.push_back(line.offset + delta);
        }
        if (asked.size() > 600)
            break;
    }
    for (const qint64 offset : asked) {
        const QString fast = list.pathAt(offset);
        const QString plain = plainPathAt(lines, offset);
        if (fast != plain)
            fuzz::fail("offset " + std::to_string(offset) + ": lookup " + shown(fast) +
                       ", line by line " + shown(plain) + " in " + shown(bytes));
    }
    return 0;
}
