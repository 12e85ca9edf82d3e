#pragma once

#include "indexer/IndexRun.h"
#include "indexer/RunControl.h"
#include "indexer/ScannerWatch.h"
#include "widgets/WindowTask.h"

#include <QObject>
#include <QProcess>
#include <QTimer>

#include <memory>
#include <optional>

// Drives one indexing run from the main window: starts the list program as a child when
// the run needs a new drive list, waits for it tick by tick, then reads the list, builds
// and finishes. Every decision is RunControl's; this class holds the run, the child and
// the timers, and its task lets window events through between files so the close button
// works.
class IndexRunDriver : public QObject {
    Q_OBJECT

public:
    IndexRunDriver(const DatabasePaths& paths, QString controlFolder, QString nativeOwnFolder,
                   UserInterface& ui, QObject* parent = nullptr);
    ~IndexRunDriver() override;

    RunControl& control() { return m_control; }
    const RunControl::View& view() const { return m_control.view(); }
    // The database of the current or last run, and whether it re-indexed one.
    const QString& databaseName() const { return m_databaseName; }
    bool updatedDatabase() const { return m_updatedDatabase; }

    // The dialog was confirmed: the run starts, with the list program when asked for or
    // when there is no drive list yet. A run without the list program runs to its end here.
    void start(const IndexRun::Request& request, bool newDriveList);
    // The close button (BitBtn2).
    RunControl::CloseButton closeButton();

signals:
    void runStarted();
    void viewChanged();
    void captionChanged(const QString& text);
    void progressChanged(const QString& line);
    // The run is over; closeRequested when a close was asked for while it lasted.
    void runEnded(bool closeRequested);

private:
    void startListProgram();
    void waitTick();
    void continueRun();
    void endRun(const QString& finalStatus);
    void failRun(const QString& message);
    RunControl::ListProgram listProgramState() const;
    void showCaption(const QString& text);
    void showStatus(const QString& text);
    void scannerTick();

    const DatabasePaths& m_paths;
    QString m_controlFolder;
    QString m_ownFolder;
    UserInterface& m_ui;
    RunControl m_control;
    std::unique_ptr<IndexRun> m_run;
    QString m_databaseName;
    bool m_updatedDatabase = false;
    QProcess m_listProgram;
    bool m_listProgramStarted = false;
    QTimer m_waitTimer;     // UeberwachTimer
    QTimer m_progressTimer; // Timer1
    QTimer m_scannerTimer;  // checkDefenderTimer
    std::optional<ScannerWatch> m_scannerWatch;
    QString m_caption; // the caption last shown
    // The run's task: the window's caption and first status line, and the close button as
    // the cancel. The run asks at every file: events go through every 20 ms, often enough
    // for the close button and the timers, rarely enough to cost nothing.
    WindowTask m_task{{[this](const QString& text) { showCaption(text); },
                       [this](const QString& text) { showStatus(text); },
                       {}},
                      [this] { return m_control.cancelRequested(); },
                      20};
};
