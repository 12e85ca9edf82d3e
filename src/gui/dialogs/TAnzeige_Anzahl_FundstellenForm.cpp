#include "dialogs/TAnzeige_Anzahl_FundstellenForm.h"

#include "dialogs/WindowPlacement.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TAnzeige_Anzahl_FundstellenForm::TAnzeige_Anzahl_FundstellenForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Anzeige_Anzahl_FundstellenForm"));
    setWindowTitle(QStringLiteral("Anzahl Fundstellen"));
    setModal(true);

    TntMemo1 = new QPlainTextEdit(this);
    TntMemo1->setObjectName(QStringLiteral("TntMemo1"));
    TntMemo1->setReadOnly(true);

    JAButton = new QPushButton(QStringLiteral("Ja"), this);
    JAButton->setObjectName(QStringLiteral("JAButton"));
    JAButton->setDefault(true);
    connect(JAButton, &QPushButton::clicked, this, &QDialog::accept);
    NeinButton = new QPushButton(QStringLiteral("Nein"), this);
    NeinButton->setObjectName(QStringLiteral("NeinButton"));
    connect(NeinButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(JAButton);
    buttons->addWidget(NeinButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TntMemo1);
    layout->addLayout(buttons);
    resize(460, 260);
}

bool TAnzeige_Anzahl_FundstellenForm::ask(const QString& text, bool focusOnYes)
{
    TntMemo1->setPlainText(text);
    fitHeightToText(text);
    m_focusOnYes = focusOnYes;
    return exec() == QDialog::Accepted;
}

// Tall enough for the whole message at the memo's width (an option line makes it longer),
// never beyond the screen.
void TAnzeige_Anzahl_FundstellenForm::fitHeightToText(const QString& text)
{
    const int textWidth =
        TntMemo1->viewport()->width() - 2 * int(TntMemo1->document()->documentMargin());
    const QRect needed = TntMemo1->fontMetrics().boundingRect(
        QRect(0, 0, std::max(textWidth, 100), 100000), Qt::TextWordWrap, text);
    const int chrome = height() - TntMemo1->viewport()->height();
    int wanted =
        std::max(260, needed.height() + chrome + 2 * int(TntMemo1->document()->documentMargin()) +
                          TntMemo1->fontMetrics().lineSpacing());
    if (const QScreen* shown = screen())
        wanted = std::min(wanted, shown->availableGeometry().height());
    resize(width(), wanted);
}

void TAnzeige_Anzahl_FundstellenForm::accept()
{
    m_answer = {true, false};
    QDialog::accept();
}

void TAnzeige_Anzahl_FundstellenForm::reject()
{
    m_answer = {false, true};
    QDialog::reject();
}

void TAnzeige_Anzahl_FundstellenForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
    (m_focusOnYes ? JAButton : NeinButton)->setFocus();
}
