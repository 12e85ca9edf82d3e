#pragma once

#include "viewer/TATBinHexBuffer.h"
#include "viewer/TATBinHexLine.h"
#include "viewer/TATEncoding.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <functional>
#include <optional>

class TATBinHexLineMeasurer;
class TATBinHexReporter;
class ViewerFileSlot;

// What the viewer shows; the UTF-16 modes count positions in characters of 2 bytes.
enum TATBinHexMode { vbmodeText, vbmodeBinary, vbmodeHex, vbmodeUnicode, vbmodeUHex };

// The viewer without drawing: the file and its three-block buffer, line layout and line
// stepping, the view position, the selection and reading it back. The widget draws what
// this lays out; the searches use it alone to read lines around their hits.
// Positions are byte offsets; every position the core keeps is a multiple of the
// character size.
class TATBinHexCore {
public:
    enum class ByteOrder { Undetermined, LittleEndian, BigEndian };

    static constexpr int kMaxLineLength = 2048; // characters of one text line, every mode
    static constexpr int kBlockLines = 200;     // maximal lines per buffer block
    static constexpr int kMaxPageLines = 200;
    static constexpr qint64 kMaxSelRead = 16 * 1024 * 1024;
    // A fresh 200 x 150 pixel viewer with its default 16-pixel font shows 9 lines.
    static constexpr int kDefaultLinesPerPage = 9;

    explicit TATBinHexCore(ViewerFileSlot* slot = nullptr);
    ~TATBinHexCore();
    TATBinHexCore(const TATBinHexCore&) = delete;
    TATBinHexCore& operator=(const TATBinHexCore&) = delete;

    void setReporter(TATBinHexReporter* reporter) { m_reporter = reporter; }
    // With a measurer and TextWrap, text lines wrap at its width.
    void setMeasurer(TATBinHexLineMeasurer* measurer);
    // The measurer's widths changed at the same text area width (another font).
    void fontChanged() { forgetLayout(); }
    void setOnSelectionChange(std::function<void()> handler);

    // The same name again does nothing; an empty name only closes. False (with a
    // message) when the file cannot be opened.
    [[nodiscard]] bool Open(const QString& fileName);
    // How the files opened from now on are taken (copied blocks unless told otherwise).
    void setFileAccess(FileAccess access) { m_fileAccess = access; }
    // Opens the file shown again after it changed on disk: the view returns to its position,
    // or with followTail to the new end when it showed the end; the selection becomes empty.
    // False (and closed, without a message) when it is gone.
    bool reopen(bool followTail);
    const QString& fileName() const { return m_fileName; }
    bool isOpen() const { return m_buffer.isOpen(); }
    qint64 fileSize() const { return m_buffer.fileSize(); }
    // False after a failed read of the buffer: the widget shows the read error instead.
    bool lastReadOk() const { return m_buffer.lastReadOk(); }
    qint64 bufferSize() const { return m_buffer.capacity(); }
    // Hexadecimal digits of offsets: those of the file size, at least 8, even.
    int offsetDigits() const { return m_offsetDigits; }
    QString offsetText(qint64 pos) const;

    TATBinHexMode mode() const { return m_mode; }
    // Reopens the file for the new character size; the selection becomes empty.
    void setMode(TATBinHexMode mode);
    int charSize() const { return m_mode == vbmodeUnicode || m_mode == vbmodeUHex ? 2 : 1; }
    bool isTextMode() const { return m_mode == vbmodeText || m_mode == vbmodeUnicode; }
    TATEncoding textEncoding() const { return m_textEncoding; }
    void setTextEncoding(TATEncoding encoding);
    ByteOrder unicodeOrder() const { return m_unicodeOrder; }
    void setUnicodeOrder(ByteOrder order);

    int textWidth() const { return m_textWidth; }
    void setTextWidth(int width);
    int textWidthHex() const { return m_textWidthHex; }
    void setTextWidthHex(int width);
    int textWidthUHex() const { return m_textWidthUHex; }
    void setTextWidthUHex(int width);
    bool textWrap() const { return m_textWrap; }
    void setTextWrap(bool wrap);
    int textTabSize() const { return m_textTabSize; }
    void setTextTabSize(int size);
    // A fixed-pitch font expands tabs to the next multiple of TextTabSize.
    bool fontFixedPitch() const { return m_fontFixedPitch; }
    void setFontFixedPitch(bool fixedPitch);
    int textSearchIndentVert() const { return m_textSearchIndentVert; }
    void setTextSearchIndentVert(int lines);
    int textSearchIndentHorz() const { return m_textSearchIndentHorz; }
    void setTextSearchIndentHorz(int chars);
    int linesPerPage() const { return m_linesPerPage; }
    void setLinesPerPage(int lines);

    // The character at a position, converted for display; nothing at the end of the file
    // or where the file cannot be read.
    std::optional<char16_t> charAt(qint64 pos);
    // Bytes per line in the binary and hex modes.
    qint64 lineStep() const;
    TATBinHexLine layoutLine(qint64 start);
    qint64 nextLineStart(qint64 start);
    // The start of the line holding the character before pos: the line that a step
    // forward from it crosses pos with.
    qint64 prevLineStart(qint64 pos);
    // The lines shown from the view position, at most linesPerPage.
    QList<TATBinHexLine> pageLines();
    // The characters as drawn: tabs expanded to spaces, control characters as full stops.
    QString displayText(QStringView chars) const;
    // Pixels from a line's left edge to the first `count` of its characters, as measured
    // by the measurer (0 without one).
    int textX(QStringView chars, qsizetype count) const;
    bool viewShowsEnd() { return pageReachesEnd(m_viewPos); }
    // The page shown from the start of the file holds all of it.
    bool fitsOnPageFromStart();

    qint64 viewPos() const { return m_viewPos; }
    int horzOffset() const { return m_horzOffset; }
    void setHorzOffset(int pixels) { m_horzOffset = pixels; }
    void ScrollToPos(qint64 pos);
    void ScrollLineUp(int count);
    void ScrollLineDown(int count);
    void moveToStart();
    void moveToEnd();

    qint64 selStart() const { return m_selStart; }
    qint64 selLength() const { return m_selLength; }
    void SetSelection(qint64 start, qint64 length, bool scroll, bool fireEvent);
    // Selects the text line around pos, or with word the word around it, reaching at most
    // maxChars characters to each side.
    void SelectLineAt(qint64 pos, bool word = false, int maxChars = kMaxLineLength);
    void SelectAll();
    // The selected bytes as they are in the file, at most 16 MiB; nothing (with a message)
    // when they cannot be read.
    std::optional<QByteArray> selectedBytes();
    // The selected bytes (at most 16 MiB) as Windows-1252 bytes, one per character.
    QByteArray GetSelText();
    // The selected bytes as UTF-16 text in the file's byte order.
    QString GetSelTextW();

private:
    // A run of characters without line breaks whose start is a line start.
    struct KnownRun {
        qint64 start = -1;
        qint64 end = -1;
        bool holds(qint64 pos) const { return start < pos && pos <= end; }
    };
    struct SyncPoint {
        qint64 start;
        qint64 pureEnd; // [start, pureEnd) holds no line break
    };
    // Every kWrapMarkSpacing-th wrapped line start of one run, ascending, so that a step
    // back lays out a few lines instead of the whole run. Valid for one text area width.
    struct WrapMarks {
        qint64 runStart = -1;
        int areaWidth = -1;
        QList<qint64> starts;
    };
    static constexpr int kWrapMarkSpacing = 32;
    static constexpr qsizetype kMaxWrapMarks = 16384; // 128 KiB

    bool openFile();
    void closeFile();
    void reload();
    bool pageReachesEnd(qint64 from);
    void reportReadError();
    void buildCharTable();

    // A mask instead of a division, as it is asked for every character read.
    qint64 endPos() const { return fileSize() & -qint64(charSize()); }
    qint64 roundToChar(qint64 pos) const;
    qint64 blockSize() const;
    bool wrapping() const;

    TATBinHexLine layoutTextLine(qint64 start);
    TATBinHexLine layoutStepLine(qint64 start);
    qint64 skipLineBreak(qint64 pos);
    int wrapLength(QStringView chars) const;
    SyncPoint syncPointBefore(qint64 target);
    // The position of the last line break character before pos (a character position),
    // -1 when there is none, nothing when the bytes cannot be read.
    std::optional<qint64> lineBreakBefore(qint64 pos);
    qint64 wrapMarkBefore(qint64 runStart, qint64 target);
    void addWrapMark(qint64 pos);
    void forgetLayout();
    qint64 lineStartOf(qint64 pos);
    qint64 endViewPos();
    qint64 lastPageStart() const;
    void setViewPos(qint64 pos);
    void bringIntoView(qint64 pos);
    void bringIntoViewHorz(qint64 pos);

    ViewerFileSlot* m_slot;
    TATBinHexReporter* m_reporter = nullptr;
    TATBinHexLineMeasurer* m_measurer = nullptr;
    std::function<void()> m_onSelectionChange;
    TATBinHexBuffer m_buffer;
    FileAccess m_fileAccess = FileAccess::Read;

    QString m_fileName;
    TATBinHexMode m_mode = vbmodeText;
    TATEncoding m_textEncoding = vEncANSI;
    std::array<char16_t, 256> m_charTable{};
    ByteOrder m_unicodeOrder = ByteOrder::Undetermined;
    int m_offsetDigits = 8;

    int m_textWidth = 80;
    int m_textWidthHex = 16;
    int m_textWidthUHex = 8;
    bool m_textWrap = false;
    int m_textTabSize = 8;
    bool m_fontFixedPitch = false;
    int m_textSearchIndentVert = 5;
    int m_textSearchIndentHorz = 5;
    int m_linesPerPage = kDefaultLinesPerPage;

    qint64 m_viewPos = 0;
    int m_horzOffset = 0;
    qint64 m_selStart = 0;
    qint64 m_selLength = 0;
    KnownRun m_knownRun;
    WrapMarks m_wrapMarks;
};
