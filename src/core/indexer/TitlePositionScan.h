#pragma once

#include "common/TaskPacer.h"
#include "store/DatabasePaths.h"
#include "store/Family.h"
#include "viewer/TATBinHexCore.h"
#include "viewer/TATStreamSearch.h"

#include <QList>
#include <QString>

#include <memory>

// Writes the title-position lists of a database: finds every line of its documents that
// holds the title marker with the stream search, and lists "<offset> <line>" for each, in
// document order. Runs after the documents were built; the search window runs it too.
class TitlePositionScan {
public:
    // An error box for the window: caption and text.
    struct Failure {
        QString caption;
        QString text;
    };
    struct Report {
        bool cancelled = false;
        QList<Failure> failures; // in the order they happened
        bool ok() const { return !cancelled && failures.isEmpty(); }
    };
    // The task gets the main window's caption while a document is scanned, emptied after
    // it, and is asked between steps and blocks. A cancelled scan writes no further list;
    // the lists already written stay.
    TitlePositionScan(const DatabasePaths& paths, TaskProgress& task);
    ~TitlePositionScan();
    TitlePositionScan(const TitlePositionScan&) = delete;
    TitlePositionScan& operator=(const TitlePositionScan&) = delete;

    // Scans the ANSI, UTF-8 and Unicode documents that exist, in this order, and writes
    // their lists. A failure in one document is reported and ends its scan; its list then
    // holds the entries found before, and the next document is scanned. Without a readable
    // descriptor nothing is scanned.
    [[nodiscard]] Report run(const QString& databaseName, bool caseSensitive);

private:
    class SearchSettings;
    class ViewerErrors;
    enum class Outcome { Done, Failed, Cancelled };

    Outcome listDocument(const QString& databaseName, Family family, Report& report);
    Outcome scanDocument(const QString& document, Family family, Report& report);
    Outcome openDocument(const QString& document, Family family, Report& report);
    Outcome findAll(Family family, Report& report);
    void appendEntry(Family family);
    void closeDocument();

    const DatabasePaths& m_paths;
    TaskProgress& m_task;
    TaskPacer m_pacer;
    std::unique_ptr<SearchSettings> m_settings;
    std::unique_ptr<ViewerErrors> m_viewerErrors;
    TATStreamSearch m_search;
    TATBinHexCore m_viewer;
    QString m_marker;
    QString m_list;
};
