#include "app/TMainForm_NB_Klar.h"

#include "app/CloseMessage.h"
#include "app/DatabaseListDelegate.h"
#include "app/ProgramLogo.h"
#include "dialogs/TOKBottomDlg.h"
#include "platform/FileFacts.h"
#include "platform/SystemInfo.h"
#include "search/HandOver.h"
#include "search/SearchTermList.h"
#include "searchwindow/TSuchForm.h"
#include "settings/SettingsPictures.h"
#include "settings/TEinstellform.h"
#include "widgets/WindowColors.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int kMinimumWidth = 700;
constexpr int kMinimumHeight = 506;

int screenWidth()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 1024;
}

} // namespace

TMainForm_NB_Klar::TMainForm_NB_Klar(const StartInfo& start, UserInterface* ui,
                                     NewDatabasePrompts* prompts, QWidget* parent)
    : QWidget(parent), m_ownUi(this), m_ui(ui ? *ui : m_ownUi),
      m_model(settings::SettingsStore(), m_ui)
{
    setObjectName(QStringLiteral("MainForm_NB_Klar"));
    buildControls();
    m_model.create(start.hasArguments, start.nativeWorkingFolder, start.nativeProgramFolder,
                   screenWidth());
    createRunParts(start, prompts);
}

TMainForm_NB_Klar::~TMainForm_NB_Klar() = default;

void TMainForm_NB_Klar::createRunParts(const StartInfo& start, NewDatabasePrompts* prompts)
{
    m_driver = std::make_unique<IndexRunDriver>(m_model.paths(), m_model.controlFolder(),
                                                start.nativeProgramFolder, m_ui);
    connect(m_driver.get(), &IndexRunDriver::viewChanged, this, &TMainForm_NB_Klar::showRunView);
    connect(m_driver.get(), &IndexRunDriver::captionChanged, this,
            &TMainForm_NB_Klar::showRunCaption);
    connect(m_driver.get(), &IndexRunDriver::progressChanged, Label2, &QLabel::setText);
    connect(m_driver.get(), &IndexRunDriver::runStarted, this, [this] {
        m_patienceTick = 0;
        GedultTimer.start();
    });
    connect(m_driver.get(), &IndexRunDriver::runEnded, this, &TMainForm_NB_Klar::runEnded);
    m_dialog = new TOKBottomDlg(m_model.paths(), m_model.controlFolder(), m_ui, prompts, {}, this);
    connect(new CloseMessage(this), &CloseMessage::closeRequested, this, &QWidget::close);
    GedultTimer.setInterval(1000);
    connect(&GedultTimer, &QTimer::timeout, this, &TMainForm_NB_Klar::GedultTimerTimer);
    createSearchWindow();
    createSettingsWindow();
}

// Created before the first painting, which gives every window its stored colours through it.
void TMainForm_NB_Klar::createSettingsWindow()
{
    m_settingsForm =
        new TEinstellform({this, m_searchForm, m_dialog}, m_ui, BrowserPrograms(), this);
    connect(m_settingsForm, &TEinstellform::backgroundColorApplied, this,
            &TMainForm_NB_Klar::applyBackgroundColor);
    connect(m_settingsForm, &TEinstellform::hintColorApplied, this,
            &TMainForm_NB_Klar::applyHintColor);
    connect(m_settingsForm, &TEinstellform::standardSizesRestored, this,
            &TMainForm_NB_Klar::restoreStandardSizes);
    m_searchForm->openSettingsWith([this] { SpeedButton2Click(); });
}

void TMainForm_NB_Klar::createSearchWindow()
{
    m_searchForm = new TSuchForm(m_model.paths(), m_ui, this);
    m_searchForm->setControlFolder(m_model.controlFolder());
    connect(m_searchForm, &TSuchForm::searchProgressStarted, this, [this] {
        Label1->setText(QStringLiteral("Suche läuft..."));
        m_patienceTick = 0;
        GedultTimer.start();
    });
    connect(m_searchForm, &TSuchForm::searchProgressStopped, this, [this] {
        GedultTimer.stop();
        GeduldLabel->clear();
    });
}

void TMainForm_NB_Klar::buildControls()
{
    setMinimumSize(kMinimumWidth, kMinimumHeight);

    SpeedButton3 = new QPushButton(QStringLiteral("  Nimbra-Doviruzu 4.0"), this);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton3->setEnabled(false);
    SpeedButton3->setFlat(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(programLogo(40));
    Image1->setToolTip(QStringLiteral("Hier könnte Ihr Logo Eindruck machen!"));

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->viewport()->installEventFilter(this);
    ListBox1->setItemDelegate(new DatabaseListDelegate(ListBox1));
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ListBox1Click(); });

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));

    GeduldLabel = new QLabel(this);
    GeduldLabel->setObjectName(QStringLiteral("GeduldLabel"));

    const auto button = [this](const char* name, const QString& caption, const QString& hint) {
        auto* created = new QPushButton(caption, this);
        created->setObjectName(QLatin1String(name));
        created->setToolTip(hint);
        return created;
    };
    SuchenBtn = button("SuchenBtn", QStringLiteral("&Suchen"),
                       QStringLiteral("In der ausgewählten Datenbank wird nach Text gesucht."));
    connect(SuchenBtn, &QPushButton::clicked, this, [this] { SuchenBtnClick(); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, SuchenBtn, &QPushButton::click);
    NeuErstellenBtn = button("NeuErstellenBtn", QStringLiteral("  &Neue DB erstellen "),
                             QStringLiteral("Eine neue Datenbank wird  erstellt (indiziert)"));
    connect(NeuErstellenBtn, &QPushButton::clicked, this, [this] { NeuErstellenBtnClick(); });
    ErneutIndiziereBtn = button("ErneutIndiziereBtn", QStringLiteral("DB erneut indizieren"),
                                QStringLiteral("Ausgewählte Datenbank wird neu indiziert"));
    connect(ErneutIndiziereBtn, &QPushButton::clicked, this, [this] { ErneutIndiziereBtnClick(); });
    BitBtn2 = button("BitBtn2", RunControl::kCloseCaption, QString());
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    SpeedButton1 = button("SpeedButton1", QStringLiteral("?"), QString());
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    SpeedButton2 = button("SpeedButton2", QString(), QString());
    SpeedButton2->setIcon(settingspictures::settings());
    // Speed buttons lie flat on the tool bar: their text takes the hint colour.
    for (QPushButton* speed : {SpeedButton1, SpeedButton2})
        speed->setFlat(true);
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Datenbankloeschen1 = PopupMenu1->addAction(QStringLiteral("Datenbank komplett löschen"));
    Datenbankloeschen1->setObjectName(QStringLiteral("Datenbankloeschen1"));
    connect(Datenbankloeschen1, &QAction::triggered, this, [this] { Datenbankloeschen1Click(); });
    NurdieAnsiUtf8Unicodetxtlschen1 =
        PopupMenu1->addAction(MainFormModel::deleteDocumentsItemCaption());
    NurdieAnsiUtf8Unicodetxtlschen1->setObjectName(
        QStringLiteral("NurdieAnsiUtf8Unicodetxtlschen1"));
    connect(NurdieAnsiUtf8Unicodetxtlschen1, &QAction::triggered, this,
            [this] { NurdieAnsiUtf8Unicodetxtlschen1Click(); });

    auto* toolBar = new QHBoxLayout;
    toolBar->addWidget(Image1);
    toolBar->addWidget(SpeedButton3);
    toolBar->addStretch();
    toolBar->addWidget(SpeedButton1);
    toolBar->addWidget(SpeedButton2);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* each : {SuchenBtn, NeuErstellenBtn, ErneutIndiziereBtn})
        buttons->addWidget(each);

    auto* bottom = new QHBoxLayout;
    auto* statusLines = new QVBoxLayout;
    statusLines->addWidget(Label1);
    statusLines->addWidget(Label2);
    bottom->addLayout(statusLines, 1);
    auto* closeColumn = new QVBoxLayout;
    closeColumn->addWidget(GeduldLabel, 0, Qt::AlignHCenter);
    closeColumn->addWidget(BitBtn2);
    bottom->addLayout(closeColumn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(toolBar);
    layout->addWidget(ListBox1, 1);
    layout->addLayout(buttons);
    layout->addLayout(bottom);
}

// The settings window colours the listed controls; the list follows here.
void TMainForm_NB_Klar::applyBackgroundColor(const QColor& color)
{
    windowcolors::setBackground(this, color);
    QPalette list = ListBox1->palette();
    list.setColor(QPalette::Base, color);
    ListBox1->setPalette(list);
}

void TMainForm_NB_Klar::applyHintColor(const QColor& color)
{
    QPalette list = ListBox1->palette();
    list.setColor(QPalette::Text, color);
    ListBox1->setPalette(list);
}

// "Standard wieder herstellen": the standard size, centred on the screen; the search window
// opens in its standard size from now on.
void TMainForm_NB_Klar::restoreStandardSizes()
{
    resize(SettingsWindowModel::kStandardMainSize);
    if (const QScreen* shown = screen()) {
        const QRect area = shown->geometry();
        move((area.width() - width()) / 2, (area.height() - height()) / 2);
    }
    m_model.setSearchWindowSize(SettingsWindowModel::kStandardSearchSize);
}

void TMainForm_NB_Klar::paintEvent(QPaintEvent* event)
{
    // The rest of the start-up runs once, at the first painting.
    if (m_firstPaint) {
        m_firstPaint = false;
        firstPaint();
    }
    const int height = SuchenBtn->height();
    QFont font = SuchenBtn->font();
    font.setPointSize(height > 60 ? 16 : height > 44 ? 12 : 10);
    if (font != SuchenBtn->font())
        SuchenBtn->setFont(font);
    QWidget::paintEvent(event);
}

void TMainForm_NB_Klar::firstPaint()
{
    m_settingsForm->applyStoredSettings();
    resize(fitWindowSize(m_model.mainWindowSize(), minimumSize(),
                         screen() ? screen()->availableGeometry().size() : QSize()));
    const catalogue::Listing listing = m_model.listAtFirstPaint();
    m_searchForm->setViewerFontSize(m_model.viewerFontSize());
    fillList(listing.names, listing.selectedIndex);
    BitBtn2->setText(QStringLiteral("Schli&eßen"));
    setWindowTitle(MainFormModel::caption(platform::runsAsAdministrator()));
    if (ListBox1->count() > 0)
        ListBox1Click();
}

void TMainForm_NB_Klar::fillList(const QStringList& names, int selectedIndex)
{
    const QSignalBlocker blocker(ListBox1);
    ListBox1->clear();
    ListBox1->addItems(names);
    if (selectedIndex >= 0 && selectedIndex < ListBox1->count())
        ListBox1->setCurrentRow(selectedIndex);
}

void TMainForm_NB_Klar::ListBox1Click()
{
    const int row = ListBox1->currentRow();
    if (row < 0)
        return;
    m_searchForm->closeShownFile();
    m_model.selectDatabase(row, ListBox1->item(row)->text());
    Datenbankloeschen1->setText(m_model.deleteItemCaption());
    NurdieAnsiUtf8Unicodetxtlschen1->setEnabled(m_model.deleteDocumentsItemEnabled());
}

void TMainForm_NB_Klar::Datenbankloeschen1Click()
{
    m_searchForm->fileSlot().closeAll();
    m_model.deleteSelectedDatabase();
    fillList(m_model.relist(), 0);
    if (ListBox1->count() > 0)
        ListBox1Click();
}

void TMainForm_NB_Klar::NurdieAnsiUtf8Unicodetxtlschen1Click()
{
    m_searchForm->fileSlot().closeAll();
    m_model.deleteSelectedDocuments();
    ListBox1Click();
}

bool TMainForm_NB_Klar::eventFilter(QObject* watched, QEvent* event)
{
    // A right-button press opens the pop-up menu 10 pixels right of and below the pointer,
    // without changing the selection.
    if (watched == ListBox1->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            if (ListBox1->count() > 0 && !m_driver->control().running())
                PopupMenu1->popup(mouse->globalPosition().toPoint() + QPoint(10, 10));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm_NB_Klar::NeuErstellenBtnClick()
{
    runDialog(false);
}

void TMainForm_NB_Klar::ErneutIndiziereBtnClick()
{
    const int row = ListBox1->currentRow();
    if (m_driver->control().beginUpdateRequest(ListBox1->count(), row >= 0))
        runDialog(true);
    m_driver->control().endUpdateRequest();
    showRunView();
}

void TMainForm_NB_Klar::runDialog(bool updateMode)
{
    QStringList names;
    for (int i = 0; i < ListBox1->count(); ++i)
        names.append(ListBox1->item(i)->text());
    if (updateMode) {
        const QString name = ListBox1->currentItem()->text();
        const MainFormModel::UpdateFields fields = m_model.updateFields(name);
        m_dialog->prepareForUpdate(name, fields.folder, fields.extensions, fields.withDocuments,
                                   names);
    } else {
        m_dialog->prepareForNew(names);
    }
    if (m_dialog->exec() != QDialog::Accepted)
        return;
    const TOKBottomDlg::Choice choice = m_dialog->choice();
    m_searchForm->fileSlot().closeAll(); // the run rewrites the documents
    m_driver->start(
        {choice.name, choice.folder, choice.extensions, updateMode, choice.pathListOnly},
        choice.runListProgram);
}

void TMainForm_NB_Klar::SuchenBtnClick()
{
    m_searchForm->closeShownFile();
    Label1->clear();
    Label2->clear();
    if (ListBox1->currentRow() < 0) {
        m_ui.information(ListBox1->count() > 0
                             ? QStringLiteral("Markieren Sie eine Datenbank und betätigen Sie dann "
                                              "nochmal den Suchen Schalter!")
                             : QStringLiteral("Es existiert noch keine Datenbank! "));
        return;
    }
    const QString name = m_model.selectedName();
    m_searchForm->prepare(name, m_model.pathListOnly(), m_model.searchWindowSize());
    // The handed-over text is read before its file is deleted: it is used once.
    if (const std::optional<QString> text = handover::take(handover::file(m_model.controlFolder())))
        m_searchForm->setHandedOverText(*text);
    else
        m_searchForm->setSearchField(QString());
    const QString withoutDocuments = m_searchForm->database().searchTermListWithoutDocuments();
    if (m_model.pathListOnly() && platform::exists(withoutDocuments))
        m_searchForm->setHistory(SearchTermList::load(withoutDocuments).items(), true);
    m_searchForm->hideHistory();
    if (m_searchForm->exec() == QDialog::Accepted)
        fileSearchText();
}

// After "OK": the search text goes to the top of the history and into the lists of the
// documents that had a hit; a database without documents gets its result pages now.
void TMainForm_NB_Klar::fileSearchText()
{
    const QString text = m_searchForm->searchField().trimmed();
    if (text.isEmpty()) {
        m_ui.information(QStringLiteral("Sie haben keinen Suchtext eingegeben!"));
        GedultTimer.stop();
        return;
    }
    Label1->setText(QStringLiteral("Suche läuft."));
    GedultTimer.start();
    SearchTermList list(m_searchForm->historyItems());
    list.file(text);
    m_searchForm->setHistory(list.items(), false);
    if (Status saved =
            list.saveAfterSearch(m_searchForm->database(), m_searchForm->searchOutcome());
        !saved)
        m_ui.warning(saved.error());
    if (m_searchForm->searchFailed()) {
        Label1->setText(QStringLiteral("Die Suche ist fehlgeschlagen."));
    } else {
        if (m_model.pathListOnly())
            m_searchForm->writeResultPages();
        Label1->setText(m_searchForm->searchCancelled() ? QStringLiteral("Suche abgebrochen.")
                                                        : QStringLiteral("Fertig mit der Suche."));
    }
    GedultTimer.stop();
    GeduldLabel->clear();
}

void TMainForm_NB_Klar::SpeedButton2Click()
{
    m_settingsForm->exec();
}

void TMainForm_NB_Klar::BitBtn2Click()
{
    if (m_driver->closeButton() == RunControl::CloseButton::CloseWindow)
        close();
}

void TMainForm_NB_Klar::showRunView()
{
    const RunControl::View& view = m_driver->view();
    Label1->setText(view.status);
    // A modal window opened while the run lets events through would hold the run until it
    // closes: the search and the settings wait for the run's end as the two run buttons do.
    for (QPushButton* each : {SuchenBtn, NeuErstellenBtn, ErneutIndiziereBtn, SpeedButton2})
        each->setEnabled(view.startButtonsEnabled);
    BitBtn2->setEnabled(view.closeButtonEnabled);
    BitBtn2->setText(view.closeButtonCaption);
}

void TMainForm_NB_Klar::showRunCaption(const QString& text)
{
    // Per-file captions come faster than anyone can read them: one every 100 ms is shown,
    // and always the one that clears the caption.
    if (!text.isEmpty() && m_lastCaption.isValid() && m_lastCaption.elapsed() < 100)
        return;
    m_lastCaption.start();
    setWindowTitle(text.isEmpty() ? MainFormModel::caption(platform::runsAsAdministrator()) : text);
}

void TMainForm_NB_Klar::runEnded(bool closeRequested)
{
    GedultTimer.stop();
    GeduldLabel->clear();
    const catalogue::Listing listing =
        m_model.listAfterRun(m_driver->updatedDatabase(), m_driver->databaseName());
    fillList(listing.names, listing.selectedIndex);
    // The selection handler runs at every run end, so the path-list-only flag matches the
    // files the run left.
    ListBox1Click();
    showRunView();
    if (closeRequested)
        close();
}

void TMainForm_NB_Klar::GedultTimerTimer()
{
    GeduldLabel->setText(RunControl::patienceDots(m_patienceTick));
}

void TMainForm_NB_Klar::SpeedButton1Click()
{
    // A missing help file is not reported.
    const QString help = m_model.paths().baseFolder() + QStringLiteral("Hilfe_Nimbra_Klartext.pdf");
    if (platform::exists(help))
        QDesktopServices::openUrl(QUrl::fromLocalFile(platform::nativePath(help)));
}

void TMainForm_NB_Klar::closeEvent(QCloseEvent* event)
{
    // While the list program runs nothing is written yet: it is ended with the run.
    if (m_driver->control().waiting())
        m_driver->closeButton();
    // During a run: cancel it and close when it has ended, so nothing is left half written.
    if (m_driver->control().deferClose()) {
        event->ignore();
        return;
    }
    m_model.setViewerFontSize(m_searchForm->viewerFontSize());
    m_model.close(ListBox1->currentRow(), ListBox1->count(), size());
    event->accept();
}
