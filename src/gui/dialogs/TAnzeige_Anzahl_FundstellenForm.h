#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The answer of the last hit-count question; it stays until the next one.
struct HitCountAnswer {
    bool yesChosen = false;
    bool noChosen = false;
};

// The hit-count window: how often the search text occurs, and whether to search again
// with the result shown in the browser. Esc and the title bar's close button answer "Nein".
class TAnzeige_Anzahl_FundstellenForm : public QDialog {
    Q_OBJECT

public:
    explicit TAnzeige_Anzahl_FundstellenForm(QWidget* parent = nullptr);

    // Shows the text modally; the focus starts on "Ja" when the search window's choice for
    // it is set, else on "Nein". True for "Ja".
    bool ask(const QString& text, bool focusOnYes);
    const HitCountAnswer& answer() const { return m_answer; }

    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fitHeightToText(const QString& text);
    HitCountAnswer m_answer;
    bool m_focusOnYes = false;
    QPlainTextEdit* TntMemo1 = nullptr;
    QPushButton* JAButton = nullptr;
    QPushButton* NeinButton = nullptr;
};
