#include "widgets/TATBinHex.h"

#include "platform/FileFacts.h"
#include "viewer/TATBinHexSelectionText.h"
#include "viewer/ViewerMemoText.h"
#include "widgets/MoveCursors.h"
#include "widgets/TATBinHexHost.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kTopMargin = 1;
constexpr int kMaxBarSteps = 32767;

// The fonts the program asks for, as this system has them.
void installFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Arial Unicode MS"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("@Arial Unicode MS"), QStringLiteral("DejaVu Sans"));
}

QFont defaultFont()
{
    installFontSubstitutes();
    return QFont(QStringLiteral("Courier New"), 10);
}

} // namespace

TATBinHex::TATBinHex(ViewerFileSlot* slot, QWidget* parent)
    : QAbstractScrollArea(parent), m_core(slot),
      m_measurer([this] { return viewport()->width() - leftMargin(); }), m_lines(m_core)
{
    m_core.setReporter(this);
    m_core.setMeasurer(&m_measurer);
    // Lines shown decoded in a memo are wrapped by their decoded width, so they fill it.
    m_measurer.setShownText([this](QStringView text) {
        const std::optional<Family> family =
            m_memo && m_host ? m_host->shownFamily() : std::nullopt;
        return family ? viewerMemoText(text.toString(), *family) : text.toString();
    });
    m_core.setOnSelectionChange([this] { emit OnSelectionChange(); });
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setMouseTracking(true);
    viewport()->setBackgroundRole(QPalette::Base);
    setFont(defaultFont());
    applyFont();
    m_autoScrollTimer.setInterval(50);
    m_panTimer.setInterval(100);
    connect(&m_autoScrollTimer, &QTimer::timeout, this, &TATBinHex::autoScrollTick);
    connect(&m_panTimer, &QTimer::timeout, this, &TATBinHex::panTick);
    connect(&m_watcher, &TATFileNotification::OnChanged, this, &TATBinHex::fileChanged);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &TATBinHex::vertAction);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, &TATBinHex::horzAction);
    resize(200, 150);
}

TATBinHex::~TATBinHex() = default;

void TATBinHex::setReporter(TATBinHexReporter* reporter)
{
    m_reporter = reporter ? reporter : this;
    m_core.setReporter(m_reporter);
}

void TATBinHex::showError(const QString& text)
{
    QMessageBox::critical(this, QStringLiteral("Viewer"), text);
}

// ---- file and properties ----------------------------------------------------------------

bool TATBinHex::Open(const QString& fileName, bool redraw)
{
    if (fileName == m_core.fileName())
        return true;
    m_watcher.stop();
    stopPanning();
    m_autoScrollTimer.stop();
    m_mouseSelecting = false;
    m_selAnchor = -1;
    m_horzMax = 0;
    const bool opened = m_core.Open(fileName);
    startWatcher();
    if (redraw)
        refresh();
    return opened;
}

void TATBinHex::startWatcher()
{
    if (m_autoReload && m_core.isOpen())
        m_watcher.start(platform::nativePath(m_core.fileName()));
}

void TATBinHex::setMode(TATBinHexMode mode)
{
    stopPanning();
    m_core.setMode(mode);
    refresh();
}

void TATBinHex::setTextEncoding(TATEncoding encoding)
{
    m_core.setTextEncoding(encoding);
    refresh();
}

void TATBinHex::setTextWrap(bool wrap)
{
    m_core.setTextWrap(wrap);
    refresh();
}

void TATBinHex::setTextWidthFit(bool fit)
{
    m_textWidthFit = fit;
    applyClientSize();
    refresh();
}

void TATBinHex::setTextGutter(bool gutter, int width)
{
    m_textGutter = gutter;
    m_textGutterWidth = std::max(0, width);
    m_core.fontChanged(); // the text area changed
    applyClientSize();
    refresh();
}

void TATBinHex::setAutoReload(bool reload)
{
    m_autoReload = reload;
    m_watcher.stop();
    startWatcher();
}

void TATBinHex::fileChanged()
{
    if (m_reloading > 0)
        return;
    ++m_reloading;
    if (!m_core.reopen(m_autoReloadFollowTail))
        m_watcher.stop();
    refresh();
    if (m_autoReloadBeep)
        QApplication::beep();
    emit OnFileReload();
    --m_reloading;
}

// ---- selection and scrolling ------------------------------------------------------------

void TATBinHex::SetSelection(qint64 start, qint64 length, bool scroll, bool fireEvent)
{
    m_core.SetSelection(start, length, scroll, fireEvent);
    refresh();
}

void TATBinHex::SelectLineAt(qint64 pos, bool word)
{
    m_core.SelectLineAt(pos, word);
    refresh();
}

void TATBinHex::SelectAll()
{
    m_core.SelectAll();
    refresh();
}

void TATBinHex::ScrollToPos(qint64 pos, bool redraw)
{
    m_core.ScrollToPos(pos);
    if (redraw)
        refresh();
}

void TATBinHex::ScrollLineUp(int count)
{
    m_core.ScrollLineUp(count);
    refresh();
}

void TATBinHex::ScrollLineDown(int count)
{
    m_core.ScrollLineDown(count);
    refresh();
}

bool TATBinHex::showsUtf8Document() const
{
    return m_host && m_host->shownFamily() == Family::Utf8;
}

void TATBinHex::CopyToClipboard(bool asHex)
{
    if (m_core.selLength() == 0)
        return;
    const std::optional<QString> text = selectionText(m_core, asHex, showsUtf8Document());
    if (!text)
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        m_reporter->showError(QStringLiteral("Cannot copy data to Clipboard"));
        return;
    }
    clipboard->setText(*text);
}

// ---- layout and painting ----------------------------------------------------------------

void TATBinHex::refresh()
{
    layoutPage();
    updateScrollBars();
    // The memo follows the page laid out, not only the page painted: where the memo covers
    // the whole viewer (no scroll bar), the viewer is never painted.
    if (!(m_host && m_host->titleSearchRunning()))
        outputPageToMemo();
    viewport()->update();
}

void TATBinHex::applyFont()
{
    m_measurer.setFont(font());
    const QFontMetrics& metrics = m_measurer.metrics();
    m_core.setFontFixedPitch(metrics.horizontalAdvance(u'W') == metrics.horizontalAdvance(u'.'));
    m_core.fontChanged();
    applyClientSize();
}

void TATBinHex::applyClientSize()
{
    m_viewportHeight = viewport()->height();
    m_core.setLinesPerPage((m_viewportHeight - 2) / lineHeight());
    if (m_textWidthFit) {
        const int digit = std::max(1, m_measurer.metrics().horizontalAdvance(u'0'));
        m_core.setTextWidth((viewport()->width() - leftMargin()) / digit);
    }
}

void TATBinHex::layoutPage()
{
    m_lines.clear(lineHeight());
    m_widestRight = 0;
    if (!m_core.lastReadOk())
        return;
    const bool measureWidth = horzBarHasRange();
    int y = kTopMargin;
    for (const TATBinHexLine& line : m_core.pageLines()) {
        m_lines.add({line.chars, leftMargin() - m_core.horzOffset(), y, line.start});
        if (measureWidth)
            m_widestRight =
                std::max(m_widestRight, leftMargin() + m_core.textX(line.chars, line.chars.size()));
        y += lineHeight();
    }
}

void TATBinHex::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    if (m_host && m_host->titleSearchRunning())
        return;
    layoutPage();
    QPainter painter(viewport());
    if (m_textGutter)
        painter.fillRect(0, 0, m_textGutterWidth, viewport()->height(), m_textColorGutter);
    if (m_core.lastReadOk()) {
        drawLines(painter);
        drawSelection(painter);
    } else {
        drawReadError(painter);
    }
    if (m_panning.isActive())
        painter.drawPixmap(m_panning.anchor() - QPoint(16, 16),
                           moveSymbol(TATBinHexPanning::AB_MOVE));
    painter.end();
    outputPageToMemo();
    if (m_host)
        m_host->pageDrawn();
}

void TATBinHex::drawLines(QPainter& painter)
{
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    painter.setClipRect(leftMargin(), 0, viewport()->width(), viewport()->height());
    const int ascent = m_measurer.metrics().ascent();
    for (const TStrPosition& line : m_lines.lines())
        painter.drawText(line.x, line.y + ascent, m_core.displayText(line.text));
}

// Inverts the selected characters, so that any colours stay readable.
void TATBinHex::drawSelection(QPainter& painter)
{
    if (m_core.selLength() == 0)
        return;
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const QRect& rect : m_lines.selectionRects(m_core.selStart(), m_core.selLength()))
        painter.fillRect(rect, Qt::white);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TATBinHex::drawReadError(QPainter& painter)
{
    painter.setPen(m_textColorError);
    painter.drawText(
        viewport()->rect(), Qt::AlignCenter,
        QStringLiteral("Read error at offset %1").arg(m_core.offsetText(m_core.viewPos())));
}

// The memo holds the page drawn, one memo line per laid-out line, tabs as spaces.
void TATBinHex::outputPageToMemo()
{
    if (!m_memo)
        return;
    m_memo->resize(m_memo->width(), height());
    const std::optional<Family> family = m_host ? m_host->shownFamily() : std::nullopt;
    QStringList texts;
    for (const TStrPosition& line : m_lines.lines()) {
        const QString shown = m_core.displayText(line.text);
        texts.append(family ? viewerMemoText(shown, *family) : shown);
    }
    // Compared with what the memo holds, not with what was written last: its owner may
    // have emptied it meanwhile.
    const QString text = texts.join(u'\n');
    if (text != m_memo->toPlainText())
        m_memo->setPlainText(text);
}

void TATBinHex::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const bool taller = viewport()->height() > m_viewportHeight;
    const bool followEnd = taller && m_core.isOpen() && m_core.viewShowsEnd();
    applyClientSize();
    if (followEnd)
        m_core.moveToEnd();
    refresh();
}

void TATBinHex::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        applyFont();
        refresh();
    }
}

// The page is drawn from the view position, never by moving pixels.
void TATBinHex::scrollContentsBy(int dx, int dy)
{
    Q_UNUSED(dx);
    Q_UNUSED(dy);
    viewport()->update();
}

// ---- scroll bars ------------------------------------------------------------------------

void TATBinHex::updateScrollBars()
{
    updateVertScrollBar();
    updateHorzScrollBar();
}

qint64 TATBinHex::vertLineStep() const
{
    return m_core.isTextMode() ? m_core.charSize() : m_core.lineStep();
}

bool TATBinHex::vertBarHasRange()
{
    return m_core.fileSize() > 0 && m_core.lastReadOk() &&
           !(m_core.isTextMode() && m_core.fitsOnPageFromStart());
}

// Scaled to at most 32,767 steps; the thumb stands where the view is in the file. The
// memo leaves the bar uncovered while it has a range.
void TATBinHex::updateVertScrollBar()
{
    QScrollBar* bar = verticalScrollBar();
    const bool hasRange = vertBarHasRange();
    if (m_memo)
        m_memo->resize(hasRange ? width() - 16 : width() + 4, m_memo->height());
    if (!hasRange) {
        bar->setRange(0, 0);
        return;
    }
    const qint64 size = m_core.fileSize();
    const int steps = int(std::clamp<qint64>(size / vertLineStep(), 4, kMaxBarSteps));
    const qint64 pageBytes =
        m_lines.lines().isEmpty()
            ? 0
            : m_core.nextLineStart(m_lines.lines().last().pos) - m_core.viewPos();
    bar->setRange(0, steps);
    bar->setPageStep(int(std::max<qint64>(1, steps * pageBytes / size)));
    bar->setValue(int(steps * m_core.viewPos() / size));
}

bool TATBinHex::horzBarHasRange() const
{
    if (!m_core.lastReadOk() || m_core.fileSize() == 0)
        return false;
    if (m_core.isTextMode() && m_core.textWrap())
        return false;
    return !(m_core.mode() == vbmodeBinary && m_textWidthFit && m_core.fontFixedPitch());
}

// The range only grows while a file is shown, so that the bar does not jump while the
// lines on the page change.
void TATBinHex::updateHorzScrollBar()
{
    QScrollBar* bar = horizontalScrollBar();
    if (!horzBarHasRange()) {
        bar->setRange(0, 0);
        return;
    }
    m_horzMax = std::max(m_horzMax, maxHorzOffset());
    bar->setRange(0, m_horzMax);
    bar->setPageStep(viewport()->width() + 1);
    bar->setSingleStep(kHorzLineStep);
    bar->setValue(m_core.horzOffset());
}

int TATBinHex::maxHorzOffset() const
{
    return std::max(0, m_widestRight - viewport()->width());
}

void TATBinHex::setHorzOffset(int pixels)
{
    m_core.setHorzOffset(std::clamp(pixels, 0, maxHorzOffset()));
}

void TATBinHex::scrollHorz(int pixels)
{
    setHorzOffset(m_core.horzOffset() + pixels);
    refresh();
}

void TATBinHex::vertAction(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: m_core.ScrollLineDown(1); break;
    case QAbstractSlider::SliderSingleStepSub: m_core.ScrollLineUp(1); break;
    case QAbstractSlider::SliderPageStepAdd: m_core.ScrollLineDown(m_core.linesPerPage()); break;
    case QAbstractSlider::SliderPageStepSub: m_core.ScrollLineUp(m_core.linesPerPage()); break;
    case QAbstractSlider::SliderToMinimum: m_core.moveToStart(); break;
    case QAbstractSlider::SliderToMaximum: m_core.moveToEnd(); break;
    case QAbstractSlider::SliderMove: thumbTo(verticalScrollBar()->sliderPosition()); break;
    default: break;
    }
    refresh();
    emit OnScroll();
}

// In proportion to the file size; a thumb moved back while the end is shown is ignored.
// ScrollToPos keeps a UTF-16 view on an even byte.
void TATBinHex::thumbTo(int position)
{
    const qint64 size = m_core.fileSize();
    const qint64 steps = std::clamp<qint64>(size / vertLineStep(), 1, kMaxBarSteps);
    const qint64 target = size * position / steps;
    if (target < m_core.viewPos() && m_core.viewShowsEnd())
        return;
    m_core.ScrollToPos(target);
}

void TATBinHex::horzAction(int action)
{
    const int offset = m_core.horzOffset();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: setHorzOffset(offset + kHorzLineStep); break;
    case QAbstractSlider::SliderSingleStepSub: setHorzOffset(offset - kHorzLineStep); break;
    case QAbstractSlider::SliderPageStepAdd: setHorzOffset(offset + viewport()->width()); break;
    case QAbstractSlider::SliderPageStepSub: setHorzOffset(offset - viewport()->width()); break;
    case QAbstractSlider::SliderToMinimum: setHorzOffset(0); break;
    case QAbstractSlider::SliderToMaximum: setHorzOffset(maxHorzOffset()); break;
    case QAbstractSlider::SliderMove: setHorzOffset(horizontalScrollBar()->sliderPosition()); break;
    default: break;
    }
    refresh();
    emit OnScroll();
}
