#pragma once

#include "app/GuiUserInterface.h"
#include "app/MainFormModel.h"

#include <QWidget>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;

// The main window: the list of databases, status lines and the close button. It shows what
// MainFormModel decides and forwards its events there.
class TMainForm_NB_Klar : public QWidget {
    Q_OBJECT

public:
    struct StartInfo {
        bool hasArguments = false;
        QString nativeWorkingFolder;
        QString nativeProgramFolder;
    };

    TMainForm_NB_Klar(const StartInfo& start, UserInterface* ui = nullptr,
                      QWidget* parent = nullptr);

    const MainFormModel& model() const { return m_model; }
    QListWidget* databaseList() const { return ListBox1; }
    QMenu* popupMenu() const { return PopupMenu1; }

    void ListBox1Click();
    void Datenbankloeschen1Click();
    void NurdieAnsiUtf8Unicodetxtlschen1Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void applyColors();
    void firstPaint();
    void fillList(const QStringList& names, int selectedIndex);

    GuiUserInterface m_ownUi;
    UserInterface& m_ui;
    MainFormModel m_model;
    bool m_firstPaint = true;

    QListWidget* ListBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* SpeedButton3 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Datenbankloeschen1 = nullptr;
    QAction* NurdieAnsiUtf8Unicodetxtlschen1 = nullptr;
};
