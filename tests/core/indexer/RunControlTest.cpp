#include "indexer/RunControl.h"

#include "support/RecordingUserInterface.h"

#include <gtest/gtest.h>

namespace {

using ListProgram = RunControl::ListProgram;
using Wait = RunControl::Wait;

class RunControlTest : public testing::Test {
protected:
    // Each tick turns the clock by the tick interval, as the window's timer would.
    Wait tick(ListProgram state)
    {
        now += RunControl::kTickMs;
        return control.waitTick(state);
    }
    Wait ticks(int count, ListProgram state)
    {
        Wait last = Wait::KeepWaiting;
        for (int i = 0; i < count && last == Wait::KeepWaiting; ++i)
            last = tick(state);
        return last;
    }

    RecordingUserInterface ui;
    qint64 now = 1000000;
    RunControl control{ui, [this] { return now; }};
};

} // namespace

TEST_F(RunControlTest, UpdateRequestNeedsASelectedDatabase)
{
    EXPECT_FALSE(control.beginUpdateRequest(0, false));
    EXPECT_FALSE(control.beginUpdateRequest(3, false));
    ASSERT_EQ(ui.informations.size(), 2);
    EXPECT_EQ(ui.informations[0],
              QStringLiteral("Es existiert noch keine Datenbank! Betätigen Sie "
                             "bitte den Schalter \"Neue Datenbank erstellen\"."));
    EXPECT_EQ(ui.informations[1], QStringLiteral("Sie müssen zuerst eine Datenbank auswählen! Mit "
                                                 "linker Maustaste anklicken!"));
    // Nothing runs: the close button closes.
    EXPECT_EQ(control.closeButton(), RunControl::CloseButton::CloseWindow);
    EXPECT_TRUE(control.beginUpdateRequest(3, true));
}

// A list program that never starts ends the run after 120 ticks; the buttons come back.
TEST_F(RunControlTest, WaitTimesOutWhenTheListProgramIsNeverSeen)
{
    control.beginUpdateRequest(1, true);
    control.beginRun(true);
    control.beginWait();
    EXPECT_EQ(control.view().closeButtonCaption, RunControl::kCancelCaption);
    EXPECT_EQ(ticks(119, ListProgram::NotStarted), Wait::KeepWaiting);
    EXPECT_EQ(control.view().caption,
              QStringLiteral("Nimbra-Doviruzu wartet auf Erstellung der Hauptdatei-Liste! 0:0:59"));
    EXPECT_FALSE(control.view().startButtonsEnabled);
    EXPECT_FALSE(control.view().closeButtonEnabled);
    EXPECT_TRUE(ui.informations.isEmpty());

    EXPECT_EQ(tick(ListProgram::NotStarted), Wait::TimedOut);
    EXPECT_EQ(control.view().status,
              QStringLiteral("\"DeduridoZidirivovi.exe\" wurde abgebrochen, Vorgabezeit "
                             "überschritten oder noch nicht mit \"JA\" bestätigt!"));
    ASSERT_EQ(ui.informations.size(), 1);
    EXPECT_TRUE(ui.informations[0].startsWith(
        QStringLiteral("Die Vorgabezeit ist überschritten! Sie hätten in der Taskleiste")));
    EXPECT_TRUE(control.view().caption.isEmpty());
    EXPECT_TRUE(control.view().startButtonsEnabled);
    EXPECT_TRUE(control.view().closeButtonEnabled);
    EXPECT_FALSE(control.updateMode());
    EXPECT_FALSE(control.running());
    EXPECT_EQ(control.closeButton(), RunControl::CloseButton::CloseWindow);
}

// Seen after 50 s and running for ten minutes: no time-out, the run goes on at the first
// tick after it has ended.
TEST_F(RunControlTest, WaitFollowsAListProgramThatStartsLateAndRunsLong)
{
    control.beginRun(false);
    control.beginWait();
    EXPECT_EQ(ticks(100, ListProgram::NotStarted), Wait::KeepWaiting);
    EXPECT_EQ(ticks(1200, ListProgram::Running), Wait::KeepWaiting);
    EXPECT_TRUE(control.view().caption.isEmpty());
    EXPECT_EQ(tick(ListProgram::Finished), Wait::Continue);
    EXPECT_TRUE(ui.informations.isEmpty());
    EXPECT_FALSE(control.waiting());
    EXPECT_TRUE(control.running());
    EXPECT_EQ(control.view().closeButtonCaption, RunControl::kCloseCaption);
}

TEST_F(RunControlTest, ReindexWaitingForTheListProgramKeepsTheCancelCaption)
{
    ASSERT_TRUE(control.beginUpdateRequest(1, true));
    control.beginRun(true);
    control.beginWait();
    control.endUpdateRequest(); // the request returns while the list program runs
    EXPECT_EQ(control.view().closeButtonCaption, RunControl::kCancelCaption);
    EXPECT_EQ(control.closeButton(), RunControl::CloseButton::StopListProgram);

    // A list program that ended before the first tick counts as seen.
    control.beginRun(false);
    control.beginWait();
    EXPECT_EQ(tick(ListProgram::Finished), Wait::Continue);
}

TEST_F(RunControlTest, CloseButtonDuringTheWaitEndsTheListProgramAndTheRun)
{
    control.beginRun(false);
    control.beginWait();
    tick(ListProgram::Running);
    EXPECT_EQ(control.closeButton(), RunControl::CloseButton::StopListProgram);
    EXPECT_EQ(control.view().status,
              QStringLiteral("Indizierung wurde abgebrochen! Die Daten werden gespeichert"));
    EXPECT_TRUE(control.view().startButtonsEnabled);
    EXPECT_FALSE(control.running());
    EXPECT_TRUE(ui.informations.isEmpty()); // no box, unlike a time-out

    control.beginRun(false);
    control.listProgramFailed(QStringLiteral("kaputt"));
    EXPECT_EQ(control.view().status, QStringLiteral("kaputt"));
    EXPECT_EQ(ui.informations, QStringList{QStringLiteral("kaputt")});
    EXPECT_FALSE(control.running());
}

TEST_F(RunControlTest, CloseButtonCancelsWhatRunsFirstUpdateThenSearchThenIndexing)
{
    control.beginUpdateRequest(2, true);
    control.beginRun(true);
    EXPECT_EQ(control.closeButton(), RunControl::CloseButton::Cancelled);
    EXPECT_EQ(control.view().status, QStringLiteral("Aktualisierung wurde abgebrochen! "));
    EXPECT_TRUE(control.cancelRequested());
    EXPECT_TRUE(control.aborted());
    EXPECT_TRUE(control.view().closeButtonEnabled);

    // The update is no longer running: the next press cancels the indexing itself.
    EXPECT_EQ(control.closeButton(), RunControl::CloseButton::Cancelled);
    EXPECT_EQ(control.view().status,
              QStringLiteral("Indizierung wurde abgebrochen! Die Daten werden gespeichert"));
    EXPECT_FALSE(control.view().closeButtonEnabled);
    EXPECT_FALSE(control.finishRun(QStringLiteral("Fertig mit der abgebrochenen Indizierung.")));
    EXPECT_TRUE(control.view().closeButtonEnabled);

    control.setMainSearchRunning(true);
    EXPECT_EQ(control.closeButton(), RunControl::CloseButton::Cancelled);
    EXPECT_TRUE(control.cancelRequested());
    EXPECT_EQ(control.closeButton(), RunControl::CloseButton::CloseWindow);
}

// Past the file list a run can no longer be cancelled by the button: a close then waits for
// its end, and the next run starts with clean flags.
TEST_F(RunControlTest, CloseDuringJoinOrTitlePositionsWaitsForTheRunsEnd)
{
    control.beginRun(false);
    control.endOfListReading();
    EXPECT_EQ(control.closeButton(), RunControl::CloseButton::CloseAfterTheRun);
    EXPECT_TRUE(control.cancelRequested());
    EXPECT_TRUE(control.finishRun(QStringLiteral("Fertig mit der abgebrochenen Indizierung.")));
    EXPECT_FALSE(control.deferClose());

    control.beginRun(false);
    EXPECT_FALSE(control.cancelRequested());
    EXPECT_FALSE(control.aborted());
    EXPECT_TRUE(control.deferClose());
    EXPECT_TRUE(control.finishRun(QStringLiteral("Fertig mit der Indizierung.")));
}

TEST_F(RunControlTest, ProgressLineCountsFilesAndWholeSeconds)
{
    control.beginRun(false);
    now += 3725 * 1000 + 999;
    EXPECT_EQ(control.progressLine(1234567),
              QStringLiteral("Anzahl Dateien:     1.234.567     Zeit: 1:2:5"));
}

TEST(RunControlPatience, FiveDotsThenEmpty)
{
    int tick = 0;
    QStringList shown;
    for (int i = 0; i < 7; ++i)
        shown.append(RunControl::patienceDots(tick));
    EXPECT_EQ(shown, QStringList({"°", "° °", "° ° °", "° ° ° °", "° ° ° ° °", "", "°"}));
}
