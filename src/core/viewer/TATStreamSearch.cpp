#include "viewer/TATStreamSearch.h"

#include "platform/FileFacts.h"
#include "store/TextWriter.h"
#include "store/Windows1252.h"
#include "viewer/BlockSearch.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace {

// Reads ahead this much at a time and serves the blocks from it: few system calls, and
// memory bounded whatever the stream's size.
constexpr qint64 kReadAhead = 1 << 20;

qint64 roundDown(qint64 value, qint64 step)
{
    const qint64 q = value / step;
    return (q * step > value ? q - 1 : q) * step;
}

// The text given one character a byte for the single-byte encodings: Windows-1252 bytes,
// or UTF-8 bytes with ssoUtf8.
BlockSearcher makeSearcher(const QString& text, TATEncoding encoding,
                           TATStreamSearchOptions options,
                           const std::optional<AnsiTranslation>& translation)
{
    const bool caseSensitive = options & ssoCaseSensitive;
    const bool wholeWords = options & ssoWholeWords;
    if (encodingCharSize(encoding) == 2) {
        const bool bigEndian = encoding == vEncUnicodeBE;
        QByteArray units = utf16LE(text);
        if (bigEndian) {
            for (qsizetype i = 0; i < units.size(); i += 2)
                std::swap(units[i], units[i + 1]);
        }
        return BlockSearcher(units, bigEndian ? BlockText::Utf16BE : BlockText::Utf16LE,
                             caseSensitive, wholeWords);
    }
    const QByteArray bytes = cp1252::encode(text);
    if (options & ssoUtf8)
        return BlockSearcher(bytes, BlockText::Utf8, caseSensitive, wholeWords);
    // An encoding without a decoder turns each block into "?": the caller searches that.
    return BlockSearcher(bytes, BlockText::SingleByte, caseSensitive, wholeWords,
                         translation ? &*translation : nullptr);
}

// A unit of the stream as the block searches take it: a byte, or a UTF-16 unit in the
// stream's byte order.
int unitValue(const unsigned char* bytes, TATEncoding encoding)
{
    if (encodingCharSize(encoding) == 1)
        return bytes[0];
    return encoding == vEncUnicodeBE ? bytes[0] << 8 | bytes[1] : bytes[1] << 8 | bytes[0];
}

} // namespace

// Serves blocks of the stream from a read-ahead buffer.
class TATStreamSearch::BlockReader {
public:
    explicit BlockReader(QIODevice* stream) : m_stream(stream) {}

    // The bytes [start, start + size), fewer at the end of the stream; nothing on a read
    // error. Backward searches read ahead toward the start.
    std::optional<QByteArrayView> read(qint64 start, qint64 size, bool backward)
    {
        const qint64 end = start + size;
        const bool inside = start >= m_start && (end <= m_start + m_buffer.size() ||
                                                 (m_atEnd && start <= m_start + m_buffer.size()));
        if (!inside && !fill(backward ? std::max<qint64>(0, end - kReadAhead) : start,
                             std::max(size, kReadAhead)))
            return std::nullopt;
        const qint64 from = start - m_start;
        const qint64 available = std::clamp<qint64>(m_buffer.size() - from, 0, size);
        return QByteArrayView(m_buffer.constData() + from, available);
    }

private:
    bool fill(qint64 start, qint64 size)
    {
        m_buffer.resize(size);
        m_start = start;
        if (!m_stream->seek(start)) {
            m_buffer.clear();
            m_atEnd = true;
            return true; // beyond the end: nothing to read
        }
        qint64 got = 0;
        while (got < size) {
            const qint64 n = m_stream->read(m_buffer.data() + got, size - got);
            if (n < 0) {
                m_buffer.clear();
                return false;
            }
            if (n == 0)
                break;
            got += n;
        }
        m_buffer.resize(got);
        m_atEnd = got < size;
        return true;
    }

    QIODevice* m_stream;
    QByteArray m_buffer;
    qint64 m_start = 0;
    bool m_atEnd = false;
};

TATStreamSearch::TATStreamSearch(qint64 blockSize) : m_blockSize(blockSize) {}

TATStreamSearch::~TATStreamSearch() = default;

void TATStreamSearch::forgetSearch()
{
    m_savedText.clear();
    m_savedEncoding = vEncANSI;
    m_savedOptions = 0;
}

void TATStreamSearch::close()
{
    if (m_ownedStream) {
        m_reader.reset();
        m_stream = nullptr;
        m_ownedStream.reset();
    }
}

Status TATStreamSearch::setFileName(const QString& programPath)
{
    close();
    if (programPath.isEmpty())
        return {};
    forgetSearch();
    m_fileName = programPath;
    auto file = std::make_unique<QFile>(platform::nativePath(programPath));
    if (!file->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Status::failure(QStringLiteral("Cannot open file: \"%1\"").arg(programPath));
    m_ownedStream = std::move(file);
    m_stream = m_ownedStream.get();
    m_reader = std::make_unique<BlockReader>(m_stream);
    return {};
}

void TATStreamSearch::setStream(QIODevice* stream)
{
    close();
    forgetSearch();
    m_fileName.clear();
    m_stream = stream;
    m_reader = stream ? std::make_unique<BlockReader>(stream) : nullptr;
}

bool TATStreamSearch::progress(qint64 currentPos, qint64 size)
{
    bool continueSearching = true;
    if (OnProgress)
        OnProgress(currentPos, size, continueSearching);
    return continueSearching;
}

Result<bool> TATStreamSearch::FindFirst(const QString& text, TATEncoding encoding,
                                        TATStreamSearchOptions options, qint64 startPos)
{
    forgetSearch();
    m_savedText = text;
    m_savedEncoding = encoding;
    m_savedOptions = options;
    if ((options & ssoBackward) && startPos == 0)
        startPos = std::numeric_limits<qint64>::max();
    const Result<qint64> found = search(text, encoding, options, startPos);
    if (!found)
        return Result<bool>::failure(found.error());
    m_foundStart = *found;
    m_foundLength = *found >= 0 ? text.size() * encodingCharSize(encoding) : 0;
    return *found >= 0;
}

Result<bool> TATStreamSearch::FindNext(bool findPrevious)
{
    const qint64 charSize = encodingCharSize(m_savedEncoding);
    qint64 startPos = m_foundStart + charSize;
    if (bool(m_savedOptions & ssoBackward) != findPrevious)
        startPos = m_foundStart + (m_savedText.size() - 2) * charSize;

    TATStreamSearchOptions options = m_savedOptions & (ssoCaseSensitive | ssoWholeWords | ssoUtf8);
    if (m_settings) {
        options = (m_settings->caseSensitive() ? unsigned(ssoCaseSensitive) : 0u) |
                  (m_savedOptions & ssoUtf8);
        const bool termStartsText =
            m_settings->textLookedFor().startsWith(m_settings->currentSearchTerm());
        if (m_settings->wholeWords() && !termStartsText)
            options |= ssoWholeWords;
        if (m_settings->titlePositionSearch())
            m_savedText = m_settings->textLookedFor();
    }
    if (findPrevious)
        options |= ssoBackward;

    const Result<qint64> found = search(m_savedText, m_savedEncoding, options, startPos);
    if (!found)
        return Result<bool>::failure(found.error());
    m_foundStart = *found;
    m_foundLength = *found >= 0 ? m_savedText.size() * charSize : 0;
    return *found >= 0;
}

// A search that steps through a document looks for two texts in turn (the search text and
// the title marker): each keeps its searcher.
const TATStreamSearch::PreparedSearcher&
TATStreamSearch::searcherFor(const QString& text, TATEncoding encoding,
                             TATStreamSearchOptions options)
{
    options &= ssoCaseSensitive | ssoWholeWords | ssoUtf8;
    for (const PreparedSearcher& prepared : m_searchers) {
        if (prepared.text == text && prepared.encoding == encoding && prepared.options == options)
            return prepared;
    }
    if (m_searchers.size() == 2)
        m_searchers.pop_front();
    const std::optional<AnsiTranslation> translation =
        encodingCharSize(encoding) == 1 ? ansiTranslation(encoding) : std::nullopt;
    m_searchers.push_back({text, encoding, options,
                           makeSearcher(text, encoding, options, translation),
                           encodingCharSize(encoding) == 1 && !translation});
    return m_searchers.back();
}

Result<qint64> TATStreamSearch::search(const QString& text, TATEncoding encoding,
                                       TATStreamSearchOptions options, qint64 startPos)
{
    if (text.isEmpty() || !m_stream)
        return qint64(-1);
    const qint64 charSize = encodingCharSize(encoding);
    const qint64 streamSize = m_stream->size();
    if (streamSize < charSize)
        return qint64(-1);
    const bool backward = options & ssoBackward;
    const qint64 direction = backward ? -1 : 1;
    const qint64 lastPos =
        roundDown(std::max<qint64>(0, roundDown(streamSize, charSize) - charSize), charSize);

    qint64 current = roundDown(startPos, charSize);
    if (current > lastPos) {
        if (!backward)
            return qint64(-1);
        current = lastPos;
    }
    if (current < 0) {
        if (backward)
            return qint64(-1);
        current = 0;
    }
    if (!progress(current, streamSize))
        return qint64(-1);

    const PreparedSearcher& prepared = searcherFor(text, encoding, options);
    const BlockSearcher& searcher = prepared.searcher;
    const bool unconvertible = prepared.unconvertible;
    const qint64 overlap = (text.size() + 1) * charSize;

    for (;;) {
        qint64 blockStart = current;
        qint64 blockSize = m_blockSize;
        if (backward) {
            blockStart = std::max<qint64>(0, current - (m_blockSize - charSize));
            blockSize = std::min(current - blockStart + charSize, m_blockSize);
        }
        // The block with the units on both sides of it, for the whole-word rule.
        const qint64 lead = std::min(blockStart, charSize);
        const std::optional<QByteArrayView> read =
            m_reader->read(blockStart - lead, lead + blockSize + charSize, backward);
        if (!read)
            return Result<qint64>::failure(
                QStringLiteral("Read error at offset %1").arg(blockStart));
        const auto* bytes = reinterpret_cast<const unsigned char*>(read->data()) + lead;
        const qint64 available = std::max<qint64>(0, read->size() - lead);
        const qint64 blockRead = std::min(available, blockSize);
        BlockEdges edges{backward};
        if (lead == charSize && !unconvertible)
            edges.before = unitValue(bytes - charSize, encoding);
        if (available >= blockSize + charSize && !unconvertible)
            edges.after = unitValue(bytes + blockSize, encoding);
        const std::size_t length = std::size_t(blockRead);
        static const unsigned char kQuestionMark = '?';
        const std::size_t at = unconvertible ? searcher.find(&kQuestionMark, 1, edges)
                                             : searcher.find(bytes, length, edges);
        if (at != blockscan::kNone)
            return blockStart + qint64(at);
        if (!progress(current, streamSize))
            return qint64(-1);

        const qint64 next =
            roundDown(current + direction * blockSize - direction * overlap, charSize);
        // A text as long as a block would never move on.
        const bool stuck = backward ? next >= current : next <= current;
        current = next;
        if (stuck || current < 0 || current > lastPos || blockRead < m_blockSize)
            return qint64(-1);
    }
}
