#include "searchwindow/TSuchForm.h"

#include "dialogs/TAnzeige_Anzahl_FundstellenForm.h"
#include "models/MainFormModel.h"
#include "platform/FileFacts.h"
#include "results/InternetBrowser.h"
#include "results/ResultPageWriter.h"
#include "results/WebsiteSearch.h"
#include "search/HandOver.h"
#include "search/HitCount.h"
#include "search/SearchDriver.h"
#include "search/SearchField.h"
#include "searchwindow/SortListPanel.h"
#include "searchwindow/SuchFormLayout.h"
#include "widgets/TATBinHex.h"
#include "widgets/WindowColors.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QWheelEvent>

namespace {

constexpr int kMinimumWidth = 1043;
constexpr int kMinimumHeight = 500;
constexpr int kLeftPanelWidth = 483;

void setBaseColor(QWidget* widget, QPalette::ColorRole role)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, QApplication::palette().color(role));
    widget->setPalette(palette);
}

} // namespace

TSuchForm::TSuchForm(const DatabasePaths& paths, UserInterface& ui, QWidget* parent)
    : QDialog(parent), m_paths(paths), m_ui(ui), m_navigator(ui), m_state(paths)
{
    setObjectName(QStringLiteral("SuchForm"));
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    m_countDialog = new TAnzeige_Anzahl_FundstellenForm(this);
    buildControls();
    createSortPanel();
    connectControls();
    Timer2.setSingleShot(true);
    Timer2.setInterval(50);
    Timer3.setInterval(100);
    connect(&Timer2, &QTimer::timeout, this, &TSuchForm::Timer2Timer);
    connect(&Timer3, &QTimer::timeout, this, &TSuchForm::Timer3Timer);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive && isVisible())
                    ApplicationActivate();
            });
}

TSuchForm::~TSuchForm()
{
    qApp->removeEventFilter(this);
    // The viewer reads through the slot, which goes with the members, before the children.
    delete Viewer;
}

// ---- showing, painting, sizes -----------------------------------------------------------

void TSuchForm::prepare(const QString& databaseName, bool pathListOnly, QSize size)
{
    // What the window showed in the previous database belongs to it alone.
    if (m_state.prepare(databaseName, pathListOnly)) {
        TntEdit1->clear();
        closeShownFile();
        m_titles = TitlePositionList();
    }
    m_size = size;
    m_firstPaint = true;
}

void TSuchForm::setBrowserLauncher(BrowserLauncher* launcher)
{
    m_launcher = launcher;
    m_websites.reset();
    m_browser.reset();
}

void TSuchForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_escapePressed = false;
    qApp->installEventFilter(this);
    Timer3.start();
}

void TSuchForm::hideEvent(QHideEvent* event)
{
    Timer3.stop();
    qApp->removeEventFilter(this);
    QDialog::hideEvent(event);
}

void TSuchForm::paintEvent(QPaintEvent* event)
{
    if (m_firstPaint) {
        m_firstPaint = false;
        firstPaint();
    }
    updateEnabling();
    QDialog::paintEvent(event);
}

void TSuchForm::firstPaint()
{
    if (m_sortPanel->isOpen())
        m_sortPanel->SortAbbrechenButtonClick(); // closes the panel
    ViewerMemo->setToolTip(
        QStringLiteral("Markieren Sie den Text mit der linken Maustaste. Danach rechter "
                       "Maustastenklick.\r\nText kann dann über Popup-Menü in linkes "
                       "Sucheingabefeld eingefügt werden."));
    if (m_size.isValid())
        resize(fitWindowSize(m_size, minimumSize(),
                             screen() ? screen()->availableGeometry().size() : QSize()));
    TntEdit2->setFocus();
    Label1->setText(QStringLiteral("Geben Sie oben den Text ein den Sie suchen. Bei der Suche nach"
                                   "\r\neiner Datei setzen Sie das Raute - Zeichen # davor und "
                                   "betätigen\r\nden Schalter \"Suche im Pfad und Name der "
                                   "Dateien\" :   #Beispiel"));
    for (QWidget* each : std::initializer_list<QWidget*>{ZeilenAlsListeSortieren, SuchImInternetBtn,
                                                         OKBtn, Anz_FundstellenBtn, Label5,
                                                         TntLabel1, TntComboBox1, TntListBox1})
        each->setEnabled(false);
    setBaseColor(TntComboBox1, QPalette::Button);
    setBaseColor(TntListBox1, QPalette::Button);
    if (!m_websites) {
        m_browser = std::make_unique<InternetBrowser>(m_store, m_programs, *m_launcher, m_ui);
        m_websites = std::make_unique<WebsiteSearch>(
            m_paths, m_store, *m_browser, m_ui,
            [](const QString& text) { QGuiApplication::clipboard()->setText(text); });
    }
    m_websites->fill();
    TntComboBox1->clear();
    TntComboBox1->addItems(m_websites->topics());
    TntComboBox1->setCurrentIndex(m_websites->topicIndex());
    showSites();
    const Result<int> stored = m_store.readNumber(settings::kSplitterPos);
    // A stored position outside the window (a hand-edited setting) falls back.
    const bool fits = stored && *stored >= suchform::kSplitterMinimum &&
                      *stored <= width() - suchform::kSplitterMinimum;
    const int left = fits ? *stored : kLeftPanelWidth;
    Splitter1->setSizes({left, std::max(suchform::kSplitterMinimum, width() - left)});
}

// Every paint, except while a search, a count or a sort runs: a run disables its controls,
// and a paint must not enable them again (a second run could start from within the first).
void TSuchForm::updateEnabling()
{
    if (m_state.running() || m_sortPanel->building())
        return;
    for (const Family family : kFamilies)
        loadButton(family)->setEnabled(m_state.loadable(family));
    TntEdit2->setEnabled(true);
    const QString text = TntEdit2->text();
    if (m_state.maySearch(text))
        OKBtn->setEnabled(true);
    if (m_state.mayCount(text))
        Anz_FundstellenBtn->setEnabled(true);
    if (!TntEdit2->hasFocus() && !ViewerMemo->document()->isEmpty())
        ViewerMemo->ensureCursorVisible();
}

void TSuchForm::resizeEvent(QResizeEvent* event)
{
    hideHistory();
    QDialog::resizeEvent(event);
}

void TSuchForm::Splitter1Moved()
{
    m_store.write(settings::kSplitterPos, QString::number(PanelLinks->width()));
}

void TSuchForm::mousePressEvent(QMouseEvent* event)
{
    hideHistory();
    QDialog::mousePressEvent(event);
}

QPushButton* TSuchForm::loadButton(Family family) const
{
    const std::array<QPushButton*, 3> buttons{AnsiLadenButton, UTF8LadenButton, UnicodeLadenButton};
    return buttons[std::size_t(family)];
}

// ---- the main window's side -------------------------------------------------------------

void TSuchForm::closeShownFile()
{
    (void)Viewer->Open(QString());
    ViewerMemo->clear();
    ZeilenAlsListeSortieren->setEnabled(false);
    Label2->clear();
    Label8->clear();
    // The count of the text "in der angezeigten Datei" belongs to the file just closed.
    Label6->clear();
    m_navigator.reset();
    m_state.setDocumentLoaded(false);
}

QString TSuchForm::searchField() const
{
    return TntEdit2->text();
}

void TSuchForm::setSearchField(const QString& text)
{
    TntEdit2->setText(text);
}

void TSuchForm::setHandedOverText(const QString& text)
{
    TntEdit2->setText(text);
    Label8->setText(suchform::positionCaption(QStringLiteral("DB: "), m_state.database().name()));
}

QStringList TSuchForm::historyItems() const
{
    QStringList items;
    for (int i = 0; i < TntListBox2->count(); ++i)
        items.append(TntListBox2->item(i)->text());
    return items;
}

void TSuchForm::setHistory(const QStringList& items, bool grey)
{
    TntListBox2->clear();
    TntListBox2->addItems(items);
    QPalette palette = TntListBox2->palette();
    palette.setColor(QPalette::Base, grey ? QColor(0x80, 0x80, 0x80)
                                          : QApplication::palette().color(QPalette::Base));
    TntListBox2->setPalette(palette);
}

void TSuchForm::hideHistory()
{
    TntListBox2->hide();
    DateiensucheBtn->setVisible(m_state.fileNameMode());
}

void TSuchForm::writeResultPages()
{
    if (!m_browser)
        m_browser = std::make_unique<InternetBrowser>(m_store, m_programs, *m_launcher, m_ui);
    ResultPageWriter writer(m_paths, m_pageState, m_ui, m_task, m_browser.get());
    const ResultPageHeader header{m_state.database().name(), GrossKleinBeachten->isChecked(),
                                  NurGanzeWoerterCheckBox->isChecked(), m_state.searchCancelled()};
    m_pageState.browserOpened = false;
    (void)writer.writePageSet(m_state.hits(), TntEdit2->text(), header); // failures are shown there
}

// ---- left search field and file-name search ---------------------------------------------

void TSuchForm::TntEdit2Change()
{
    const QString text = TntEdit2->text();
    if (searchfield::isFileNameSearch(text)) {
        TntEdit1->setText(searchfield::fileNameText(text));
        m_state.setFileNameMode(true);
        DateiensucheBtn->show();
        windowcolors::setTextColor(DateiensucheBtn, Qt::darkGreen);
        OKBtn->setEnabled(false);
        Anz_FundstellenBtn->setEnabled(false);
        hideHistory();
        return;
    }
    m_state.setFileNameMode(false);
    DateiensucheBtn->hide();
    for (QLabel* label : {Label2, Label6, Label8})
        label->clear();
    TntEdit1->clear();
    (void)Viewer->Open(QString());
    ViewerMemo->clear();
    m_state.listsLeft();
    const bool filled = !text.trimmed().isEmpty();
    TntLabel1->setText(filled ? QStringLiteral("Suchtext: ") + text
                              : QStringLiteral("Es wurde kein Text eingegeben!"));
    OKBtn->setEnabled(filled);
    Anz_FundstellenBtn->setEnabled(filled && !m_state.pathListOnly());
    SuchImInternetBtn->setEnabled(filled);
    for (QPushButton* each : {OKBtn, Anz_FundstellenBtn, SuchImInternetBtn})
        windowcolors::setTextColor(each, filled ? Qt::darkGreen : Qt::gray);
    for (QWidget* each :
         std::initializer_list<QWidget*>{TntComboBox1, TntListBox1, Label5, TntLabel1}) {
        each->setEnabled(filled);
        setBaseColor(each, filled ? QPalette::Base : QPalette::Button);
    }
}

void TSuchForm::TntEdit2Enter()
{
    hideHistory();
    QPushButton* target = m_state.fileNameMode() ? DateiensucheBtn : OKBtn;
    target->setFocus();
    if (target->isEnabled())
        target->click();
}

void TSuchForm::TntEdit2Click()
{
    const std::optional<Family> chosen = m_state.chosenDocument();
    if (!chosen || Viewer->fileName().isEmpty()) {
        for (const Family family : kFamilies) {
            if (loadButton(family)->isEnabled()) {
                loadDocument(family);
                break;
            }
        }
    } else if (loadButton(*chosen)->isEnabled()) {
        loadDocument(*chosen);
    }
    if (TntListBox2->isHidden() && TntListBox2->count() > 0) {
        TntListBox2->setFixedWidth(Panel2->width());
        TntListBox2->show();
        DateiensucheBtn->hide();
    } else {
        hideHistory();
    }
    TntEdit2->setFocus();
}

void TSuchForm::TntListBox2Click()
{
    if (!TntListBox2->currentItem())
        return;
    TntEdit2->setText(TntListBox2->currentItem()->text());
    hideHistory();
    TntEdit2->setFocus();
    TntEdit2->deselect();
    TntEdit2->end(false);
}

void TSuchForm::DateiensucheBtnClick()
{
    if (!m_state.fileNameMode())
        return;
    m_fileForFiling = true;
    m_navigator.reset();
    Label6->clear();
    setHistory(historyItems(), false);
    (void)Viewer->Open(QString());
    ViewerMemo->clear();
    WeiterSuche->setEnabled(true);
    Label2->clear();
    Label8->setText(QStringLiteral("Dateienliste Position:"));
    m_state.fileListOpened();
    Viewer->setMode(vbmodeText);
    (void)Viewer->Open(m_state.database().descriptor());
    m_titles = TitlePositionList();
    ZeilenAlsListeSortieren->setEnabled(false);
    TntEdit1Change();
    WeiterSucheClick();
}

void TSuchForm::setLeftSearchText(const QString& text)
{
    if (!text.trimmed().isEmpty())
        TntEdit2->setText(text);
}

void TSuchForm::ApplicationActivate()
{
    if (const std::optional<QString> text = handover::read(handover::file(m_controlFolder)))
        TntEdit2->setText(*text);
}

// ---- keys, Esc and cancel ---------------------------------------------------------------

bool TSuchForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    // Esc anywhere in this window is recorded for Timer3, also while a run lets events through.
    if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            m_escapePressed = true;
            return true;
        }
    }
    if (type == QEvent::Wheel && routeWheel(watched, static_cast<QWheelEvent*>(event)))
        return true;
    if (watched == TntEdit2 && type == QEvent::MouseButtonPress) {
        QTimer::singleShot(0, this, &TSuchForm::TntEdit2Click);
    } else if (watched == TntEdit2 && type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            hideHistory();
    } else if (watched == ViewerMemo && type == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Tab:
            TntEdit1->setFocus();
            TntEdit1->end(false);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End: QCoreApplication::sendEvent(Viewer, event); return true;
        default: break;
        }
    } else if (watched == ViewerMemo->viewport() && type == QEvent::MouseButtonDblClick) {
        QTextCursor cursor =
            ViewerMemo->cursorForPosition(static_cast<QMouseEvent*>(event)->position().toPoint());
        cursor.movePosition(QTextCursor::StartOfBlock);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        ViewerMemo->setTextCursor(cursor);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// The wheel moves what lies under the pointer: over the right panel the viewer takes the
// focus, over the site list the list. The memo laid over the viewer shows only the page
// drawn, so its wheel turns go to the viewer. True when the event was passed on.
bool TSuchForm::routeWheel(QObject* watched, QWheelEvent* wheel)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    const int x = wheel->globalPosition().toPoint().x();
    const auto within = [x](const QWidget* area) {
        const int left = area->mapToGlobal(QPoint(0, 0)).x();
        return x >= left && x < left + area->width();
    };
    if (within(PanelRechts))
        Viewer->setFocus();
    // Ctrl+wheel zooms what the user reads: the memo and the viewer together, as the
    // settings' "+" and "-" do.
    if (within(PanelRechts) && (wheel->modifiers() & Qt::ControlModifier)) {
        const int notches = wheel->angleDelta().y() / 120;
        if (notches != 0)
            stepViewerFontSize(notches > 0 ? 1 : -1);
        return true;
    }
    if (TntListBox1->isEnabled() && TntListBox1->isVisible() && within(TntListBox1))
        TntListBox1->setFocus();
    if (watched != ViewerMemo->viewport())
        return false;
    QCoreApplication::sendEvent(Viewer->viewport(), wheel);
    return true;
}

void TSuchForm::Timer3Timer()
{
    if (!m_escapePressed)
        return;
    m_escapePressed = false;
    CancelBtnClick();
}

void TSuchForm::reject()
{
    CancelBtnClick();
}

// During a run only the cancel flag is set: the run ends, writes what it found and closes
// the window itself. A sorted-list build is cancelled, and the window closes once it stopped.
void TSuchForm::CancelBtnClick()
{
    if (m_state.running()) {
        m_state.requestCancel();
        emit searchProgressStopped();
        return;
    }
    if (m_sortPanel->building()) {
        m_closeAfterSort = true;
        m_sortPanel->SortAbbrechenButtonClick();
        return;
    }
    if (m_sortPanel->isOpen())
        m_sortPanel->SortAbbrechenButtonClick(); // closes the panel
    QDialog::reject();
}
