#pragma once

#include "app/GuiUserInterface.h"
#include "app/IndexRunDriver.h"
#include "models/MainFormModel.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <memory>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class NewDatabasePrompts;
class TEinstellform;
class TOKBottomDlg;
class TSuchForm;

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

    // Without ui and prompts the windows' own message boxes, folder browser and notice
    // window are used; tests script them.
    TMainForm_NB_Klar(const StartInfo& start, UserInterface* ui = nullptr,
                      NewDatabasePrompts* prompts = nullptr, QWidget* parent = nullptr);
    ~TMainForm_NB_Klar() override;

    const MainFormModel& model() const { return m_model; }
    QListWidget* databaseList() const { return ListBox1; }
    QMenu* popupMenu() const { return PopupMenu1; }

    TOKBottomDlg* newDatabaseDialog() const { return m_dialog; }
    TSuchForm* searchWindow() const { return m_searchForm; }
    TEinstellform* settingsWindow() const { return m_settingsForm; }
    IndexRunDriver& runDriver() { return *m_driver; }

    void ListBox1Click();
    void SuchenBtnClick();
    void NeuErstellenBtnClick();
    void ErneutIndiziereBtnClick();
    void BitBtn2Click();
    void SpeedButton2Click();
    void Datenbankloeschen1Click();
    void NurdieAnsiUtf8Unicodetxtlschen1Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void createSettingsWindow();
    void applyBackgroundColor(const QColor& color);
    void applyHintColor(const QColor& color);
    void restoreStandardSizes();
    void firstPaint();
    void fillList(const QStringList& names, int selectedIndex);
    void createRunParts(const StartInfo& start, NewDatabasePrompts* prompts);
    void runDialog(bool updateMode);
    void showRunView();
    void showRunCaption(const QString& text);
    void runEnded(bool closeRequested);
    void GedultTimerTimer();
    void SpeedButton1Click();
    void createSearchWindow();
    void fileSearchText();

    GuiUserInterface m_ownUi;
    UserInterface& m_ui;
    MainFormModel m_model;
    bool m_firstPaint = true;
    std::unique_ptr<IndexRunDriver> m_driver;
    TOKBottomDlg* m_dialog = nullptr;
    TSuchForm* m_searchForm = nullptr;
    TEinstellform* m_settingsForm = nullptr;
    QTimer GedultTimer;
    QElapsedTimer m_lastCaption;
    int m_patienceTick = 0;

    QListWidget* ListBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* GeduldLabel = nullptr;
    QPushButton* SuchenBtn = nullptr;
    QPushButton* NeuErstellenBtn = nullptr;
    QPushButton* ErneutIndiziereBtn = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QPushButton* SpeedButton3 = nullptr;
    QLabel* Image1 = nullptr; // the logo
    QMenu* PopupMenu1 = nullptr;
    QAction* Datenbankloeschen1 = nullptr;
    QAction* NurdieAnsiUtf8Unicodetxtlschen1 = nullptr;
};
