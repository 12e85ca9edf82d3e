#pragma once

#include "lists/SortedLists.h"
#include "store/Database.h"
#include "widgets/WindowTask.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QTimer>

#include <array>
#include <optional>

class DatabasePaths;
class QDialog;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;
class UserInterface;

// The search window's sort panel: builds the sorted lists of a database from the panel's
// buttons, shows the progress in ProgressBar1, Label4 and the window caption, and keeps
// only SortAbbrechenButton (and Esc, which the window watches) live while a build runs.
// The controls belong to the window; the flags and texts come from the core's SortPanel.
class SortListPanel : public QObject {
    Q_OBJECT

public:
    struct Controls {
        QDialog* window = nullptr;
        QFrame* Bevel5 = nullptr; // holds the panel's controls
        QLabel* Label4 = nullptr;
        QProgressBar* ProgressBar1 = nullptr;
        QPushButton* SortAbbrechenButton = nullptr;
        QRadioButton* nurWoerterButton = nullptr;
        QRadioButton* nurSaetzeButton = nullptr;
        QWidget* Panel2 = nullptr; // the internet panel makes room for the sort panel
        std::array<QPushButton*, 3> loadButtons{};
    };

    SortListPanel(const Controls& controls, const DatabasePaths& paths, UserInterface& ui,
                  QObject* parent);

    // Tests make the pieces and the memory budget small, so that a build spills runs.
    void setLimits(const SortListLimits& limits) { m_limits = limits; }

    // The settings window's question was answered Yes: the panel shows instead of Panel2.
    void open(const Database& database);
    bool isOpen() const { return m_panel.view().visible; }
    bool building() const { return m_building; }

    // SortierteListenErstellenButtonClick after the window closed its viewer: builds the
    // lists of every document; a failure or a missing document is shown in a message box.
    sortedlists::BuildEnd build(const Database& database);
    // Cancels a running build, or closes the panel when none runs.
    void SortAbbrechenButtonClick();
    void Timer1Timer();

private:
    void showCaption(const QString& text);
    void showProgress(qint64 position, qint64 maximum);

    sortlist::SortMode mode() const;
    void lockControls(QWidget* parent);
    void unlockControls();
    void enableLoadButtons();
    void showView();

    Controls m_controls;
    const DatabasePaths& m_paths;
    UserInterface& m_ui;
    sortedlists::SortPanel m_panel;
    // The build's task: the caption, Label4 and ProgressBar1. The core asks about every
    // 50 ms; the events that came meanwhile are handled then.
    WindowTask m_task;
    SortListLimits m_limits;
    QTimer Timer1;
    std::optional<Database> m_database;
    bool m_building = false;
    QString m_shownCaption;
    QString m_shownLabel;
    // The controls a build disabled, with whether each was enabled of its own before.
    QList<QPair<QPointer<QWidget>, bool>> m_locked;
};
