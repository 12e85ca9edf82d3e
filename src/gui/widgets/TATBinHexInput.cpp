#include "widgets/TATBinHex.h"

#include "viewer/TATBinHexSelectionText.h"
#include "widgets/MoveCursors.h"
#include "widgets/TATBinHexHost.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>

#include <algorithm>

// The viewer widget's input: keys, mouse, wheel and its pop-up menu.

namespace {

constexpr int kMinFontPoints = 2;
constexpr int kMaxFontPoints = 72;

} // namespace

// ---- keys -------------------------------------------------------------------------------

void TATBinHex::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = modifiers == Qt::ControlModifier;
    if ((modifiers == Qt::NoModifier || ctrl) && handleMovementKey(event->key(), ctrl))
        return;
    if (ctrl && event->key() == Qt::Key_A) {
        SelectAll();
        return;
    }
    if (ctrl && (event->key() == Qt::Key_C || event->key() == Qt::Key_Insert)) {
        CopyToClipboard(false);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool TATBinHex::handleMovementKey(int key, bool ctrl)
{
    if (ctrl) {
        if (key == Qt::Key_Home)
            m_core.moveToStart();
        else if (key == Qt::Key_End)
            m_core.moveToEnd();
        else
            return false;
        refresh();
        return true;
    }
    switch (key) {
    case Qt::Key_Up: ScrollLineUp(1); return true;
    case Qt::Key_Down: ScrollLineDown(1); return true;
    case Qt::Key_PageUp: ScrollLineUp(m_core.linesPerPage()); return true;
    case Qt::Key_PageDown: ScrollLineDown(m_core.linesPerPage()); return true;
    case Qt::Key_Left: scrollHorz(-kHorzLineStep); return true;
    case Qt::Key_Right: scrollHorz(kHorzLineStep); return true;
    case Qt::Key_Home: scrollHorz(-m_core.horzOffset()); return true;
    case Qt::Key_End: scrollHorz(maxHorzOffset() - m_core.horzOffset()); return true;
    default: return false;
    }
}

// ---- mouse ------------------------------------------------------------------------------

void TATBinHex::mousePressEvent(QMouseEvent* event)
{
    m_pointer = event->position().toPoint();
    if (m_panning.isActive()) {
        stopPanning();
        return;
    }
    if (event->button() == Qt::MiddleButton) {
        startPanning(m_pointer);
        return;
    }
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const bool thirdClick = m_sinceDoubleClick.isValid() &&
                            m_sinceDoubleClick.elapsed() < QApplication::doubleClickInterval();
    m_sinceDoubleClick.invalidate();
    if (thirdClick)
        SelectLineAt(posAt(m_pointer));
    else
        startMouseSelection(event);
}

// Shift extends the selection from its start; otherwise a new one starts at the pointer.
void TATBinHex::startMouseSelection(QMouseEvent* event)
{
    const qint64 pos = posAt(m_pointer);
    const bool extend = event->modifiers() & Qt::ShiftModifier && m_core.selLength() > 0;
    m_selAnchor = extend ? m_core.selStart() : pos;
    m_mouseSelecting = true;
    extendSelectionTo(pos);
}

void TATBinHex::extendSelectionTo(qint64 pos)
{
    const qint64 start = std::min(m_selAnchor, pos);
    m_core.SetSelection(start, std::max(m_selAnchor, pos) - start, false, false);
    viewport()->update();
}

void TATBinHex::mouseMoveEvent(QMouseEvent* event)
{
    m_pointer = event->position().toPoint();
    if (m_memo && m_memo->isHidden() && !m_mouseSelecting)
        m_memo->show();
    if (m_panning.isActive()) {
        viewport()->setCursor(moveCursor(m_panning.directionTo(m_pointer)));
        return;
    }
    if (!m_mouseSelecting)
        return;
    extendSelectionTo(posAt(m_pointer));
    if (viewport()->rect().contains(m_pointer))
        m_autoScrollTimer.stop();
    else if (!m_autoScrollTimer.isActive())
        m_autoScrollTimer.start();
}

void TATBinHex::autoScrollTick()
{
    const QRect area = viewport()->rect();
    if (m_pointer.y() < area.top())
        m_core.ScrollLineUp(1);
    else if (m_pointer.y() > area.bottom())
        m_core.ScrollLineDown(1);
    else if (m_pointer.x() < area.left())
        setHorzOffset(m_core.horzOffset() - kAutoScrollPixels);
    else if (m_pointer.x() > area.right())
        setHorzOffset(m_core.horzOffset() + kAutoScrollPixels);
    layoutPage();
    extendSelectionTo(posAt(m_pointer));
    refresh();
}

void TATBinHex::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_mouseSelecting)
        return;
    m_mouseSelecting = false;
    m_autoScrollTimer.stop();
    emit OnSelectionChange();
}

void TATBinHex::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_panning.isActive()) {
        mousePressEvent(event);
        return;
    }
    m_mouseSelecting = false;
    SelectLineAt(posAt(event->position().toPoint()), true);
    m_sinceDoubleClick.start();
}

void TATBinHex::startPanning(QPoint anchor)
{
    m_panning.start(anchor);
    viewport()->setCursor(moveCursor(TATBinHexPanning::AB_MOVE));
    m_panTimer.start();
    viewport()->update();
}

void TATBinHex::stopPanning()
{
    if (!m_panning.isActive())
        return;
    m_panning.stop();
    m_panTimer.stop();
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->update();
}

void TATBinHex::panTick()
{
    const int amount = m_panning.amountTo(m_pointer);
    switch (m_panning.directionTo(m_pointer)) {
    case TATBinHexPanning::AB_MOVE_U: m_core.ScrollLineUp(amount); break;
    case TATBinHexPanning::AB_MOVE_D: m_core.ScrollLineDown(amount); break;
    case TATBinHexPanning::AB_MOVE_L: setHorzOffset(m_core.horzOffset() - amount); break;
    case TATBinHexPanning::AB_MOVE_R: setHorzOffset(m_core.horzOffset() + amount); break;
    case TATBinHexPanning::AB_MOVE: return;
    }
    refresh();
}

// ---- wheel ------------------------------------------------------------------------------

void TATBinHex::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    const int notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120;
    event->accept();
    if (notches == 0)
        return;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers & Qt::ControlModifier || m_mouseSelecting) {
        stepFontSize(notches > 0 ? 1 : -1);
        return;
    }
    const int lines = notches * QApplication::wheelScrollLines();
    if (modifiers & Qt::ShiftModifier || delta.y() == 0)
        scrollHorz(-lines * kAutoScrollPixels);
    else if (lines > 0)
        ScrollLineUp(lines);
    else
        ScrollLineDown(-lines);
}

// Steps by whole points until the line height changes, within 2 .. 72 points.
void TATBinHex::stepFontSize(int direction)
{
    QFont stepped = font();
    const int height = lineHeight();
    int points = qRound(QFontInfo(stepped).pointSizeF());
    do {
        const int next = points + direction;
        if (next < kMinFontPoints || next > kMaxFontPoints)
            break;
        points = next;
        stepped.setPointSize(points);
    } while (QFontMetrics(stepped).height() == height);
    if (stepped == font())
        return;
    setFont(stepped);
    emit OnOptionsChange();
}

// ---- popup menu -------------------------------------------------------------------------

void TATBinHex::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu(createPopupMenu(this));
    menu->exec(event->globalPos());
}

QMenu* TATBinHex::createPopupMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    if (m_popupCommands & vpCmdCopy) {
        QAction* transfer = menu->addAction(QStringLiteral("Text in Suchleiste links übertragen"));
        transfer->setEnabled(m_core.selLength() > 0);
        connect(transfer, &QAction::triggered, this, &TATBinHex::transferToLeftSearchField);
    }
    menu->addSeparator();
    if (m_popupCommands & vpCmdEncMenu)
        addEncodingMenu(*menu);
    return menu;
}

// Single-byte selections go over only while the host takes them; they are read by the
// family of the document shown.
void TATBinHex::transferToLeftSearchField()
{
    if (!m_host || (m_core.charSize() == 1 && !m_host->acceptsLeftSearchText()))
        return;
    const std::optional<QString> text = selectionText(m_core, false, showsUtf8Document());
    if (text)
        m_host->setLeftSearchText(*text);
}

// The encodings without a region first, then one submenu per region.
void TATBinHex::addEncodingMenu(QMenu& menu)
{
    QMenu* encodings = menu.addMenu(QStringLiteral("Encoding..."));
    encodings->setEnabled(m_core.charSize() == 1);
    QList<QMenu*> regions{encodings};
    for (int i = 0; i < kEncodingCount; ++i) {
        const auto encoding = TATEncoding(i);
        const int region = encodingRec(encoding).region;
        while (regions.size() <= region)
            regions.append(encodings->addMenu(encodingRegionName(int(regions.size()))));
        QAction* action =
            regions[region]->addAction(QString::fromLatin1(encodingRec(encoding).name));
        action->setCheckable(true);
        action->setChecked(encoding == m_core.textEncoding());
        action->setEnabled(encodingCharSize(encoding) == 1 && isEncodingAvailable(encoding));
        connect(action, &QAction::triggered, this, [this, encoding] {
            setTextEncoding(encoding);
            emit OnOptionsChange();
        });
    }
}
