#pragma once

#include "common/UserInterface.h"
#include "models/SearchWindowState.h"
#include "results/BrowserPrograms.h"
#include "results/ResultPageState.h"
#include "search/HitNavigator.h"
#include "search/SearchHit.h"
#include "search/SearchTermList.h"
#include "search/TitlePositionList.h"
#include "searchwindow/DesktopBrowserLauncher.h"
#include "store/DatabasePaths.h"
#include "store/Family.h"
#include "store/Settings.h"
#include "viewer/ViewerFileSlot.h"
#include "widgets/TATBinHexHost.h"
#include "widgets/WindowTask.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QColor;
class QFrame;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QWheelEvent;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QSplitter;
class QWidget;
class TATBinHex;
class TAnzeige_Anzahl_FundstellenForm;
class WebsiteSearch;
class SortListPanel;
class InternetBrowser;
class ToolTipGate;

// The search window: the left search field with its history, the local search and the hit
// count, the file-name search, and one document of the database in the viewer with its
// in-document search, title display and bookmark. The searches themselves are core
// operations; the window holds the controls, their enabling and the order of the steps.
class TSuchForm : public QDialog, private TATBinHexHost {
    Q_OBJECT

public:
    TSuchForm(const DatabasePaths& paths, UserInterface& ui, QWidget* parent = nullptr);
    ~TSuchForm() override;

    // Tests record the browser instead of starting one.
    void setBrowserLauncher(BrowserLauncher* launcher);
    // The control folder in use (empty: none), whose hand-over file a sibling program fills.
    void setControlFolder(const QString& controlFolder) { m_controlFolder = controlFolder; }

    // Before each showing: the database to search, whether it has documents and the size
    // the main window keeps for this window. Another database empties TntEdit1.
    void prepare(const QString& databaseName, bool pathListOnly, QSize size);
    // Closes the viewer's document, empties the memo and the two labels: before a search
    // start and when the main window selects another database.
    void closeShownFile();
    // The program-wide open-file slot; closing it releases every viewer's document.
    ViewerFileSlot& fileSlot() { return m_slot; }

    QString searchField() const;
    void setSearchField(const QString& text);
    // A handed-over text with the caption "DB: \"name\"  Position: ".
    void setHandedOverText(const QString& text);
    QStringList historyItems() const;
    void setHistory(const QStringList& items, bool grey);
    void hideHistory();

    // What the finished search leaves for the main window.
    const SearchHits& hitList() const { return m_state.hits(); }
    // The last search was refused or failed (its message was shown): nothing is finished.
    bool searchFailed() const { return m_state.searchFailed(); }
    // The last search was cancelled: its hits are those found so far.
    bool searchCancelled() const { return m_state.searchCancelled(); }
    SearchTermList::SearchOutcome searchOutcome() const { return m_state.outcome(); }
    // The result pages of the hit list; the first page opens in the browser.
    void writeResultPages();

    // Event handlers, public for the main window and the tests.
    void OKBtnClick();
    void Anz_FundstellenBtnClick();
    void WeiterSucheClick();
    void ZeigDieTitelAn();
    void AnsiLadenButtonClick() { loadDocument(Family::Ansi); }
    void UTF8LadenButtonClick() { loadDocument(Family::Utf8); }
    void UnicodeLadenButtonClick() { loadDocument(Family::Unicode); }
    void TntEdit2Change();
    void DateiensucheBtnClick();
    void ApplicationActivate();
    void LesezeichenBtnClick();
    void CancelBtnClick();
    void Timer3Timer();
    void TntEdit2Click();
    // The sorted lists: the settings window opens the panel (its question answered Yes).
    void openSortPanel();
    void SortierteListenErstellenButtonClick();
    void SortAbbrechenButtonClick();
    void ZeilenAlsListeSortierenClick();

    TATBinHex* viewer() const { return Viewer; }
    bool searchRunning() const { return m_state.searching(); }
    bool countRunning() const { return m_state.counting(); }
    std::optional<Family> shownDocument() const { return m_state.chosenDocument(); }
    bool fileNameSearchMode() const { return m_state.fileNameMode(); }

    void reject() override;

    // Appearance, set by the settings window and the main window's first painting.
    void applyBackgroundColor(const QColor& color);
    // The font of Viewer and ViewerMemo in points, kept within 6 to 72.
    void setViewerFontSize(int points);
    int viewerFontSize() const;
    // One point larger (1: the viewer scrolls a line down) or smaller (-1: a line up).
    void stepViewerFontSize(int step);
    void setViewerHintsShown(bool shown);
    bool viewerHintsShown() const;
    // SpeedButton2 opens the settings window through `open`; without it the button stays
    // disabled.
    void openSettingsWith(std::function<void()> open);
    const QString& databaseName() const { return m_state.database().name(); }
    const Database& database() const { return m_state.database(); }

signals:
    // The main window's status line and wait indicator follow a running search.
    void searchProgressStarted();
    void searchProgressStopped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool routeWheel(QObject* watched, QWheelEvent* wheel);
    // Viewer host.
    bool titleSearchRunning() const override { return false; }
    std::optional<Family> shownFamily() const override;
    void pageDrawn() override;
    bool acceptsLeftSearchText() const override { return true; }
    void setLeftSearchText(const QString& text) override;

    void buildControls();
    QWidget* buildToolBar();
    QWidget* buildLeftPanel();
    QWidget* buildRightPanel();
    QWidget* buildBottomPanel();
    void buildHiddenControls();
    void buildSortPanel();
    void createSortPanel();
    void connectControls();

    void firstPaint();
    void updateEnabling();
    void loadDocument(Family family);
    void openInViewer(const QString& document);
    void restoreBookmark(Family family);
    void loadHistory(Family family);
    void TntEdit1Change();
    void showHit(const HitNavigator::Hit& hit);
    void fileSearchTerm();
    void TntEdit2Enter();
    void TntListBox2Click();
    void Timer2Timer();
    void Splitter1Moved();
    void ViewerScrolled();

    void countHitsThenOfferSearch(bool startedBySearch);
    void searchConfirmed();
    void runSearch();
    void prepareRun();
    void closeDownRun();
    void finishRun();
    void copyToClipboard();
    void setRunControlsEnabled(bool enabled);
    void reloadUserDocument();
    void connectInternetPanel();
    void connectSortPanel();
    void showSites();
    QPushButton* loadButton(Family family) const;

    const DatabasePaths& m_paths;
    UserInterface& m_ui;
    settings::SettingsStore m_store;
    ViewerFileSlot m_slot;
    HitNavigator m_navigator;
    ResultPageState m_pageState;
    BrowserPrograms m_programs;
    DesktopBrowserLauncher m_desktop;
    BrowserLauncher* m_launcher = &m_desktop;
    std::unique_ptr<InternetBrowser> m_browser;
    std::unique_ptr<WebsiteSearch> m_websites;
    TAnzeige_Anzahl_FundstellenForm* m_countDialog = nullptr;

    QString m_controlFolder;
    SearchWindowState m_state;
    QSize m_size;
    bool m_firstPaint = true;
    bool m_utf8Bom = false;
    TitlePositionList m_titles;
    bool m_fileForFiling = false; // the next file-list hit files the left field's text
    // The task of the search, the count and the result pages: the caption of a search file
    // by file, the state's cancel request.
    WindowTask m_task{{[this](const QString& text) { setWindowTitle(text); }, {}, {}},
                      [this] { return m_state.cancelRequested(); }};
    bool m_escapePressed = false;

    QTimer Timer2;
    QTimer Timer3;
    ToolTipGate* m_viewerHintGate = nullptr; // holds back the viewer's hints while switched off
    SortListPanel* m_sortPanel = nullptr;
    bool m_closeAfterSort = false; // Esc or Cancel stopped a build: the window closes after it

    QWidget* ToolBar1 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QPushButton* SpeedButton3 = nullptr;
    QWidget* ToolButton1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* PanelLinks = nullptr;
    QLineEdit* TntEdit2 = nullptr;
    QPushButton* Button1 = nullptr;
    QListWidget* TntListBox2 = nullptr;
    QCheckBox* GrossKleinBeachten = nullptr;
    QCheckBox* NurGanzeWoerterCheckBox = nullptr;
    QPushButton* DateiensucheBtn = nullptr;
    QLabel* Label1 = nullptr;
    QWidget* Panel2 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* TntComboBox1 = nullptr;
    QListWidget* TntListBox1 = nullptr;
    QLabel* TntLabel1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* SortierteListenErstellenButton = nullptr;
    QPushButton* SortAbbrechenButton = nullptr;
    QFrame* Bevel5 = nullptr;
    QLabel* Label4 = nullptr;
    QWidget* RadioGroup1 = nullptr;
    QRadioButton* nurWoerterButton = nullptr;
    QRadioButton* nurSaetzeButton = nullptr;
    QRadioButton* WoerterUndSaetzeButton = nullptr;
    QWidget* PanelRechts = nullptr;
    QLineEdit* TntEdit1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* WeiterSuche = nullptr;
    QPushButton* LesezeichenBtn = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label2 = nullptr;
    QWidget* ViewerArea = nullptr;
    TATBinHex* Viewer = nullptr;
    QPlainTextEdit* ViewerMemo = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QLabel* Label6 = nullptr;
    QWidget* PanelUnten = nullptr;
    QPushButton* SuchImInternetBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* Anz_FundstellenBtn = nullptr;
    QPushButton* ZeilenAlsListeSortieren = nullptr;
    QPushButton* AnsiLadenButton = nullptr;
    QPushButton* UTF8LadenButton = nullptr;
    QPushButton* UnicodeLadenButton = nullptr;
    QPushButton* CancelBtn = nullptr;
    QCheckBox* chkUnicode = nullptr;
    QCheckBox* chkUnicodeBE = nullptr;
    QLineEdit* ClipbrdTntEdit = nullptr;
    QPlainTextEdit* TntMemo1 = nullptr;
    QCheckBox* PhraseCheckBox = nullptr;
    QCheckBox* OderCheckBox = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* Button4 = nullptr;
};
