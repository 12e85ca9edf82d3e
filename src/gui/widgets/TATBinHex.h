#pragma once

#include "viewer/TATBinHexCore.h"
#include "viewer/TATBinHexReporter.h"
#include "viewer/TStrPositions.h"
#include "widgets/TATBinHexFontMeasurer.h"
#include "widgets/TATBinHexPanning.h"
#include "widgets/TATFileNotification.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QElapsedTimer>
#include <QTimer>

#include <memory>

class QMenu;
class QPlainTextEdit;
class TATBinHexHost;
class ViewerFileSlot;

// The viewer control: shows a file of any size through its core's three-block buffer,
// draws the lines the core lays out, keeps the screen line table for pointer and
// selection, and handles scroll bars, keys, mouse, wheel, clipboard and popup menu.
class TATBinHex : public QAbstractScrollArea, private TATBinHexReporter {
    Q_OBJECT

public:
    enum TATPopupCommand {
        vpCmdCopy = 0x1,
        vpCmdCopyHex = 0x2,
        vpCmdSelectLine = 0x4,
        vpCmdSelectAll = 0x8,
        vpCmdEncMenu = 0x10,
    };
    Q_DECLARE_FLAGS(TATPopupCommands, TATPopupCommand)

    static constexpr int kHorzLineStep = 200; // pixels per horizontal line step and key
    static constexpr int kAutoScrollPixels = 20;

    explicit TATBinHex(ViewerFileSlot* slot = nullptr, QWidget* parent = nullptr);
    ~TATBinHex() override;

    // The layout properties without their own setter here (TextTabSize, the search
    // indents, TextWidth...); call refresh() after changing them.
    TATBinHexCore& core() { return m_core; }
    void setHost(TATBinHexHost* host) { m_host = host; }
    // The memo that shows the page as text above the viewer; sized by the viewer.
    void setViewerMemo(QPlainTextEdit* memo) { m_memo = memo; }
    // Error messages go to a message box with the caption "Viewer" unless replaced.
    void setReporter(TATBinHexReporter* reporter);

    [[nodiscard]] bool Open(const QString& fileName, bool redraw = true);
    const QString& fileName() const { return m_core.fileName(); }
    TATBinHexMode Mode() const { return m_core.mode(); }
    void setMode(TATBinHexMode mode);
    void setTextEncoding(TATEncoding encoding);
    void setTextWrap(bool wrap);
    void setTextWidthFit(bool fit);
    void setTextGutter(bool gutter, int width = 10);
    void setTextColorError(const QColor& color) { m_textColorError = color; }
    void setTextColorGutter(const QColor& color) { m_textColorGutter = color; }
    TATPopupCommands textPopupCommands() const { return m_popupCommands; }
    void setTextPopupCommands(TATPopupCommands commands) { m_popupCommands = commands; }
    void setAutoReload(bool reload);
    void setAutoReloadBeep(bool beep) { m_autoReloadBeep = beep; }
    void setAutoReloadFollowTail(bool follow) { m_autoReloadFollowTail = follow; }

    void SetSelection(qint64 start, qint64 length, bool scroll, bool fireEvent);
    void SelectLineAt(qint64 pos, bool word = false);
    void SelectAll();
    QByteArray GetSelText() { return m_core.GetSelText(); }
    QString GetSelTextW() { return m_core.GetSelTextW(); }
    void ScrollToPos(qint64 pos, bool redraw = true);
    void ScrollLineUp(int count);
    void ScrollLineDown(int count);
    void CopyToClipboard(bool asHex);

    // Lays out the page again, updates both scroll bars and repaints.
    void refresh();
    // The screen line table of the page last laid out; points are viewport coordinates.
    const TStrPositions& screenLines() const { return m_lines; }
    qint64 posAt(QPoint point) const { return m_lines.posAt(point); }
    std::optional<QPoint> pointOf(qint64 pos) const { return m_lines.pointOf(pos); }
    int lineHeight() const { return m_measurer.metrics().height(); }
    int leftMargin() const { return m_textGutter ? m_textGutterWidth + 2 : 2; }
    bool isMouseSelecting() const { return m_mouseSelecting; }
    bool isPanning() const { return m_panning.isActive(); }
    // The popup menu as it would open now; the caller owns it.
    QMenu* createPopupMenu(QWidget* parent);

signals:
    void OnSelectionChange();
    void OnOptionsChange();
    void OnScroll();
    void OnFileReload();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void showError(const QString& text) override;

    void layoutPage();
    void applyClientSize();
    void applyFont();
    void drawLines(QPainter& painter);
    void drawSelection(QPainter& painter);
    void drawReadError(QPainter& painter);
    void outputPageToMemo();

    void updateScrollBars();
    void updateVertScrollBar();
    void updateHorzScrollBar();
    bool vertBarHasRange();
    bool horzBarHasRange() const;
    qint64 vertLineStep() const;
    void vertAction(int action);
    void horzAction(int action);
    void thumbTo(int position);
    int maxHorzOffset() const;
    void setHorzOffset(int pixels);
    void scrollHorz(int pixels);

    bool handleMovementKey(int key, bool ctrl);
    void startMouseSelection(QMouseEvent* event);
    void extendSelectionTo(qint64 pos);
    void autoScrollTick();
    void startPanning(QPoint anchor);
    void stopPanning();
    void panTick();
    void stepFontSize(int direction);
    void transferToLeftSearchField();
    void addEncodingMenu(QMenu& menu);
    void fileChanged();
    void startWatcher();
    bool showsUtf8Document() const;

    TATBinHexCore m_core;
    TATBinHexFontMeasurer m_measurer;
    TStrPositions m_lines;
    TATBinHexHost* m_host = nullptr;
    TATBinHexReporter* m_reporter = this;
    QPlainTextEdit* m_memo = nullptr;

    bool m_textWidthFit = false;
    bool m_textGutter = false;
    int m_textGutterWidth = 10;
    QColor m_textColorError{255, 0, 0};
    QColor m_textColorGutter{192, 192, 192};
    TATPopupCommands m_popupCommands{vpCmdCopy | vpCmdCopyHex | vpCmdSelectLine | vpCmdSelectAll |
                                     vpCmdEncMenu};
    bool m_autoReload = false;
    bool m_autoReloadBeep = false;
    bool m_autoReloadFollowTail = true;

    int m_widestRight = 0; // right end of the widest line on the page, unscrolled
    int m_horzMax = 0;
    int m_viewportHeight = 0;
    qint64 m_selAnchor = -1;
    bool m_mouseSelecting = false;
    QPoint m_pointer;
    QElapsedTimer m_sinceDoubleClick;
    QTimer m_autoScrollTimer;
    QTimer m_panTimer;
    TATBinHexPanning m_panning;
    TATFileNotification m_watcher;
    int m_reloading = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TATBinHex::TATPopupCommands)
