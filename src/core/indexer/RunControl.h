#pragma once

#include "common/UserInterface.h"

#include <QString>

#include <functional>

// The main window's control of an indexing run, without the window: the run flags, what
// the close button does while a run lasts, the wait for the list program, and the texts
// and button states the window shows. The window forwards its clicks and timer ticks here
// and then shows view().
class RunControl {
public:
    static constexpr int kTickMs = 500;
    static constexpr int kWaitTicks = 120; // the list program must show up within 60 s

    static const QString kCloseCaption;  // "Schli&eßen"
    static const QString kCancelCaption; // "&Abbruch", while the list program runs

    struct View {
        QString status;  // Label1
        QString caption; // the window's caption while a run waits; empty: the usual one
        bool startButtonsEnabled = true; // SuchenBtn, NeuErstellenBtn, ErneutIndiziereBtn
        bool closeButtonEnabled = true;  // BitBtn2
        QString closeButtonCaption = kCloseCaption;
    };

    // What a press of the close button asks of the window.
    enum class CloseButton {
        CloseWindow,      // nothing runs: the program ends
        Cancelled,        // the running work stops at its next check
        StopListProgram,  // the run waited for the list program: end it, the run is over
        CloseAfterTheRun, // a run is past its cancellable part: close when it has ended
    };

    // One tick of the wait for the list program.
    enum class Wait { KeepWaiting, Continue, TimedOut };

    // The clock gives milliseconds; tests turn it by hand.
    explicit RunControl(UserInterface& ui, std::function<qint64()> clock = {});

    const View& view() const { return m_view; }
    void setStatus(const QString& text) { m_view.status = text; }

    // The re-index request around a run: "Es existiert noch keine Datenbank! ..." or "Sie
    // müssen zuerst ..." when nothing can be re-indexed; true when the run may start.
    bool beginUpdateRequest(int entryCount, bool entrySelected);
    void endUpdateRequest();

    // A run starts once the dialog was confirmed: the flags of the last run are cleared,
    // the start buttons disabled until its end.
    void beginRun(bool updateMode);
    bool running() const { return m_runActive; }
    bool updateMode() const { return m_updateMode; }
    bool cancelRequested() const { return m_cancelRequested; }
    bool aborted() const { return m_aborted; }
    // The file list has been read: the close button no longer cancels the indexing.
    void endOfListReading() { m_indexingRunning = false; }

    // The search window opened from the main window runs; the close button cancels it.
    void setMainSearchRunning(bool running) { m_mainSearchRunning = running; }

    // The list program as the wait sees it on a tick.
    enum class ListProgram { NotStarted, Running, Finished };
    // The list program was started; the window ticks every kTickMs from now.
    void beginWait();
    Wait waitTick(ListProgram state);
    bool waiting() const { return m_waiting; }
    // The list program could not start, failed or left no list: the message, and the run
    // ends with the database unchanged.
    void listProgramFailed(const QString& message);

    CloseButton closeButton();
    // A close of the window (title bar, a close message) while a run lasts: cancel, and
    // close when the run has ended. False when nothing runs and the window may close now.
    bool deferClose();

    // The end of a run: its closing status, buttons back, update mode cleared. Returns true
    // when a close was asked for during the run, so the window closes now.
    bool finishRun(const QString& finalStatus);

    // "Anzahl Dateien:     1.234     Zeit: 0:0:5" for the progress line.
    QString progressLine(qint64 processedFiles) const;
    qint64 elapsedSeconds() const;
    // The wait indicator's next text: "°", "° °", ... up to five, then empty, then again.
    static QString patienceDots(int& tick);

private:
    void endWithoutBuilding(const QString& status);

    UserInterface& m_ui;
    std::function<qint64()> m_clock;
    View m_view;
    qint64 m_runStart = 0;
    bool m_runActive = false;
    bool m_updateMode = false;
    bool m_updateRunning = false;
    bool m_indexingRunning = false;
    bool m_mainSearchRunning = false;
    bool m_cancelRequested = false;
    bool m_aborted = false;
    bool m_closePending = false;
    bool m_waiting = false;
    bool m_listSeen = false;
    bool m_listDone = false;
    int m_waitCounter = 0;
};
