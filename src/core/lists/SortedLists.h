#pragma once

#include "common/TaskProgress.h"
#include "lists/ListEntries.h"
#include "lists/SortedListBuilder.h"
#include "store/Database.h"
#include "store/DatabasePaths.h"
#include "store/Family.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// The sorted lists of a database as the search window's sort panel builds and shows them:
// the build of all lists, the cancel, the panel's timer, and every text the panel shows.
namespace sortedlists {

// How a build of all lists ended. The window shows `message` (an information box) when
// it is not empty; it never shows a box itself from inside the build.
struct BuildEnd {
    enum class Kind {
        Finished,    // "Fertig"
        Cancelled,   // the panel closes as the cancel button closes it
        NoDocuments, // the information box, nothing else happened
        Failed,      // the message names the file and the cause; older lists are kept
    };
    Kind kind = Kind::Finished;
    QString message;
    QList<Family> written;
};

// SortierteListenErstellenButtonClick without the window: empties Datenbank\Temp, then
// builds the list of every document of at least 5 bytes, ANSI, UTF8, Unicode, while no
// cancel comes. The task gets the caption, Label4 as the status and the progress.
BuildEnd buildAllLists(const Database& database, sortlist::SortMode mode, TaskProgress& task,
                       SortedListBuilder::Limits limits = {});

// Texts of the panel and of the question that opens it.
QString openPanelQuestion(const QString& database);
QString noDocumentsMessage(const QString& database);
QString buildingCaption(const QString& database);
QString cancelCaption();
QString documentLabel(const QString& database,
                      Family family); // "Sortierte Liste von: X_AnsiDokument.txt"
QString finishedLabel();              // "Fertig"
QString failedLabel();                // a build that stopped with a message
QString closedPanelLabel();           // "Sortierte Liste von: "
// ZeilenAlsListeSortierenClick: the status label Label8 over a shown list.
QString shownListLabel(const QString& database, Family family);

// A load button is enabled when its document holds more than its start bytes: more than
// 2 bytes, for Unicode more than 4.
std::array<bool, 3> loadButtons(const Database& database);

// ZeilenAlsListeSortierenClick: the list of the document open in the viewer, when it exists.
std::optional<QString> listToShow(const Database& database, Family family);

// The sort panel's flags and its timer Timer1, without the window.
class SortPanel {
public:
    static constexpr int kTimerMs = 1000;
    static constexpr int kTimerTicks = 10;

    struct View {
        bool visible = false;
        bool controlsEnabled = true; // the search window's other controls
        bool timerRunning = false;
        QString caption;
        QString label;
        qint64 progress = 0;
    };

    const View& view() const { return m_view; }
    // The cancel button was pressed since the panel opened.
    bool cancelRequested() const { return m_cancelRequested; }
    bool sorting() const { return m_sorting; }

    // The settings window's question was answered Yes.
    void open();
    // The build button: the caption, disabled controls and the timer, unless a cancel
    // is already pending (then the build does nothing and ends at once).
    bool beginBuild(const QString& database);
    // The end of the build. A cancelled build closes the panel as the cancel button
    // does, however late the cancel came; a finished one shows "Fertig", a failed one
    // says that it is not finished.
    void endBuild(const BuildEnd& end);
    // SortAbbrechenButtonClick: cancels a build, or closes the panel when none runs.
    void cancelClicked();
    // Timer1: once a cancel is requested the build counts as over and the panel closes;
    // the timer stops after its tenth tick at the latest.
    void timerTick();

private:
    void closePanel();

    bool m_cancelRequested = false;
    bool m_sorting = false;
    int m_ticks = 0;
    View m_view;
};

} // namespace sortedlists
