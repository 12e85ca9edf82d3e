#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The notice window: a long text and the answers "Ja" (OK) and "Nein" (Cancel; also Esc
// and the title bar's close button).
class THinweisForm : public QDialog {
    Q_OBJECT

public:
    explicit THinweisForm(QWidget* parent = nullptr);

    // Replaces the text of Memo1.
    void setText(const QString& text);
    // Shows the text modally, in front of every other window; true for "Ja".
    bool ask(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};
