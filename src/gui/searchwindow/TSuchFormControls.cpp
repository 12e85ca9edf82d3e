#include "searchwindow/TSuchForm.h"

#include "platform/FileFacts.h"
#include "results/WebsiteSearch.h"
#include "searchwindow/SortListPanel.h"
#include "searchwindow/SuchFormLayout.h"
#include "searchwindow/WebsiteItemDelegate.h"
#include "widgets/NamedControl.h"
#include "widgets/TATBinHex.h"
#include "widgets/WindowColors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QUrl>
#include <QVBoxLayout>

// The search window's controls: created, named, laid out and connected.

namespace {

constexpr int kHistoryHeight = 155;

// The viewer fills the area; the memo lies over it, sized by the viewer.
class OverlayArea : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        for (QObject* child : children()) {
            if (auto* widget = qobject_cast<QWidget*>(child)) {
                if (qobject_cast<QPlainTextEdit*>(widget))
                    widget->move(0, 0);
                else
                    widget->setGeometry(rect());
            }
        }
    }
};

QFont viewerFont()
{
    QFont font(QStringLiteral("Arial Unicode MS"));
    font.setPixelSize(15);
    return font;
}

} // namespace

void TSuchForm::buildControls()
{
    Splitter1 = named(new QSplitter(Qt::Horizontal, this), "Splitter1");
    Splitter1->addWidget(buildLeftPanel());
    Splitter1->addWidget(buildRightPanel());
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildToolBar());
    layout->addWidget(Splitter1, 1);
    layout->addWidget(buildBottomPanel());
    buildHiddenControls();
}

QWidget* TSuchForm::buildToolBar()
{
    ToolBar1 = named(new QWidget(this), "ToolBar1");
    SpeedButton3 =
        named(new QPushButton(QStringLiteral("  Nimbra-Doviruzu 4.0"), ToolBar1), "SpeedButton3");
    SpeedButton3->setEnabled(false);
    SpeedButton3->setFlat(true);
    ToolButton1 = named(new QWidget(ToolBar1), "ToolButton1");
    SpeedButton1 = named(new QPushButton(QStringLiteral("?"), ToolBar1), "SpeedButton1");
    SpeedButton2 =
        named(new QPushButton(QStringLiteral("Einstellungen"), ToolBar1), "SpeedButton2");
    SpeedButton2->setEnabled(false); // until openSettingsWith()
    for (QPushButton* speed : {SpeedButton1, SpeedButton2})
        speed->setFlat(true); // on the tool bar's colour, with the hint colour as text
    auto* bar = new QHBoxLayout(ToolBar1);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(SpeedButton3);
    bar->addWidget(ToolButton1, 1); // the separator fills the width the buttons leave
    bar->addWidget(SpeedButton1);
    bar->addWidget(SpeedButton2);
    return ToolBar1;
}

QWidget* TSuchForm::buildLeftPanel()
{
    PanelLinks = named(new QWidget(this), "PanelLinks");
    PanelLinks->setMinimumWidth(suchform::kSplitterMinimum);
    TntEdit2 = named(new QLineEdit(PanelLinks), "TntEdit2",
                     QStringLiteral("Suchworteingabe. Linker Mausklick öffnet/schließt vorhandene "
                                    "Liste."));
    Button1 = named(new QPushButton(QStringLiteral("X"), PanelLinks), "Button1",
                    QStringLiteral("Suchworttext löschen."));
    TntListBox2 = named(new QListWidget(PanelLinks), "TntListBox2",
                        QStringLiteral("Linker Mausklick fügt die Auswahl ein."));
    TntListBox2->setFixedHeight(kHistoryHeight);
    TntListBox2->hide();
    GrossKleinBeachten =
        named(new QCheckBox(QStringLiteral("Groß / Kleinschr. beachten"), PanelLinks),
              "GrossKleinBeachten");
    NurGanzeWoerterCheckBox = named(new QCheckBox(QStringLiteral("Nur ganze Wörter"), PanelLinks),
                                    "NurGanzeWoerterCheckBox");
    DateiensucheBtn =
        named(new QPushButton(QStringLiteral("Suche im Pfad und Name der Dateien"), PanelLinks),
              "DateiensucheBtn");
    DateiensucheBtn->hide();
    Label1 = named(new QLabel(PanelLinks), "Label1");

    Panel2 = named(new QWidget(PanelLinks), "Panel2");
    Label5 = named(
        new QLabel(QStringLiteral("Für die Suche im Internet, hier eine Adresse wählen:"), Panel2),
        "Label5");
    TntComboBox1 = named(new QComboBox(Panel2), "TntComboBox1");
    TntListBox1 = named(new QListWidget(Panel2), "TntListBox1");
    TntLabel1 = named(new QLabel(QStringLiteral("Suchtext: "), Panel2), "TntLabel1");
    auto* internet = new QVBoxLayout(Panel2);
    internet->setContentsMargins(0, 0, 0, 0);
    for (QWidget* each :
         std::initializer_list<QWidget*>{Label5, TntComboBox1, TntListBox1, TntLabel1})
        internet->addWidget(each);

    buildSortPanel();

    auto* field = new QHBoxLayout;
    field->addWidget(TntEdit2, 1);
    field->addWidget(Button1);
    auto* layout = new QVBoxLayout(PanelLinks);
    layout->addLayout(field);
    layout->addWidget(TntListBox2);
    layout->addWidget(GrossKleinBeachten);
    layout->addWidget(NurGanzeWoerterCheckBox);
    layout->addWidget(DateiensucheBtn);
    layout->addWidget(Label1);
    layout->addWidget(Panel2, 1);
    layout->addWidget(Bevel5);
    layout->addStretch(0); // takes the room of Panel2 while the sort panel shows instead
    return PanelLinks;
}

// The sorted-list controls, framed by Bevel5; hidden until the settings window opens them.
void TSuchForm::buildSortPanel()
{
    Bevel5 = named(new QFrame(PanelLinks), "Bevel5");
    Bevel5->setFrameShape(QFrame::Box);
    Bevel5->setFrameShadow(QFrame::Sunken);
    Label4 = named(new QLabel(QStringLiteral("Sortierte Liste von: "), Bevel5), "Label4");
    ProgressBar1 = named(new QProgressBar(Bevel5), "ProgressBar1");
    ProgressBar1->setValue(0);
    SortierteListenErstellenButton =
        named(new QPushButton(QStringLiteral("Sortierte Listen erstellen"), Bevel5),
              "SortierteListenErstellenButton");
    SortAbbrechenButton = named(new QPushButton(QStringLiteral("Abbrechen / Schließen"), Bevel5),
                                "SortAbbrechenButton");
    RadioGroup1 = named(new QWidget(Bevel5), "RadioGroup1");
    nurWoerterButton =
        named(new QRadioButton(QStringLiteral("Nur Wörter"), RadioGroup1), "nurWoerterButton");
    nurWoerterButton->setChecked(true);
    nurSaetzeButton = named(new QRadioButton(QStringLiteral("Nur Sätze (Phrasen)"), RadioGroup1),
                            "nurSaetzeButton");
    WoerterUndSaetzeButton =
        named(new QRadioButton(QStringLiteral("Wörter und Sätze"), RadioGroup1),
              "WoerterUndSaetzeButton");
    auto* radios = new QVBoxLayout(RadioGroup1);
    for (QWidget* each :
         std::initializer_list<QWidget*>{nurWoerterButton, nurSaetzeButton, WoerterUndSaetzeButton})
        radios->addWidget(each);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SortierteListenErstellenButton);
    buttons->addWidget(SortAbbrechenButton);
    auto* layout = new QVBoxLayout(Bevel5);
    layout->addWidget(Label4);
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttons);
    layout->addWidget(RadioGroup1);
    Bevel5->hide();
}

// The object that drives the sorted-list build through the panel's controls.
void TSuchForm::createSortPanel()
{
    SortListPanel::Controls controls;
    controls.window = this;
    controls.Bevel5 = Bevel5;
    controls.Label4 = Label4;
    controls.ProgressBar1 = ProgressBar1;
    controls.SortAbbrechenButton = SortAbbrechenButton;
    controls.nurWoerterButton = nurWoerterButton;
    controls.nurSaetzeButton = nurSaetzeButton;
    controls.Panel2 = Panel2;
    controls.loadButtons = {AnsiLadenButton, UTF8LadenButton, UnicodeLadenButton};
    m_sortPanel = new SortListPanel(controls, m_paths, m_ui, this);
    m_sortPanel->setObjectName(QStringLiteral("SortPanel"));
}

QWidget* TSuchForm::buildRightPanel()
{
    PanelRechts = named(new QWidget(this), "PanelRechts");
    PanelRechts->setMinimumWidth(suchform::kSplitterMinimum);
    TntEdit1 = named(new QLineEdit(PanelRechts), "TntEdit1",
                     QStringLiteral("Suchwort eingeben für Textsuche in Liste"));
    Button2 = named(new QPushButton(QStringLiteral("X"), PanelRechts), "Button2",
                    QStringLiteral("Suchworttext löschen."));
    WeiterSuche = named(new QPushButton(QStringLiteral("Suchen"), PanelRechts), "WeiterSuche",
                        QStringLiteral("Suche im Dokument beginnen / weiter."));
    WeiterSuche->setEnabled(false);
    LesezeichenBtn = named(new QPushButton(QStringLiteral("Lesezeichen"), PanelRechts),
                           "LesezeichenBtn", QStringLiteral("Lesezeichen speichern"));
    Label8 = named(new QLabel(PanelRechts), "Label8");
    Label2 = named(new QLabel(PanelRechts), "Label2");
    // Its caption is shortened to the width it gets; a long one never widens the window.
    Label2->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    ViewerArea = new OverlayArea(PanelRechts);
    Viewer = named(new TATBinHex(&m_slot, ViewerArea), "Viewer");
    Viewer->setHost(this);
    Viewer->setFont(viewerFont());
    Viewer->setTextWrap(true);
    Viewer->setTextWidthFit(true);
    ViewerMemo = named(new QPlainTextEdit(ViewerArea), "ViewerMemo");
    ViewerMemo->setReadOnly(true);
    ViewerMemo->setFont(viewerFont());
    ViewerMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    ViewerMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ViewerMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ViewerMemo->setContextMenuPolicy(Qt::CustomContextMenu);
    ViewerMemo->installEventFilter(this);
    ViewerMemo->viewport()->installEventFilter(this);
    Viewer->setViewerMemo(ViewerMemo);
    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    Label6 = named(new QLabel(PanelRechts), "Label6");

    auto* search = new QHBoxLayout;
    search->addWidget(TntEdit1, 1);
    search->addWidget(Button2);
    search->addWidget(WeiterSuche);
    search->addWidget(LesezeichenBtn);
    auto* labels = new QHBoxLayout;
    labels->addWidget(Label8);
    labels->addWidget(Label2, 1);
    auto* layout = new QVBoxLayout(PanelRechts);
    layout->addLayout(search);
    layout->addLayout(labels);
    layout->addWidget(ViewerArea, 1);
    layout->addWidget(Label6);
    return PanelRechts;
}

QWidget* TSuchForm::buildBottomPanel()
{
    PanelUnten = named(new QWidget(this), "PanelUnten");
    const auto button = [this](const char* name, const QString& caption,
                               const QString& hint = QString()) {
        return named(new QPushButton(caption, PanelUnten), name, hint);
    };
    SuchImInternetBtn = button("SuchImInternetBtn", QStringLiteral("Suche im Internet"));
    OKBtn = button("OKBtn", QStringLiteral("Lokale Suche"),
                   QStringLiteral("Zeigt die Fundstellen der Dateien im Browser an."));
    Anz_FundstellenBtn =
        button("Anz_FundstellenBtn", QStringLiteral("Anz. Fundstellen?"),
               QStringLiteral("Zeigt die Gesamtanzahl der  Fundstellen in der Datenbank an."));
    ZeilenAlsListeSortieren = button("ZeilenAlsListeSortieren", QStringLiteral("Sortierte Liste"),
                                     QStringLiteral("Den Text in einer sortierten Liste anzeigen"));
    AnsiLadenButton = button("AnsiLadenButton", QStringLiteral("ANSI-Text"),
                             QStringLiteral("ANSI-Text-Dokument laden"));
    UTF8LadenButton = button("UTF8LadenButton", QStringLiteral("Utf8-Text"),
                             QStringLiteral("Utf8-Text-Dokument laden"));
    UnicodeLadenButton = button("UnicodeLadenButton", QStringLiteral("Unicode"),
                                QStringLiteral("Unicode-Text-Dokument laden"));
    CancelBtn = button("CancelBtn", QStringLiteral("Abbrechen"), suchform::kCancelHint);
    auto* layout = new QHBoxLayout(PanelUnten);
    for (QPushButton* each :
         {SuchImInternetBtn, OKBtn, Anz_FundstellenBtn, ZeilenAlsListeSortieren})
        layout->addWidget(each);
    layout->addStretch(1);
    for (QPushButton* each : {AnsiLadenButton, UTF8LadenButton, UnicodeLadenButton, CancelBtn})
        layout->addWidget(each);
    return PanelUnten;
}

void TSuchForm::buildHiddenControls()
{
    const auto hidden = [](QWidget* widget) {
        widget->hide();
        return widget;
    };
    chkUnicode = named(new QCheckBox(QStringLiteral("Unicode"), this), "chkUnicode");
    chkUnicodeBE = named(new QCheckBox(QStringLiteral("Unicode BE"), this), "chkUnicodeBE");
    ClipbrdTntEdit = named(new QLineEdit(this), "ClipbrdTntEdit");
    TntMemo1 = named(new QPlainTextEdit(this), "TntMemo1");
    PhraseCheckBox =
        named(new QCheckBox(QStringLiteral("Suche als Phrase (Satz)"), this), "PhraseCheckBox");
    OderCheckBox = named(new QCheckBox(QStringLiteral("die einen oder mehrere Suchbegriffe "
                                                      "enthalten (ODER)."),
                                       this),
                         "OderCheckBox");
    OderCheckBox->setChecked(true);
    SpinEdit1 = named(new QSpinBox(this), "SpinEdit1");
    SpinEdit1->setRange(1, 200);
    SpinEdit1->setValue(50);
    Label3 = named(new QLabel(QStringLiteral("Ergebnisse maximal anzeigen."), this), "Label3");
    Button4 = named(new QPushButton(QStringLiteral("Titelpositionen erstellen"), this), "Button4");
    for (QWidget* each :
         std::initializer_list<QWidget*>{chkUnicode, chkUnicodeBE, ClipbrdTntEdit, TntMemo1,
                                         PhraseCheckBox, OderCheckBox, SpinEdit1, Label3, Button4})
        hidden(each);
}

void TSuchForm::connectControls()
{
    connect(OKBtn, &QPushButton::clicked, this, &TSuchForm::OKBtnClick);
    connect(Anz_FundstellenBtn, &QPushButton::clicked, this, &TSuchForm::Anz_FundstellenBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TSuchForm::CancelBtnClick);
    connect(AnsiLadenButton, &QPushButton::clicked, this, &TSuchForm::AnsiLadenButtonClick);
    connect(UTF8LadenButton, &QPushButton::clicked, this, &TSuchForm::UTF8LadenButtonClick);
    connect(UnicodeLadenButton, &QPushButton::clicked, this, &TSuchForm::UnicodeLadenButtonClick);
    connect(WeiterSuche, &QPushButton::clicked, this, &TSuchForm::WeiterSucheClick);
    connect(DateiensucheBtn, &QPushButton::clicked, this, &TSuchForm::DateiensucheBtnClick);
    connect(LesezeichenBtn, &QPushButton::clicked, this, &TSuchForm::LesezeichenBtnClick);
    connect(Button1, &QPushButton::clicked, TntEdit2, &QLineEdit::clear);
    connect(Button2, &QPushButton::clicked, TntEdit1, &QLineEdit::clear);
    connect(TntEdit1, &QLineEdit::textChanged, this, &TSuchForm::TntEdit1Change);
    connect(TntEdit1, &QLineEdit::returnPressed, this, &TSuchForm::WeiterSucheClick);
    connect(TntEdit2, &QLineEdit::textChanged, this, &TSuchForm::TntEdit2Change);
    connect(TntEdit2, &QLineEdit::returnPressed, this, &TSuchForm::TntEdit2Enter);
    connect(TntEdit2, &QLineEdit::textEdited, this, &TSuchForm::hideHistory);
    TntEdit2->installEventFilter(this);
    connect(TntListBox2, &QListWidget::itemClicked, this, &TSuchForm::TntListBox2Click);
    connect(Splitter1, &QSplitter::splitterMoved, this, &TSuchForm::Splitter1Moved);
    connect(Viewer, &TATBinHex::OnScroll, this, &TSuchForm::ViewerScrolled);
    connect(SpeedButton1, &QPushButton::clicked, this, [this] {
        if (platform::exists(m_paths.helpFile()))
            QDesktopServices::openUrl(
                QUrl::fromLocalFile(platform::nativePath(m_paths.helpFile())));
    });
    connect(PhraseCheckBox, &QCheckBox::toggled, this,
            [this](bool checked) { OderCheckBox->setChecked(!checked); });
    connect(OderCheckBox, &QCheckBox::toggled, this,
            [this](bool checked) { PhraseCheckBox->setChecked(!checked); });
    connectInternetPanel();
    connectSortPanel();
    connect(ViewerMemo, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        PopupMenu1->clear();
        QAction* transfer =
            PopupMenu1->addAction(QStringLiteral("Text in Suchleiste links übertragen"));
        transfer->setEnabled(ViewerMemo->textCursor().hasSelection());
        connect(transfer, &QAction::triggered, this,
                [this] { setLeftSearchText(ViewerMemo->textCursor().selectedText()); });
        PopupMenu1->popup(ViewerMemo->mapToGlobal(at));
    });
}

// The internet panel acts through its own core; the window shows its lists, drawn by the
// core's item looks.
void TSuchForm::connectInternetPanel()
{
    const auto siteLook = [this](int row, bool selected, TColor window, TColor text) {
        return m_websites ? m_websites->TntListBox1DrawItem(row, selected, window, text)
                          : WebsiteSearch::ItemLook{};
    };
    const auto topicLook = [this](int row, bool selected, TColor window, TColor text) {
        return m_websites ? m_websites->TntComboBox1DrawItem(row, selected, window, text)
                          : WebsiteSearch::ItemLook{};
    };
    TntListBox1->setItemDelegate(new WebsiteItemDelegate(siteLook, this, TntListBox1));
    TntComboBox1->setItemDelegate(new WebsiteItemDelegate(topicLook, this, TntComboBox1));
    connect(TntComboBox1, qOverload<int>(&QComboBox::activated), this, [this](int topic) {
        m_websites->TntComboBox1Click(topic);
        showSites();
    });
    connect(TntListBox1, &QListWidget::currentRowChanged, this, [this](int site) {
        if (!m_websites)
            return;
        if (site >= 0)
            m_websites->TntListBox1Click(site);
        TntListBox1->setToolTip(m_websites->TntListBox1MouseMove());
    });
    connect(SuchImInternetBtn, &QPushButton::clicked, this, [this] {
        const WebsiteSearch::ButtonOutcome outcome = m_websites->SuchImInternetBtnClick(
            Panel2->isVisible(), TntEdit2->text(),
            m_store.read(settings::kCopySearchTerm) == QLatin1String("1"));
        if (outcome.showPanel) {
            TntListBox1->setCurrentRow(m_websites->siteIndex());
            Panel2->show();
        }
        TntLabel1->setText(outcome.label);
        if (outcome.searched)
            ViewerMemo->ensureCursorVisible();
    });
}
