#include "dialogs/TOKBottomDlg.h"

#include "dialogs/DialogPrompts.h"
#include "dialogs/MachPause.h"
#include "indexer/DriveListFilter.h"
#include "indexer/ExtensionPatterns.h"
#include "indexer/ListProgram.h"
#include "indexer/NewDatabaseChecks.h"
#include "platform/ChildProcess.h"
#include "platform/FileFacts.h"
#include "widgets/NamedControl.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int kPauseAfterChooser = 2000;
constexpr int kPauseAfterConfirmation = 1000;

const QColor kWithDocumentsColor(255, 255, 0);
const QColor kWithoutDocumentsColor(128, 128, 128);

// Keys that move between controls or close the dialog do not open the folder browser.
bool navigates(const QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta: return true;
    default: return false;
    }
}

// A native path from the clipboard becomes a program path where a mapped drive holds it.
QString folderFromClipboard(const QString& text)
{
    if (!QDir::isAbsolutePath(text))
        return text;
    const QString program = platform::programPath(text);
    return program.isEmpty() ? text : program;
}

} // namespace

TOKBottomDlg::TOKBottomDlg(DatabasePaths paths, QString controlFolder, UserInterface& ui,
                           NewDatabasePrompts* prompts, Pause pause, QWidget* parent)
    : QDialog(parent), m_paths(std::move(paths)), m_controlFolder(std::move(controlFolder)),
      m_ui(ui), m_pause(pause ? std::move(pause) : Pause(machPause))
{
    setObjectName(QStringLiteral("OKBottomDlg"));
    setModal(true);
    if (!prompts) {
        m_ownPrompts = std::make_unique<DialogPrompts>(this);
        prompts = m_ownPrompts.get();
    }
    m_prompts = prompts;
    buildControls();
}

TOKBottomDlg::~TOKBottomDlg() = default;

void TOKBottomDlg::buildControls()
{
    buildFields();
    buildPanel();
    buildExplanation();
    buildButtons();
    layOut();
    loadPatternChoices();
    AuswahlMitOhneIndizierungClick();

    connect(Edit1, &QLineEdit::textChanged, this, &TOKBottomDlg::Edit1Change);
    connect(Edit2, &QLineEdit::textChanged, this, &TOKBottomDlg::Edit2Change);
    connect(ComboBox1, &QComboBox::activated, this, &TOKBottomDlg::ComboBox1Click);
    connect(Button1, &QPushButton::clicked, this, &TOKBottomDlg::Button1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TOKBottomDlg::BitBtn2Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TOKBottomDlg::BitBtn2Click);
    connect(AuswahlMitOhneIndizierung, &QCheckBox::toggled, this,
            &TOKBottomDlg::AuswahlMitOhneIndizierungClick);
    connect(OrdnerwaehlenButton, &QPushButton::clicked, this,
            &TOKBottomDlg::OrdnerwaehlenButtonClick);
    connect(PfadausZwischenablageeinfgen1, &QAction::triggered, this,
            &TOKBottomDlg::PfadausZwischenablageeinfgen1Click);
    connect(OKBtn, &QPushButton::clicked, this, &TOKBottomDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TOKBottomDlg::buildFields()
{
    Label1 = namedNew<QLabel>("Label1", QStringLiteral("Name der Datenbank: "), this);
    Edit1 = namedNew<QLineEdit>("Edit1", this);

    Label2 = namedNew<QLabel>("Label2", QStringLiteral("Ausgewähltes Laufwerk oder Ordner:"), this);
    Edit2 = namedNew<QLineEdit>("Edit2", QStringLiteral("C:\\"), this);
    // Typing and clicking open the folder browser; the field only shows its choice.
    Edit2->setReadOnly(true);
    Edit2->installEventFilter(this);
    Edit2->setContextMenuPolicy(Qt::CustomContextMenu);
    OrdnerwaehlenButton = namedNew<QPushButton>("OrdnerwaehlenButton", this);
    OrdnerwaehlenButton->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    PopupMenu1 = namedNew<QMenu>("PopupMenu1", this);
    PfadausZwischenablageeinfgen1 =
        PopupMenu1->addAction(QStringLiteral("Pfad aus Zwischenablage einfügen"));
    PfadausZwischenablageeinfgen1->setObjectName(QStringLiteral("PfadausZwischenablageeinfgen1"));
    connect(Edit2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(Edit2->mapToGlobal(at)); });

    Label3 = namedNew<QLabel>("Label3", QStringLiteral("Endung(en) der Doviruzu-Dateien:"), this);
    Edit3 = namedNew<QLineEdit>("Edit3", QStringLiteral("*.txt"), this);
    Button1 = namedNew<QPushButton>("Button1", QStringLiteral("X"), this);
    ComboBox1 = namedNew<QComboBox>("ComboBox1", this);
    ComboBox1->hide();
    const QIcon dropDown = style()->standardIcon(QStyle::SP_ArrowDown);
    BitBtn1 = namedNew<QPushButton>("BitBtn1", dropDown, QString(), this);
    BitBtn1->hide();
    BitBtn2 = namedNew<QPushButton>("BitBtn2", dropDown, QString(), this);
}

void TOKBottomDlg::buildPanel()
{
    Panel1 = namedNew<QFrame>("Panel1", this);
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setAutoFillBackground(true);
    AuswahlMitOhneIndizierung = namedNew<QCheckBox>("AuswahlMitOhneIndizierung", Panel1);
    AuswahlMitOhneIndizierung->setChecked(true);
    Label7 = namedNew<QLabel>("Label7", Panel1);
    auto* panel = new QVBoxLayout(Panel1);
    panel->addWidget(AuswahlMitOhneIndizierung);
    panel->addWidget(Label7);
}

void TOKBottomDlg::buildExplanation()
{
    Label4 = namedNew<QLabel>("Label4",
                              QStringLiteral("Nach dem Sie OK betätigt haben, wird eine "
                                             "Hauptdateienliste erstellt.  Dafür wird das "),
                              this);
    if (platform::startAsksForRights()) {
        Label5 = namedNew<QLabel>("Label5",
                                  QStringLiteral("Programm \"ZedozoviDuzozazidozi.exe\" gestartet. "
                                                 "Dieses braucht Administratorrechte."),
                                  this);
        Label6 = namedNew<QLabel>("Label6",
                                  QStringLiteral("Deshalb müssen Sie die Frage der "
                                                 "Benutzerkontensteuerung mit \"Ja\" bestätigen."),
                                  this);
    } else {
        // The list program runs without asking for rights: it is named, nothing to confirm.
        Label5 = namedNew<QLabel>(
            "Label5", QStringLiteral("Programm \"%1\" gestartet.").arg(listprogram::fileName()),
            this);
        Label6 = namedNew<QLabel>("Label6", this);
        Label6->hide();
    }
    Image1 = namedNew<QLabel>("Image1", this);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(32, 32));
    Image1->hide();
}

void TOKBottomDlg::buildButtons()
{
    OKBtn = namedNew<QPushButton>("OKBtn", QStringLiteral("&OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = namedNew<QPushButton>("CancelBtn", QStringLiteral("&Abbruch"), this);
}

void TOKBottomDlg::layOut()
{
    const int side = Edit1->sizeHint().height() + 4;
    for (QPushButton* small : {OrdnerwaehlenButton, Button1, BitBtn1, BitBtn2})
        small->setFixedSize(side, side);
    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 0, 1, 1, 3);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Edit2, 1, 1, 1, 2);
    grid->addWidget(OrdnerwaehlenButton, 1, 3);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(Edit3, 2, 1);
    grid->addWidget(ComboBox1, 2, 1);
    grid->addWidget(Button1, 2, 2, Qt::AlignRight);
    grid->addWidget(BitBtn2, 2, 3);
    grid->addWidget(BitBtn1, 2, 3);
    grid->setColumnStretch(1, 1);

    auto* explanation = new QGridLayout;
    explanation->addWidget(Label4, 0, 0);
    explanation->addWidget(Label5, 1, 0);
    explanation->addWidget(Label6, 2, 0);
    explanation->addWidget(Image1, 0, 1, 3, 1);
    // Room for the picture, so showing it does not widen the dialog.
    explanation->setColumnMinimumWidth(1, 40);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(Panel1);
    layout->addLayout(explanation);
    layout->addLayout(buttons);
}

void TOKBottomDlg::prepareForNew(const QStringList& existingNames)
{
    prepare(false, existingNames);
    m_originalName.clear();
    Edit1->clear();
    Edit2->clear();
}

void TOKBottomDlg::prepareForUpdate(const QString& name, const QString& folder,
                                    const QString& extensions, bool withDocuments,
                                    const QStringList& existingNames)
{
    prepare(true, existingNames);
    m_originalName = name;
    Edit1->setText(name);
    Edit2->setText(folder);
    Edit3->setText(extensions);
    AuswahlMitOhneIndizierung->setChecked(withDocuments);
}

void TOKBottomDlg::prepare(bool updateMode, const QStringList& existingNames)
{
    m_updateMode = updateMode;
    m_existingNames = existingNames;
    m_runListProgram = true;
    m_handedOverName.clear();
    Image1->hide();
    loadPatternChoices();
}

void TOKBottomDlg::loadPatternChoices()
{
    QStringList patterns = extensions::rememberedPatterns(m_paths.extensionChoices());
    patterns.sort(Qt::CaseInsensitive);
    ComboBox1->clear();
    ComboBox1->addItems(patterns);
}

TOKBottomDlg::Choice TOKBottomDlg::choice() const
{
    return {m_handedOverName, Edit2->text(), Edit3->text(), !AuswahlMitOhneIndizierung->isChecked(),
            m_runListProgram};
}

void TOKBottomDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Edit1->setFocus();
}

bool TOKBottomDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Edit2)
        return QDialog::eventFilter(watched, event);
    const bool leftClick = event->type() == QEvent::MouseButtonPress &&
                           static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    const bool keyPress =
        event->type() == QEvent::KeyPress && !navigates(static_cast<QKeyEvent*>(event));
    if (!leftClick && !keyPress)
        return false;
    OrdnerwaehlenButtonClick();
    return true;
}

void TOKBottomDlg::Edit1Change()
{
    const QString typed = Edit1->text();
    const QString name = newdb::removeInvalidCharacters(typed, m_ui);
    if (name == typed)
        return;
    const qsizetype cursor = newdb::filterName(typed.left(Edit1->cursorPosition())).name.size();
    Edit1->setText(name);
    Edit1->setCursorPosition(int(cursor));
}

void TOKBottomDlg::Edit2Change()
{
    if (!newdb::checkDrive(Edit2->text(), m_ui))
        Edit2->clear();
}

void TOKBottomDlg::ComboBox1Click(int index)
{
    Edit3->setText(newdb::appendPattern(Edit3->text(), ComboBox1->itemText(index)));
}

void TOKBottomDlg::Button1Click()
{
    Edit3->clear();
}

void TOKBottomDlg::BitBtn2Click()
{
    // The list stays hidden, so the layout gives it no place: it takes the field's, and its
    // choices drop down under the field.
    ComboBox1->setGeometry(Edit3->geometry());
    ComboBox1->showPopup();
}

void TOKBottomDlg::AuswahlMitOhneIndizierungClick()
{
    const bool withDocuments = AuswahlMitOhneIndizierung->isChecked();
    QPalette palette = Panel1->palette();
    palette.setColor(QPalette::Window,
                     withDocuments ? kWithDocumentsColor : kWithoutDocumentsColor);
    Panel1->setPalette(palette);
    AuswahlMitOhneIndizierung->setText(
        withDocuments
            ? QStringLiteral("Mit Datenbankerstellung (ist durch Indizierung bei der Suche sehr "
                             "schnell)")
            : QStringLiteral("Ohne Datenbankerstellung (keine Indizierung der Daten)"));
    Label7->setText(
        withDocuments
            ? QStringLiteral("Benötigt ausreichend Festplattenspeicher zur Erstellung der Daten.")
            : QStringLiteral("Wenig Speicherbedarf, aber Suche langsamer als mit Indizierung."));
}

QString TOKBottomDlg::nativeStartFolder() const
{
    const QString mapped = platform::nativePath(m_rememberedFolder);
    if (!mapped.isEmpty() && QDir(mapped).exists())
        return mapped;
    if (QDir::isAbsolutePath(m_rememberedFolder) && QDir(m_rememberedFolder).exists())
        return m_rememberedFolder;
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

void TOKBottomDlg::OrdnerwaehlenButtonClick()
{
    const std::optional<QString> chosen = m_prompts->chooseFolder(nativeStartFolder());
    if (!chosen)
        return;
    const QString folder = platform::programPath(*chosen);
    if (folder.isEmpty()) {
        m_ui.information(
            QStringLiteral("Der Ordner %1 liegt auf keinem zugeordneten Laufwerk.").arg(*chosen));
        return;
    }
    m_rememberedFolder = folder;
    Edit2->setText(folder);
    m_runListProgram = true;
    Image1->hide();
    const QString driveList = m_paths.driveList(folder[0]);
    if (!newdb::wantsNewDriveList(platform::exists(driveList) ? driveList : QString(), folder[0],
                                  *m_prompts))
        declineNewList(kPauseAfterChooser);
}

void TOKBottomDlg::PfadausZwischenablageeinfgen1Click()
{
    const QString folder = folderFromClipboard(QGuiApplication::clipboard()->text().trimmed());
    m_rememberedFolder = folder;
    Edit2->setText(folder);
    OrdnerwaehlenButtonClick();
}

void TOKBottomDlg::declineNewList(int pauseMilliseconds)
{
    Image1->show();
    m_runListProgram = false;
    m_pause(pauseMilliseconds);
}

void TOKBottomDlg::OKBtnClick()
{
    const newdb::Request request{Edit1->text(), Edit2->text(), Edit3->text(), m_updateMode,
                                 m_originalName};
    if (!newdb::confirm(request, m_existingNames, m_ui)) {
        reject();
        return;
    }
    if (m_updateMode)
        askAboutDriveListForUpdate();
    m_handedOverName = newdb::catalogueName(request.name, m_existingNames);
    accept();
}

void TOKBottomDlg::askAboutDriveListForUpdate()
{
    m_runListProgram = true;
    Image1->hide();
    const QChar drive = Edit2->text()[0];
    const QString driveList = drivelist::locate(m_paths.baseFolder(), m_controlFolder, drive);
    if (!newdb::wantsNewDriveList(driveList, drive, *m_prompts))
        declineNewList(kPauseAfterConfirmation);
}
