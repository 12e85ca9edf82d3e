#include "indexer/RunControl.h"

#include "indexer/IndexRun.h"
#include "store/ByteSize.h"

#include <QDateTime>
#include <QStringList>

const QString RunControl::kCloseCaption = QStringLiteral("Schli&eßen");
const QString RunControl::kCancelCaption = QStringLiteral("&Abbruch");

namespace {

const QString kNoDatabase = QStringLiteral(
    "Es existiert noch keine Datenbank! Betätigen Sie bitte den Schalter \"Neue Datenbank "
    "erstellen\".");
const QString kSelectFirst =
    QStringLiteral("Sie müssen zuerst eine Datenbank auswählen! Mit linker Maustaste anklicken!");
const QString kUpdateCancelled = QStringLiteral("Aktualisierung wurde abgebrochen! ");
const QString kIndexingCancelled =
    QStringLiteral("Indizierung wurde abgebrochen! Die Daten werden gespeichert");
const QString kWaitingCaption =
    QStringLiteral("Nimbra-Doviruzu wartet auf Erstellung der Hauptdatei-Liste! ");
const QString kTimedOutStatus =
    QStringLiteral("\"DeduridoZidirivovi.exe\" wurde abgebrochen, Vorgabezeit überschritten "
                   "oder noch nicht mit \"JA\" bestätigt!");
const QString kTimedOutMessage = QStringLiteral(
    "Die Vorgabezeit ist überschritten! Sie hätten in der Taskleiste von Windows auf das "
    "blinkende Symbol mit dem Namen \"DeduridoZidirivovi.exe\" klicken müssen. Wenn noch nicht "
    "geschehen, dann klicken Sie nun darauf und wählen Sie \"Nein\" aus, denn das aktuelle "
    "Indizieren ist leider gescheitert!");

qint64 systemClock()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

RunControl::RunControl(UserInterface& ui, std::function<qint64()> clock)
    : m_ui(ui), m_clock(clock ? std::move(clock) : systemClock)
{
}

bool RunControl::beginUpdateRequest(int entryCount, bool entrySelected)
{
    m_cancelRequested = false;
    if (entrySelected)
        m_updateRunning = true;
    else
        m_ui.information(entryCount == 0 ? kNoDatabase : kSelectFirst);
    return entrySelected;
}

void RunControl::endUpdateRequest()
{
    m_updateRunning = false;
    // While the list program runs the button stays the one that ends it.
    if (!m_waiting)
        m_view.closeButtonCaption = kCloseCaption;
}

void RunControl::beginRun(bool updateMode)
{
    m_updateMode = updateMode;
    m_cancelRequested = m_aborted = m_closePending = false;
    m_listSeen = m_listDone = false;
    m_indexingRunning = m_runActive = true;
    m_runStart = m_clock();
    m_view.startButtonsEnabled = false;
}

void RunControl::beginWait()
{
    m_waiting = true;
    m_waitCounter = 0;
    m_view.closeButtonCaption = kCancelCaption;
}

RunControl::Wait RunControl::waitTick(ListProgram state)
{
    if (state == ListProgram::Running) {
        m_view.caption.clear();
        m_listSeen = true;
        return Wait::KeepWaiting;
    }
    // A program that started and ended between two ticks was seen all the same.
    if (state == ListProgram::Finished)
        m_listSeen = true;
    m_view.startButtonsEnabled = false;
    m_view.closeButtonEnabled = false;
    m_view.caption = kWaitingCaption + IndexRun::elapsedText(elapsedSeconds());
    if (m_listSeen) {
        m_listDone = true;
        m_waitCounter = 0;
        m_view.closeButtonEnabled = true;
    } else if (++m_waitCounter >= kWaitTicks) {
        endWithoutBuilding(kTimedOutStatus);
        m_ui.information(kTimedOutMessage);
        return Wait::TimedOut;
    }
    if (!m_listDone)
        return Wait::KeepWaiting;
    m_view.caption.clear();
    m_waiting = false;
    m_view.closeButtonCaption = kCloseCaption;
    return Wait::Continue;
}

void RunControl::listProgramFailed(const QString& message)
{
    endWithoutBuilding(message);
    m_ui.information(message);
}

void RunControl::endWithoutBuilding(const QString& status)
{
    m_view.caption.clear();
    m_view.status = status;
    m_view.startButtonsEnabled = m_view.closeButtonEnabled = true;
    m_view.closeButtonCaption = kCloseCaption;
    m_indexingRunning = m_updateRunning = m_updateMode = false;
    m_waiting = m_runActive = false;
}

RunControl::CloseButton RunControl::closeButton()
{
    if (m_waiting) {
        // The list program shows no window of its own to cancel in: ending it ends the run.
        m_cancelRequested = true;
        endWithoutBuilding(kIndexingCancelled);
        return CloseButton::StopListProgram;
    }
    if (!m_indexingRunning && !m_mainSearchRunning && !m_updateRunning)
        return deferClose() ? CloseButton::CloseAfterTheRun : CloseButton::CloseWindow;
    // The first that applies; a cancelled run always ends with the "abgebrochenen" text.
    if (m_updateRunning) {
        m_view.status = kUpdateCancelled;
        m_cancelRequested = m_aborted = true;
        m_updateRunning = false;
    } else if (m_mainSearchRunning) {
        m_view.closeButtonCaption = kCloseCaption;
        m_cancelRequested = true;
        m_mainSearchRunning = false;
    } else {
        m_view.status = kIndexingCancelled;
        m_cancelRequested = m_aborted = true;
        m_indexingRunning = false;
        m_view.closeButtonEnabled = false;
    }
    if (m_view.status.contains(QStringLiteral("Fertig mit der"))) {
        m_aborted = true;
        m_view.startButtonsEnabled = m_view.closeButtonEnabled = true;
    }
    return CloseButton::Cancelled;
}

bool RunControl::deferClose()
{
    if (!m_runActive)
        return false;
    m_cancelRequested = m_aborted = true;
    m_closePending = true;
    return true;
}

bool RunControl::finishRun(const QString& finalStatus)
{
    m_view.status = finalStatus;
    m_view.caption.clear();
    m_view.startButtonsEnabled = m_view.closeButtonEnabled = true;
    m_view.closeButtonCaption = kCloseCaption;
    m_indexingRunning = m_updateMode = false;
    m_waiting = m_runActive = false;
    return m_closePending;
}

qint64 RunControl::elapsedSeconds() const
{
    return (m_clock() - m_runStart) / 1000;
}

QString RunControl::progressLine(qint64 processedFiles) const
{
    return QStringLiteral("Anzahl Dateien:     ") + numberLocale().toString(processedFiles) +
           QStringLiteral("     Zeit: ") + IndexRun::elapsedText(elapsedSeconds());
}

QString RunControl::patienceDots(int& tick)
{
    if (++tick == 6) {
        tick = 0;
        return QString();
    }
    QStringList dots(tick, QStringLiteral("°"));
    return dots.join(u' ');
}
