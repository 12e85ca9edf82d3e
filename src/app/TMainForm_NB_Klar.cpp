#include "app/TMainForm_NB_Klar.h"

#include "app/QtColors.h"
#include "platform/SystemInfo.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
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

TMainForm_NB_Klar::TMainForm_NB_Klar(const StartInfo& start, UserInterface* ui, QWidget* parent)
    : QWidget(parent), m_ownUi(this), m_ui(ui ? *ui : m_ownUi),
      m_model(settings::SettingsStore(), m_ui)
{
    setObjectName(QStringLiteral("MainForm_NB_Klar"));
    buildControls();
    m_model.create(start.hasArguments, start.nativeWorkingFolder, start.nativeProgramFolder,
                   screenWidth());
}

void TMainForm_NB_Klar::buildControls()
{
    setMinimumSize(kMinimumWidth, kMinimumHeight);

    SpeedButton3 = new QPushButton(QStringLiteral("  Nimbra-Doviruzu 4.0"), this);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton3->setEnabled(false);
    SpeedButton3->setFlat(true);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->viewport()->installEventFilter(this);
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ListBox1Click(); });

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));

    BitBtn2 = new QPushButton(QStringLiteral("Schli&eßen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    connect(BitBtn2, &QPushButton::clicked, this, &QWidget::close);

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
    toolBar->addWidget(SpeedButton3);
    toolBar->addStretch();

    auto* bottom = new QHBoxLayout;
    auto* statusLines = new QVBoxLayout;
    statusLines->addWidget(Label1);
    statusLines->addWidget(Label2);
    bottom->addLayout(statusLines, 1);
    bottom->addWidget(BitBtn2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(toolBar);
    layout->addWidget(ListBox1, 1);
    layout->addLayout(bottom);
}

void TMainForm_NB_Klar::applyColors()
{
    const settings::SettingsStore store;
    const auto background = colors::StringToColor(store.readOrFallback(settings::kColor));
    const auto text = colors::StringToColor(store.readOrFallback(settings::kTextColor));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(background.value_or(colors::clHighlight)));
    setPalette(palette);
    setAutoFillBackground(true);
    QPalette labels = palette;
    labels.setColor(QPalette::WindowText, toQColor(text.value_or(colors::clWhite)));
    for (QLabel* label : {Label1, Label2})
        label->setPalette(labels);
}

void TMainForm_NB_Klar::paintEvent(QPaintEvent* event)
{
    // The rest of the start-up runs once, at the first painting.
    if (m_firstPaint) {
        m_firstPaint = false;
        firstPaint();
    }
    QWidget::paintEvent(event);
}

void TMainForm_NB_Klar::firstPaint()
{
    applyColors();
    resize(m_model.mainWindowSize().expandedTo(minimumSize()));
    const catalogue::Listing listing = m_model.listAtFirstPaint();
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
    m_model.selectDatabase(row, ListBox1->item(row)->text());
    Datenbankloeschen1->setText(m_model.deleteItemCaption());
    NurdieAnsiUtf8Unicodetxtlschen1->setEnabled(m_model.deleteDocumentsItemEnabled());
}

void TMainForm_NB_Klar::Datenbankloeschen1Click()
{
    m_model.deleteSelectedDatabase();
    fillList(m_model.relist(), 0);
    if (ListBox1->count() > 0)
        ListBox1Click();
}

void TMainForm_NB_Klar::NurdieAnsiUtf8Unicodetxtlschen1Click()
{
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
            if (ListBox1->count() > 0)
                PopupMenu1->popup(mouse->globalPosition().toPoint() + QPoint(10, 10));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm_NB_Klar::closeEvent(QCloseEvent* event)
{
    m_model.close(ListBox1->currentRow(), ListBox1->count(), size());
    event->accept();
}
