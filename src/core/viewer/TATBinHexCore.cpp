#include "viewer/TATBinHexCore.h"

#include "platform/FileFacts.h"
#include "store/Windows1252.h"
#include "viewer/TATBinHexLineMeasurer.h"
#include "viewer/TATBinHexReporter.h"
#include "viewer/ViewerChars.h"
#include "viewer/ViewerFileSlot.h"

#include <algorithm>
#include <cstring>
#include <utility>

using viewerchars::isLineBreak;
using viewerchars::roundDown;

namespace {

// Tab, line ends, space and the punctuation of the ASCII range end a word.
bool isWordDelimiter(char16_t ch)
{
    return ch == 9 || ch == 10 || ch == 13 || (ch >= 32 && ch <= 47) || (ch >= 58 && ch <= 64) ||
           (ch >= 91 && ch <= 94) || ch == 96 || (ch >= 123 && ch <= 127);
}

int hexDigits(qint64 value)
{
    int digits = 0;
    for (; value > 0; value >>= 4)
        ++digits;
    return digits;
}

QByteArray toWindows1252(const QByteArray& bytes, TATEncoding encoding)
{
    const std::optional<AnsiTranslation> table = ansiTranslation(encoding);
    if (!table)
        return cp1252::encode(convertToUnicode(bytes, encoding));
    QByteArray ansi(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        ansi[i] = char((*table)[static_cast<unsigned char>(bytes[i])]);
    return ansi;
}

} // namespace

TATBinHexCore::TATBinHexCore(ViewerFileSlot* slot)
    : m_slot(slot), m_buffer([this] { reportReadError(); })
{
    buildCharTable();
    if (m_slot)
        m_slot->attach(this);
}

TATBinHexCore::~TATBinHexCore()
{
    if (m_slot)
        m_slot->detach(this);
}

void TATBinHexCore::setMeasurer(TATBinHexLineMeasurer* measurer)
{
    m_measurer = measurer;
    forgetLayout();
}

void TATBinHexCore::setOnSelectionChange(std::function<void()> handler)
{
    m_onSelectionChange = std::move(handler);
}

// ---- file -------------------------------------------------------------------------------

bool TATBinHexCore::Open(const QString& fileName)
{
    if (fileName == m_fileName)
        return true;
    closeFile();
    m_fileName = fileName;
    if (fileName.isEmpty())
        return true;
    if (openFile())
        return true;
    // Forget the name, so that opening it again tries again.
    m_fileName.clear();
    return false;
}

bool TATBinHexCore::openFile()
{
    const QString native = platform::nativePath(m_fileName);
    if (native.isEmpty() || !m_buffer.open(native, blockSize(), m_fileAccess)) {
        if (m_reporter)
            m_reporter->showError(QStringLiteral("Cannot open file: \"%1\"").arg(m_fileName));
        return false;
    }
    m_offsetDigits = std::max(8, hexDigits(fileSize()));
    m_offsetDigits += m_offsetDigits % 2;
    const unsigned char* bom = m_buffer.bytesAt(0, 2);
    const bool bigEndian = bom && bom[0] == 0xFE && bom[1] == 0xFF;
    m_unicodeOrder = bigEndian ? ByteOrder::BigEndian : ByteOrder::LittleEndian;
    return true;
}

void TATBinHexCore::closeFile()
{
    m_buffer.close();
    m_unicodeOrder = ByteOrder::Undetermined;
    m_offsetDigits = 8;
    m_viewPos = 0;
    m_horzOffset = 0;
    m_selStart = 0;
    m_selLength = 0;
    forgetLayout();
}

// What is remembered about lines, after a change of the file, its reading or the layout.
void TATBinHexCore::forgetLayout()
{
    m_knownRun = KnownRun();
    m_wrapMarks = WrapMarks();
}

// Reopens the file for a new character size and returns to the position shown.
void TATBinHexCore::reload()
{
    if (!isOpen())
        return;
    const qint64 view = m_viewPos;
    const QString name = m_fileName;
    closeFile();
    m_fileName = name;
    if (!openFile()) {
        m_fileName.clear();
        return;
    }
    setViewPos(std::min(roundToChar(view), endPos()));
}

bool TATBinHexCore::reopen(bool followTail)
{
    if (!isOpen())
        return false;
    if (!platform::exists(m_fileName)) {
        (void)Open(QString());
        return false;
    }
    const bool atEnd = viewShowsEnd();
    const int horz = m_horzOffset;
    reload();
    if (!isOpen())
        return false;
    if (followTail && atEnd)
        moveToEnd();
    else
        m_horzOffset = horz;
    return true;
}

void TATBinHexCore::reportReadError()
{
    if (m_reporter)
        m_reporter->showError(QStringLiteral("Cannot read file: \"%1\"").arg(m_fileName));
}

QString TATBinHexCore::offsetText(qint64 pos) const
{
    return QString::number(pos, 16).toUpper().rightJustified(m_offsetDigits, u'0');
}

// ---- properties -------------------------------------------------------------------------

void TATBinHexCore::setMode(TATBinHexMode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    reload();
}

void TATBinHexCore::setTextEncoding(TATEncoding encoding)
{
    m_textEncoding = encoding;
    buildCharTable();
    forgetLayout();
}

// Every single-byte encoding converts byte by byte, so one table serves all reading.
void TATBinHexCore::buildCharTable()
{
    QByteArray bytes(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        bytes[i] = char(i);
    const QString all = convertToUnicode(bytes, m_textEncoding);
    for (int i = 0; i < 256; ++i) {
        const QString one = all.size() == 256 ? QString(all[i])
                                              : convertToUnicode(QByteArrayView(bytes).sliced(i, 1),
                                                                 m_textEncoding);
        m_charTable[i] = one.size() == 1 ? one[0].unicode() : u'?';
    }
}

void TATBinHexCore::setUnicodeOrder(ByteOrder order)
{
    m_unicodeOrder = order;
    forgetLayout();
}

void TATBinHexCore::setTextWidth(int width)
{
    m_textWidth = std::clamp(width, 2, kMaxLineLength);
}

void TATBinHexCore::setTextWidthHex(int width)
{
    m_textWidthHex = std::max(2, std::clamp(width, 2, kMaxLineLength) / 4 * 4);
}

void TATBinHexCore::setTextWidthUHex(int width)
{
    m_textWidthUHex = std::max(2, std::clamp(width, 2, kMaxLineLength) / 4 * 4);
}

void TATBinHexCore::setTextWrap(bool wrap)
{
    m_textWrap = wrap;
    forgetLayout();
}

void TATBinHexCore::setTextTabSize(int size)
{
    m_textTabSize = std::clamp(size, 1, 16);
    forgetLayout();
}

void TATBinHexCore::setFontFixedPitch(bool fixedPitch)
{
    m_fontFixedPitch = fixedPitch;
    forgetLayout();
}

void TATBinHexCore::setTextSearchIndentVert(int lines)
{
    m_textSearchIndentVert = std::max(0, lines);
}

void TATBinHexCore::setTextSearchIndentHorz(int chars)
{
    m_textSearchIndentHorz = std::max(0, chars);
}

void TATBinHexCore::setLinesPerPage(int lines)
{
    m_linesPerPage = std::clamp(lines, 0, kMaxPageLines);
}

// ---- view -------------------------------------------------------------------------------

void TATBinHexCore::setViewPos(qint64 pos)
{
    m_viewPos = pos;
    m_buffer.follow(pos);
}

void TATBinHexCore::ScrollToPos(qint64 pos)
{
    pos = roundToChar(pos);
    if (pos <= 0)
        setViewPos(0);
    else if (pos >= endPos() - charSize())
        setViewPos(endViewPos());
    else if (isTextMode())
        setViewPos(prevLineStart(pos));
    else
        setViewPos(roundDown(pos, lineStep()));
}

void TATBinHexCore::ScrollLineUp(int count)
{
    if (!isTextMode()) {
        setViewPos(std::max<qint64>(0, m_viewPos - qint64(std::max(0, count)) * lineStep()));
        return;
    }
    qint64 pos = m_viewPos;
    for (int i = 0; i < count && pos > 0; ++i)
        pos = prevLineStart(pos);
    setViewPos(pos);
}

// Moves on while the page shown from the view does not reach the end: the line a page
// below the view leads the way.
void TATBinHexCore::ScrollLineDown(int count)
{
    if (!isTextMode()) {
        const qint64 target = m_viewPos + qint64(std::max(0, count)) * lineStep();
        setViewPos(std::max(m_viewPos, std::min(target, lastPageStart())));
        return;
    }
    qint64 front = m_viewPos;
    for (int i = 0; i < m_linesPerPage && front < endPos(); ++i)
        front = nextLineStart(front);
    qint64 pos = m_viewPos;
    for (int i = 0; i < count && front < endPos(); ++i) {
        const qint64 next = nextLineStart(front);
        if (next <= front)
            break;
        front = next;
        pos = nextLineStart(pos);
    }
    setViewPos(pos);
}

void TATBinHexCore::moveToStart()
{
    m_horzOffset = 0;
    setViewPos(0);
}

void TATBinHexCore::moveToEnd()
{
    m_horzOffset = 0;
    setViewPos(endViewPos());
}

qint64 TATBinHexCore::endViewPos()
{
    if (!isTextMode())
        return lastPageStart();
    qint64 pos = endPos();
    for (int i = 0; i < m_linesPerPage && pos > 0; ++i)
        pos = prevLineStart(pos);
    return pos;
}

qint64 TATBinHexCore::lastPageStart() const
{
    const qint64 step = lineStep();
    const qint64 lines = (fileSize() + step - 1) / step;
    return std::max<qint64>(0, lines - m_linesPerPage) * step;
}

// The line holding pos is shown with TextSearchIndentVert lines above it.
void TATBinHexCore::bringIntoView(qint64 pos)
{
    if (!isTextMode()) {
        const qint64 back = qint64(m_textSearchIndentVert) * lineStep();
        setViewPos(std::max<qint64>(0, roundDown(pos, lineStep()) - back));
        return;
    }
    qint64 start = lineStartOf(pos);
    for (int i = 0; i < m_textSearchIndentVert && start > 0; ++i)
        start = prevLineStart(start);
    setViewPos(start);
    bringIntoViewHorz(pos);
}

// Unwrapped text can lie right of the window: keep TextSearchIndentHorz digit widths
// left of the selection when it is outside the visible width.
void TATBinHexCore::bringIntoViewHorz(qint64 pos)
{
    if (!m_measurer || wrapping())
        return;
    const TATBinHexLine line = layoutLine(lineStartOf(pos));
    const qsizetype before =
        std::min<qsizetype>((pos - line.start) / charSize(), line.chars.size());
    const int x = textX(line.chars, before);
    if (x >= m_horzOffset && x - m_horzOffset <= m_measurer->textAreaWidth() - 4)
        return;
    const int indent = m_textSearchIndentHorz * m_measurer->textWidth(u"0");
    m_horzOffset = std::max(0, x - indent);
}

// ---- selection --------------------------------------------------------------------------

void TATBinHexCore::SetSelection(qint64 start, qint64 length, bool scroll, bool fireEvent)
{
    if (start < 0 || length < 0)
        return;
    start = roundDown(start, charSize());
    if (start >= endPos())
        return;
    length = std::min(roundDown(length, charSize()), endPos() - start);
    const bool changed = start != m_selStart || length != m_selLength;
    m_selStart = start;
    m_selLength = length;
    if (scroll)
        bringIntoView(start);
    if (changed && fireEvent && m_onSelectionChange)
        m_onSelectionChange();
}

// Goes at most the maximal line length each way from pos. A word delimiter under pos
// is selected alone; a line break under pos ends the line before it.
void TATBinHexCore::SelectLineAt(qint64 pos, bool word, int maxChars)
{
    const int size = charSize();
    pos = roundDown(pos, size);
    const std::optional<char16_t> under = charAt(pos);
    if (!under)
        return;
    const auto stops = [&](qint64 at) {
        const std::optional<char16_t> ch = charAt(at);
        return !ch || (word ? isWordDelimiter(*ch) : isLineBreak(*ch));
    };
    if (word && isWordDelimiter(*under)) {
        SetSelection(pos, size, false, true);
        return;
    }
    qint64 first = pos;
    for (int i = 0; i < maxChars && first > 0 && !stops(first - size); ++i)
        first -= size;
    qint64 end = pos;
    for (int i = 0; i < maxChars && !stops(end); ++i)
        end += size;
    SetSelection(first, end - first, false, true);
}

void TATBinHexCore::SelectAll()
{
    SetSelection(0, fileSize(), false, true);
}

std::optional<QByteArray> TATBinHexCore::selectedBytes()
{
    if (!isOpen() || m_selLength == 0)
        return QByteArray();
    const std::optional<QByteArray> bytes =
        m_buffer.readRange(m_selStart, std::min(m_selLength, kMaxSelRead));
    if (!bytes)
        reportReadError();
    return bytes;
}

QByteArray TATBinHexCore::GetSelText()
{
    const std::optional<QByteArray> bytes = selectedBytes();
    return bytes ? toWindows1252(*bytes, m_textEncoding) : QByteArray();
}

QString TATBinHexCore::GetSelTextW()
{
    const std::optional<QByteArray> bytes = selectedBytes();
    if (!bytes)
        return QString();
    const bool bigEndian = m_unicodeOrder == ByteOrder::BigEndian;
    QString text(bytes->size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes->at(2 * i));
        const auto second = static_cast<unsigned char>(bytes->at(2 * i + 1));
        text[i] = QChar(bigEndian ? char16_t(first << 8 | second) : char16_t(first | second << 8));
    }
    return text;
}
