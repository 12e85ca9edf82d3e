#include "viewer/TATBinHexCore.h"

#include "viewer/TATBinHexLineMeasurer.h"
#include "viewer/ViewerChars.h"

#include <algorithm>

// The core's reading and line layout: characters from the buffer, lines wrapped to the
// measurer's width, the way back to a line's start.

using viewerchars::isLineBreak;
using viewerchars::kCR;
using viewerchars::kLF;
using viewerchars::roundDown;

namespace {

bool isBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t';
}

} // namespace

// ---- reading and layout -----------------------------------------------------------------

qint64 TATBinHexCore::roundToChar(qint64 pos) const
{
    return roundDown(std::max<qint64>(0, pos), charSize());
}

qint64 TATBinHexCore::blockSize() const
{
    return qint64(charSize()) * kMaxLineLength * kBlockLines;
}

bool TATBinHexCore::wrapping() const
{
    return m_textWrap && m_measurer && isTextMode();
}

std::optional<char16_t> TATBinHexCore::charAt(qint64 pos)
{
    const int size = charSize();
    if (pos < 0 || pos + size > endPos())
        return std::nullopt;
    const unsigned char* bytes = m_buffer.bytesAt(pos, size);
    if (!bytes)
        return std::nullopt;
    if (size == 1)
        return m_charTable[bytes[0]];
    if (m_unicodeOrder == ByteOrder::BigEndian)
        return char16_t(bytes[0] << 8 | bytes[1]);
    return char16_t(bytes[0] | bytes[1] << 8);
}

qint64 TATBinHexCore::lineStep() const
{
    switch (m_mode) {
    case vbmodeBinary: return m_textWidth;
    case vbmodeHex: return m_textWidthHex;
    case vbmodeUHex: return 2 * qint64(m_textWidthUHex);
    default: return charSize();
    }
}

TATBinHexLine TATBinHexCore::layoutLine(qint64 start)
{
    start = roundToChar(start);
    return isTextMode() ? layoutTextLine(start) : layoutStepLine(start);
}

qint64 TATBinHexCore::nextLineStart(qint64 start)
{
    return layoutLine(start).next;
}

// Up to the maximal line length of characters before a line break or the end; wrapped
// at the measured width; then one line break is skipped, also after a full-length line,
// so that a break right after 2,048 characters does not count as an empty line.
TATBinHexLine TATBinHexCore::layoutTextLine(qint64 start)
{
    const int size = charSize();
    QString chars;
    qint64 pos = start;
    for (std::optional<char16_t> ch; chars.size() < kMaxLineLength; pos += size) {
        ch = charAt(pos);
        if (!ch || isLineBreak(*ch))
            break;
        chars.append(QChar(*ch));
    }
    TATBinHexLine line{start, pos, skipLineBreak(pos), QString()};
    const int kept = wrapLength(chars);
    if (kept < chars.size()) {
        line.next = start + qint64(kept) * size;
        const int shown = isBlank(chars[kept - 1]) ? kept - 1 : kept;
        line.end = start + qint64(shown) * size;
        chars.truncate(shown);
    }
    line.chars = std::move(chars);
    return line;
}

// CR LF, LF CR, a lone CR and a lone LF are one line break each.
qint64 TATBinHexCore::skipLineBreak(qint64 pos)
{
    const std::optional<char16_t> first = charAt(pos);
    if (!first || !isLineBreak(*first))
        return pos;
    pos += charSize();
    const std::optional<char16_t> second = charAt(pos);
    if (second && isLineBreak(*second) && *second != *first)
        pos += charSize();
    return pos;
}

// How many characters stay on a wrapped line: those that fit, moved back to just after
// the last space, tab or backslash; at least one, so that wrapping always moves on.
// Prefixes of growing length are measured first, as a line holds far fewer characters
// than the 2,048 collected.
int TATBinHexCore::wrapLength(QStringView chars) const
{
    const qsizetype size = chars.size();
    if (!wrapping() || size == 0)
        return int(size);
    const int limit = m_measurer->textAreaWidth();
    const auto fits = [&](qsizetype count) {
        return m_measurer->textWidth(displayText(chars.first(count))) <= limit;
    };
    qsizetype low = 0; // fits
    qsizetype high = 64;
    for (; high < size && fits(high); high *= 2)
        low = high;
    if (high >= size) {
        if (fits(size))
            return int(size);
        high = size; // does not fit
    }
    while (high - low > 1) {
        const qsizetype middle = (low + high) / 2;
        (fits(middle) ? low : high) = middle;
    }
    const qsizetype kept = std::max<qsizetype>(1, low);
    for (qsizetype i = kept - 1; i > 0; --i) {
        if (isBlank(chars[i]) || chars[i] == u'\\')
            return int(i + 1);
    }
    return int(kept);
}

TATBinHexLine TATBinHexCore::layoutStepLine(qint64 start)
{
    TATBinHexLine line{start, start, start, QString()};
    const qint64 stop = start + lineStep();
    for (std::optional<char16_t> ch; line.end < stop; line.end += charSize()) {
        ch = charAt(line.end);
        if (!ch)
            break;
        line.chars.append(QChar(*ch));
    }
    line.next = line.end;
    return line;
}

// Stepping back must give the lines that stepping forward gives, whose cuts depend on
// where their run of characters starts and whose CR/LF pairs depend on where their
// cluster of breaks starts. So go back to a position that is certainly a line start and
// lay out forward from there.
qint64 TATBinHexCore::prevLineStart(qint64 pos)
{
    pos = std::min(roundToChar(pos), endPos());
    if (pos == 0)
        return 0;
    const qint64 target = pos - charSize();
    if (!isTextMode())
        return roundDown(target, lineStep());
    const SyncPoint sync = syncPointBefore(target);
    qint64 start = sync.start;
    if (wrapping()) {
        start = wrapMarkBefore(sync.start, target);
    } else if (sync.pureEnd > start) {
        const qint64 lineBytes = qint64(kMaxLineLength) * charSize();
        start += roundDown(std::min(target, sync.pureEnd - charSize()) - start, lineBytes);
    }
    for (int walked = 1;; ++walked) {
        const qint64 next = nextLineStart(start);
        if (next <= start || next > target)
            return start;
        start = next;
        if (wrapping() && walked % kWrapMarkSpacing == 0)
            addWrapMark(start);
    }
}

qint64 TATBinHexCore::wrapMarkBefore(qint64 runStart, qint64 target)
{
    const int areaWidth = m_measurer->textAreaWidth();
    if (m_wrapMarks.runStart != runStart || m_wrapMarks.areaWidth != areaWidth)
        m_wrapMarks = {runStart, areaWidth, {}};
    const QList<qint64>& starts = m_wrapMarks.starts;
    const auto after = std::upper_bound(starts.begin(), starts.end(), target);
    return after == starts.begin() ? runStart : *std::prev(after);
}

void TATBinHexCore::addWrapMark(qint64 pos)
{
    QList<qint64>& starts = m_wrapMarks.starts;
    if (starts.size() < kMaxWrapMarks && (starts.isEmpty() || pos > starts.last()))
        starts.append(pos);
}

// Line starts that need no context: the file start, the first character after a line
// break, and the place between two equal breaks (CR CR, LF LF), which never pair.
TATBinHexCore::SyncPoint TATBinHexCore::syncPointBefore(qint64 target)
{
    const int size = charSize();
    std::optional<char16_t> current = charAt(target);
    if (!current)
        return {target, target};
    qint64 pos = target;
    qint64 firstBreak = -1;
    for (;;) {
        if (isLineBreak(*current)) {
            firstBreak = pos;
        } else if (m_knownRun.holds(pos)) {
            pos = m_knownRun.start;
            break;
        } else if (const std::optional<qint64> lineBreak = lineBreakBefore(pos)) {
            // The characters between the break and pos are no breaks: a line of hundreds
            // of megabytes is crossed at the speed of a byte scan.
            const qint64 after = *lineBreak < 0 ? 0 : *lineBreak + size;
            if (m_knownRun.start >= after && m_knownRun.start < pos) {
                pos = m_knownRun.start;
                break;
            }
            if (after < pos) {
                pos = after;
                current = charAt(pos);
                if (!current)
                    break;
            }
        }
        if (pos == 0)
            break;
        const std::optional<char16_t> previous = charAt(pos - size);
        if (!previous ||
            (isLineBreak(*previous) && (!isLineBreak(*current) || *previous == *current)))
            break;
        pos -= size;
        current = previous;
    }
    const SyncPoint sync{pos, firstBreak >= 0 ? firstBreak : target + size};
    if (sync.pureEnd - sync.start > qint64(kMaxLineLength) * size)
        m_knownRun = {sync.start, sync.pureEnd};
    return sync;
}

std::optional<qint64> TATBinHexCore::lineBreakBefore(qint64 pos)
{
    const int size = charSize();
    const qint64 chunk = std::max<qint64>(m_buffer.blockSize() / size * size, size);
    const bool bigEndian = m_unicodeOrder == ByteOrder::BigEndian;
    for (qint64 end = pos; end > 0;) {
        const qint64 begin = std::max<qint64>(0, end - chunk);
        const unsigned char* bytes = m_buffer.bytesAt(begin, int(end - begin));
        if (!bytes)
            return std::nullopt;
        if (size == 1) {
            // Every single-byte code page keeps CR and LF at their ASCII bytes.
            const auto* lf = static_cast<const unsigned char*>(::memrchr(bytes, kLF, end - begin));
            const auto* cr = static_cast<const unsigned char*>(::memrchr(bytes, kCR, end - begin));
            if (lf || cr)
                return begin + (std::max(lf ? lf : cr, cr ? cr : lf) - bytes);
        } else {
            for (qint64 at = end - begin - size; at >= 0; at -= size) {
                const char16_t ch = bigEndian ? char16_t(bytes[at] << 8 | bytes[at + 1])
                                              : char16_t(bytes[at] | bytes[at + 1] << 8);
                if (isLineBreak(ch))
                    return begin + at;
            }
        }
        end = begin;
    }
    return -1;
}

qint64 TATBinHexCore::lineStartOf(qint64 pos)
{
    return pos <= 0 ? 0 : prevLineStart(pos + charSize());
}

QList<TATBinHexLine> TATBinHexCore::pageLines()
{
    QList<TATBinHexLine> lines;
    for (qint64 pos = m_viewPos; lines.size() < m_linesPerPage;) {
        TATBinHexLine line = layoutLine(pos);
        if (line.next <= pos)
            break;
        pos = line.next;
        lines.append(std::move(line));
    }
    return lines;
}

QString TATBinHexCore::displayText(QStringView chars) const
{
    QString text;
    text.reserve(chars.size());
    for (const QChar ch : chars) {
        if (ch != u'\t') {
            text.append(ch.unicode() < u' ' ? QChar(u'.') : ch);
            continue;
        }
        const qsizetype spaces =
            m_fontFixedPitch ? m_textTabSize - text.size() % m_textTabSize : m_textTabSize;
        text.append(QString(spaces, u' '));
    }
    return text;
}

int TATBinHexCore::textX(QStringView chars, qsizetype count) const
{
    return m_measurer ? m_measurer->textWidth(displayText(chars.first(count))) : 0;
}

// A page holds at most this many bytes, so a larger file never fits and nothing is read.
bool TATBinHexCore::fitsOnPageFromStart()
{
    const qint64 pageBytes = qint64(m_linesPerPage) * (kMaxLineLength + 2) * charSize();
    return fileSize() <= pageBytes && pageReachesEnd(0);
}

bool TATBinHexCore::pageReachesEnd(qint64 from)
{
    qint64 pos = from;
    for (int i = 0; i < m_linesPerPage && pos < endPos(); ++i) {
        const qint64 next = nextLineStart(pos);
        if (next <= pos)
            return true;
        pos = next;
    }
    return pos >= endPos();
}
