// The hit counter against a plain overlapping count: every start whose bytes equal the
// pattern's through the ANSI lower-case table, overlapping ones included. The content is
// placed so that it crosses a mapping-window edge, where a match is checked whole once.

#include "platform/MappedFile.h"
#include "search/HitCounter.h"
#include "store/Windows1252.h"
#include "support/FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

using fuzz::expect;
using fuzz::shown;

namespace {

std::vector<qint64> plainOccurrences(const QByteArray& content, const QByteArray& pattern)
{
    // Both lowered through the table once; then every start, overlapping ones included.
    // (A byte-by-byte loop here would spend the time budget on coverage tracing.)
    const auto& lower = cp1252::lowerTable();
    const auto lowered = [&lower](QByteArray bytes) {
        for (char& byte : bytes)
            byte = char(lower[static_cast<unsigned char>(byte)]);
        return bytes;
    };
    const QByteArray text = lowered(content);
    const QByteArray wanted = lowered(pattern);
    std::vector<qint64> found;
    if (wanted.isEmpty())
        return found;
    for (qsizetype at = text.indexOf(wanted); at >= 0; at = text.indexOf(wanted, at + 1))
        found.push_back(at);
    return found;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const qint64 windows = input.ConsumeIntegralInRange(1, 2);
    const bool crossEdge = input.ConsumeBool();
    const int beforeEdge = input.ConsumeIntegralInRange(0, 64);
    const char filler = input.ConsumeIntegral<char>();
    const bool asText = input.ConsumeBool();
    const std::string patternBytes = input.ConsumeRandomLengthString(24);
    const QByteArray tail = fuzz::bytesOf(input.ConsumeRemainingBytesAsString());

    // A text as the search makes it for the ANSI document, or bytes as they are.
    QByteArray pattern = fuzz::bytesOf(patternBytes);
    if (asText)
        pattern = DocumentPattern::of(QString::fromUtf8(pattern), Family::Ansi).bytes;

    const qint64 window = windows * MappedFile::kGranularity;
    QByteArray content;
    if (crossEdge)
        content = QByteArray(window - beforeEdge, filler);
    content += tail;
    const QString path = fuzz::writeFile(QStringLiteral("Datenbank/hits.txt"), content);

    const std::vector<qint64> expected = plainOccurrences(content, pattern);
    std::vector<qint64> visited;
    const HitCounter counter(window);
    const HitCounter::Outcome outcome = counter.visit(
        path, {pattern, Family::Ansi}, [&](qint64 offset) { visited.push_back(offset); });
    if (visited != expected || outcome.occurrences != qint64(expected.size())) {
        std::string where;
        for (std::size_t i = 0; i < std::min(visited.size(), expected.size()); ++i) {
            if (visited[i] != expected[i]) {
                where = " first difference at " + std::to_string(expected[i]);
                break;
            }
        }
        fuzz::fail("counted " + std::to_string(outcome.occurrences) + " (" +
                   std::to_string(visited.size()) + " visited), plainly " +
                   std::to_string(expected.size()) + where + "; window " + std::to_string(window) +
                   " pattern " + shown(pattern) + " tail " + shown(tail.left(200)));
    }
    expect(!outcome.cancelled, "cancelled without progress");
    expect(counter.count(path, {pattern, Family::Ansi}).occurrences == outcome.occurrences,
           "count and visit disagree");
    return 0;
}
