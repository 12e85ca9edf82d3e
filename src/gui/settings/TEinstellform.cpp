#include "settings/TEinstellform.h"

#include "searchwindow/TSuchForm.h"
#include "settings/BrowserSymbolPictures.h"
#include "settings/SettingsPictures.h"
#include "widgets/NamedControl.h"
#include "widgets/QtColors.h"
#include "widgets/TATBinHex.h"
#include "widgets/WindowColors.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The browser symbols in the window's order: keyword and control name.
struct SymbolControl {
    const QString& keyword;
    const char* name;
};
const std::array<SymbolControl, 7> kSymbolControls{{
    {browserkeyword::kStandard, "standard_Image"},
    {browserkeyword::kInternetExplorer, "ie_Image"},
    {browserkeyword::kEdge, "edge_Image"},
    {browserkeyword::kChrome, "chrome_Image"},
    {browserkeyword::kOpera, "opera_Image"},
    {browserkeyword::kSafari, "safari_Image"},
    {browserkeyword::kFirefox, "firefox_Image"},
}};

const QString kPlusCaption = u"+    "_s;
const QString kMinusCaption = u"-    "_s;

std::optional<QColor> colorDialog(QWidget* parent, const QColor& current)
{
    const QColor chosen = QColorDialog::getColor(current, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

} // namespace

TEinstellform::TEinstellform(const Windows& windows, UserInterface& ui,
                             const BrowserPrograms& programs, QWidget* parent)
    : QDialog(parent), m_windows(windows), m_ui(ui),
      m_chooseColor([this](const QColor& current) { return colorDialog(this, current); })
{
    setObjectName(u"Einstellform"_s);
    setWindowTitle(u"Einstellungen"_s);
    buildControls();
    createBrowserSymbols(programs);
}

// ---- controls ---------------------------------------------------------------------------

void TEinstellform::buildControls()
{
    const auto button = [this](const char* name, const QString& caption) {
        return named(new QPushButton(caption, this), name);
    };
    FarbenAendernButton = button("FarbenAendernButton", u"Fenster Hintergrund Farben ändern"_s);
    HinweistexteFarbenAendernButton =
        button("HinweistexteFarbenAendernButton", u"Hinweistexte Farben ändern"_s);
    SpeedButton1 = button("SpeedButton1", kPlusCaption);
    Label1 = named(new QLabel(u"Schriftgröße Text-Viewer"_s, this), "Label1");
    SpeedButton2 = button("SpeedButton2", kMinusCaption);
    Label2 = named(new QLabel(u"Diese Browser sind auf Ihrem PC installiert:"_s, this), "Label2");
    Label3 =
        named(new QLabel(u"Dieser Browser zeigt aktuell die Suchergebnisse an:"_s, this), "Label3");
    AktuellerBrowser_Image = named(new QLabel(this), "AktuellerBrowser_Image");
    Label4 = named(new QLabel(u"Symbol anklicken für Browser Auswahl."_s, this), "Label4");
    Label5 = named(new QLabel(u"Ihre Browser Standardeinstellung wird NICHT geändert."_s, this),
                   "Label5");
    leer_Image = named(new QLabel(this), "leer_Image");
    leer_Image->setPixmap(QPixmap::fromImage(browsersymbolpictures::emptyPicture()));
    leer_Image->hide();
    SuchtextInClipbrdCheckBox =
        named(new QCheckBox(u"Suchtext nach Suche in Zwischenablage kopieren"_s, this),
              "SuchtextInClipbrdCheckBox");
    KurzhinweisImViewerZeigenCheckBox =
        named(new QCheckBox(u"Kurzhinweis im Viewer an Mauscursor anzeigen"_s, this),
              "KurzhinweisImViewerZeigenCheckBox",
              u"Auswirkung erst nach dem Neustart von Nimbra_Klartext"_s);
    setCheckBoxes({});
    Button1 = button("Button1", u"Standard wieder herstellen"_s);
    SortierungAnzeigenBitBtn =
        button("SortierungAnzeigenBitBtn", u"       Sortierte Listen erstellen       "_s);
    OkButton = button("OkButton", u"OK"_s);
    OkButton->setDefault(true);
    AbbruchButton = button("AbbruchButton", u"&Abbruch"_s);

    connect(FarbenAendernButton, &QPushButton::clicked, this,
            &TEinstellform::FarbenAendernButtonClick);
    connect(HinweistexteFarbenAendernButton, &QPushButton::clicked, this,
            &TEinstellform::HinweistexteFarbenAendernButtonClick);
    connect(SpeedButton1, &QPushButton::clicked, this, &TEinstellform::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TEinstellform::SpeedButton2Click);
    connect(Button1, &QPushButton::clicked, this, &TEinstellform::Button1Click);
    connect(SortierungAnzeigenBitBtn, &QPushButton::clicked, this,
            &TEinstellform::SortierungAnzeigenBitBtnClick);
    connect(OkButton, &QPushButton::clicked, this, &TEinstellform::OkButtonClick);
    connect(AbbruchButton, &QPushButton::clicked, this, &TEinstellform::reject);

    auto* colors = new QHBoxLayout;
    colors->addWidget(FarbenAendernButton);
    colors->addWidget(HinweistexteFarbenAendernButton);
    auto* font = new QHBoxLayout;
    font->addWidget(SpeedButton1);
    font->addWidget(Label1);
    font->addWidget(SpeedButton2);
    font->addStretch(1);
    auto* current = new QHBoxLayout;
    current->addWidget(Label3);
    current->addWidget(AktuellerBrowser_Image);
    current->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Button1);
    bottom->addWidget(SortierungAnzeigenBitBtn);
    bottom->addStretch(1);
    bottom->addWidget(OkButton);
    bottom->addWidget(AbbruchButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(colors);
    layout->addLayout(font);
    layout->addWidget(Label2);
    layout->addLayout(buildBrowserRow());
    layout->addLayout(current);
    layout->addWidget(Label4);
    layout->addWidget(Label5);
    layout->addWidget(SuchtextInClipbrdCheckBox);
    layout->addWidget(KurzhinweisImViewerZeigenCheckBox);
    layout->addLayout(bottom);
}

QLayout* TEinstellform::buildBrowserRow()
{
    auto* row = new QHBoxLayout;
    for (std::size_t i = 0; i < kSymbolControls.size(); ++i) {
        m_symbols[i] = named(new QLabel(this), kSymbolControls[i].name);
        m_symbols[i]->installEventFilter(this);
        row->addWidget(m_symbols[i]);
    }
    row->addStretch(1);
    return row;
}

// The symbols of installed browsers show their pictures and hints; the others keep their
// place in the row with the empty picture and no hint, so they do not react to clicks.
void TEinstellform::createBrowserSymbols(const BrowserPrograms& programs)
{
    for (QLabel* symbol : m_symbols)
        symbol->hide();
    m_browsers = PruefeWelcheBrowserInstalliert(programs, settings::SettingsStore());
    for (std::size_t i = 0; i < m_symbols.size(); ++i) {
        const BrowserSymbol& symbol = m_browsers.symbols.at(qsizetype(i));
        QLabel* label = m_symbols[i];
        label->setPixmap(symbol.installed()
                             ? QPixmap::fromImage(browsersymbolpictures::picture(symbol.keyword))
                             : leer_Image->pixmap());
        label->setToolTip(symbol.hint);
        label->setCursor(symbol.installed() ? Qt::PointingHandCursor : Qt::ArrowCursor);
        label->show();
    }
    if (!m_browsers.current.isEmpty())
        AktuellerBrowser_Image->setPixmap(
            QPixmap::fromImage(browsersymbolpictures::picture(m_browsers.current)));
}

QLabel* TEinstellform::symbolLabel(const QString& keyword) const
{
    for (std::size_t i = 0; i < kSymbolControls.size(); ++i) {
        if (kSymbolControls[i].keyword == keyword)
            return m_symbols[i];
    }
    return nullptr;
}

bool TEinstellform::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (std::size_t i = 0; i < m_symbols.size(); ++i) {
            if (watched == m_symbols[i]) {
                browserSymbolClick(kSymbolControls[i].keyword);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TEinstellform::browserSymbolClick(const QString& keyword)
{
    if (chooseBrowserSymbol(m_browsers, keyword, settings::SettingsStore()))
        AktuellerBrowser_Image->setPixmap(symbolLabel(keyword)->pixmap());
}

// ---- showing and painting ---------------------------------------------------------------

void TEinstellform::showEvent(QShowEvent* event)
{
    m_model.opened(checkBoxes());
    updateEnabling();
    QDialog::showEvent(event);
}

void TEinstellform::paintEvent(QPaintEvent* event)
{
    updateEnabling();
    QDialog::paintEvent(event);
}

// The font buttons and the way to the sorted lists work on the search window: only while it
// is shown, and then the speed buttons show their pictures instead of the captions.
void TEinstellform::updateEnabling()
{
    const bool searchShown = m_windows.searchWindow && m_windows.searchWindow->isVisible();
    SortierungAnzeigenBitBtn->setEnabled(searchShown);
    SpeedButton1->setEnabled(searchShown);
    SpeedButton2->setEnabled(searchShown);
    if (m_picturesShown == searchShown)
        return;
    m_picturesShown = searchShown;
    SpeedButton1->setIcon(searchShown ? settingspictures::plus() : QIcon());
    SpeedButton1->setText(searchShown ? QString() : kPlusCaption);
    SpeedButton2->setIcon(searchShown ? settingspictures::minus() : QIcon());
    SpeedButton2->setText(searchShown ? QString() : kMinusCaption);
}

// ---- colours ----------------------------------------------------------------------------

void TEinstellform::applyStoredSettings()
{
    applyBackgroundColor(toQColor(m_model.background()));
    applyHintColor(toQColor(m_model.hintColor()));
    setCheckBoxes(m_model.storedCheckBoxes(checkBoxes()));
    if (m_windows.searchWindow)
        m_windows.searchWindow->setViewerHintsShown(KurzhinweisImViewerZeigenCheckBox->isChecked());
}

void TEinstellform::applyBackgroundColor(const QColor& color)
{
    windowcolors::setBackground(this, color);
    if (m_windows.searchWindow)
        m_windows.searchWindow->applyBackgroundColor(color);
    if (m_windows.newDatabaseDialog)
        windowcolors::setBackground(m_windows.newDatabaseDialog, color);
    emit backgroundColorApplied(color);
}

void TEinstellform::applyHintColor(const QColor& color)
{
    const SettingsWindowModel::HintColorControls& controls =
        SettingsWindowModel::hintColorControls();
    windowcolors::setTextColor(this, controls.settingsWindow, color);
    if (m_windows.mainWindow)
        windowcolors::setTextColor(m_windows.mainWindow, controls.mainWindow, color);
    if (m_windows.searchWindow)
        windowcolors::setTextColor(m_windows.searchWindow, controls.searchWindow, color);
    if (m_windows.newDatabaseDialog)
        windowcolors::setTextColor(m_windows.newDatabaseDialog, controls.newDatabaseDialog, color);
    emit hintColorApplied(color);
}

// One pixel wider and back: the main window lays itself out and paints anew.
void TEinstellform::nudgeMainWindow()
{
    if (QWidget* main = m_windows.mainWindow) {
        main->resize(main->width() + 1, main->height());
        main->resize(main->width() - 1, main->height());
    }
}

void TEinstellform::FarbenAendernButtonClick()
{
    const std::optional<QColor> chosen = m_chooseColor(toQColor(m_model.background()));
    if (!chosen)
        return;
    applyBackgroundColor(*chosen);
    m_model.backgroundChosen(toTColor(*chosen));
    nudgeMainWindow();
}

void TEinstellform::HinweistexteFarbenAendernButtonClick()
{
    const std::optional<QColor> chosen = m_chooseColor(toQColor(m_model.hintColor()));
    if (!chosen)
        return;
    m_model.hintColorChosen(toTColor(*chosen));
    applyHintColor(*chosen);
}

// ---- font, standard settings, closing ---------------------------------------------------

void TEinstellform::SpeedButton1Click()
{
    if (m_windows.searchWindow)
        m_windows.searchWindow->stepViewerFontSize(1);
}

void TEinstellform::SpeedButton2Click()
{
    if (m_windows.searchWindow)
        m_windows.searchWindow->stepViewerFontSize(-1);
}

void TEinstellform::Button1Click()
{
    m_model.restoreStandards();
    applyBackgroundColor(toQColor(colors::clBlack));
    if (TSuchForm* search = m_windows.searchWindow) {
        search->setViewerFontSize(SettingsWindowModel::kStandardFontSize);
        search->viewer()->ScrollLineDown(1);
        search->resize(SettingsWindowModel::kStandardSearchSize.expandedTo(search->minimumSize()));
    }
    emit standardSizesRestored();
    applyHintColor(toQColor(colors::clWhite));
    nudgeMainWindow();
}

void TEinstellform::OkButtonClick()
{
    const SettingsWindowModel::CheckBoxes boxes = checkBoxes();
    m_model.ok(boxes);
    if (m_windows.searchWindow)
        m_windows.searchWindow->setViewerHintsShown(boxes.showViewerHints);
    accept();
}

void TEinstellform::reject()
{
    const SettingsWindowModel::Restore restore = m_model.cancel();
    setCheckBoxes(restore.boxes);
    if (restore.background)
        applyBackgroundColor(toQColor(*restore.background));
    QDialog::reject();
}

// On Yes the search window shows the sorted-list panel in place of the internet panel and
// this window closes; the colours stay, the unstored check boxes go back.
void TEinstellform::SortierungAnzeigenBitBtnClick()
{
    TSuchForm* search = m_windows.searchWindow;
    if (!search || !m_ui.question(SettingsWindowModel::sortQuestion(search->databaseName())))
        return;
    search->openSortPanel();
    setCheckBoxes(m_model.closedWithoutOk().boxes);
    done(QDialog::Rejected);
}

SettingsWindowModel::CheckBoxes TEinstellform::checkBoxes() const
{
    return {SuchtextInClipbrdCheckBox->isChecked(), KurzhinweisImViewerZeigenCheckBox->isChecked()};
}

void TEinstellform::setCheckBoxes(const SettingsWindowModel::CheckBoxes& boxes)
{
    SuchtextInClipbrdCheckBox->setChecked(boxes.copySearchTerm);
    KurzhinweisImViewerZeigenCheckBox->setChecked(boxes.showViewerHints);
}
