// The stream search, differential: random text, random search text, every option, every
// encoding the search converts (both UTF-16 byte orders among them), small blocks so that
// matches and near matches fall on block edges, any start. The fast search must report
// the offset the plain candidate loop finds, from a stream and from a file.

#include "store/Windows1252.h"
#include "support/FuzzSupport.h"
#include "support/PlainStreamSearch.h"
#include "viewer/TATStreamSearch.h"

#include <QBuffer>

#include <fuzzer/FuzzedDataProvider.h>

#include <limits>

using fuzz::expect;
using fuzz::shown;

namespace {

// Characters that make matches, near matches, case pairs and word edges likely.
const QString kAlphabet = QStringLiteral("abAB _.äÄßöÖ(\r\n9\u0130\u0131\u017F\u212A\u00FF\u0178"
                                         "\u20AC\u0160\u0161\u03A3\u03C3\u03C2");

QString textFrom(const std::string& bytes, bool raw)
{
    QString text;
    if (raw) {
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            text += QChar(char16_t(static_cast<unsigned char>(bytes[i]) |
                                   static_cast<unsigned char>(bytes[i + 1]) << 8));
        return text;
    }
    for (const char c : bytes)
        text += kAlphabet[static_cast<unsigned char>(c) % kAlphabet.size()];
    return text;
}

QByteArray encoded(const QString& text, TATEncoding encoding)
{
    if (encodingCharSize(encoding) == 1)
        return cp1252::encode(text);
    QByteArray bytes;
    for (const QChar c : text) {
        const char hi = char(c.unicode() >> 8);
        const char lo = char(c.unicode() & 0xFF);
        bytes.append(encoding == vEncUnicodeBE ? hi : lo);
        bytes.append(encoding == vEncUnicodeBE ? lo : hi);
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int choice = input.ConsumeIntegralInRange(0, 7);
    TATEncoding encoding = choice < 3 ? vEncUnicodeLE : choice < 5 ? vEncUnicodeBE : vEncANSI;
    if (choice == 7)
        encoding = TATEncoding(input.ConsumeIntegralInRange(0, kEncodingCount - 1));
    // An entry without a decoder searches "?" for every block; that is not the plain loop.
    if (encodingCharSize(encoding) == 1 && !ansiTranslation(encoding))
        encoding = vEncANSI;
    const unsigned options = input.ConsumeIntegralInRange(0u, 7u);
    const bool rawText = input.ConsumeIntegralInRange(0, 3) == 0;
    const bool rawStream = input.ConsumeIntegralInRange(0, 3) == 0;
    const bool realBlocks = input.ConsumeIntegralInRange(0, 7) == 0;
    const bool fromFile = input.ConsumeIntegralInRange(0, 15) == 0;
    const int extra = input.ConsumeIntegralInRange(0, 24);
    const int startChoice = input.ConsumeIntegralInRange(0, 4);
    const qint64 startValue = input.ConsumeIntegralInRange<qint64>(-4, 5000);
    const QString text = textFrom(input.ConsumeRandomLengthString(24), rawText);
    const std::string rest = input.ConsumeRemainingBytesAsString();
    if (text.isEmpty())
        return 0;

    QByteArray stream = rawStream ? fuzz::bytesOf(rest) : encoded(textFrom(rest, false), encoding);
    // Now and then an odd UTF-16 length: a cut last character.
    if (!rawStream && !rest.empty() && rest.back() % 5 == 0)
        stream.chop(1);
    const qint64 cs = encodingCharSize(encoding);
    const qint64 blockSize =
        realBlocks ? TATStreamSearch::kBlockSize : cs * (text.size() + 2 + extra);
    const qint64 start = startChoice == 0   ? 0
                         : startChoice == 1 ? stream.size()
                         : startChoice == 2 ? std::numeric_limits<qint64>::max()
                                            : startValue;
    const qint64 effectiveStart =
        (options & ssoBackward) && start == 0 ? std::numeric_limits<qint64>::max() : start;

    const qint64 expected =
        plainsearch::search(stream, text, encoding, options, effectiveStart, blockSize);

    TATStreamSearch search(blockSize);
    QBuffer buffer;
    if (fromFile) {
        const QString path = fuzz::writeFile(QStringLiteral("stream.bin"), stream);
        expect(search.setFileName(path).ok(), "cannot open the stream file");
    } else {
        buffer.setData(stream);
        buffer.open(QIODevice::ReadOnly);
        search.setStream(&buffer);
    }
    const Result<bool> found = search.FindFirst(text, encoding, options, start);
    expect(found.ok(), "the search failed to read");
    const qint64 actual = search.FoundStart();
    if (actual != expected || found.value() != (expected >= 0)) {
        fuzz::fail("found at " + std::to_string(actual) + ", plainly " + std::to_string(expected) +
                   "; encoding " + std::to_string(int(encoding)) + " options " +
                   std::to_string(options) + " start " + std::to_string(start) + " block " +
                   std::to_string(blockSize) + " text " + shown(text) + " stream " +
                   shown(stream.left(300)));
    }
    if (expected >= 0)
        expect(search.FoundLength() == text.size() * cs, "wrong match length");
    return 0;
}
