#pragma once

#include "store/DatabasePaths.h"
#include "store/Family.h"
#include "viewer/TATBinHexCore.h"
#include "viewer/TATStreamSearch.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class UserInterface;

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
    using CaptionHandler = std::function<void(const QString& caption)>;

    TitlePositionScan(const DatabasePaths& paths, UserInterface& ui);
    ~TitlePositionScan();
    TitlePositionScan(const TitlePositionScan&) = delete;
    TitlePositionScan& operator=(const TitlePositionScan&) = delete;

    // The main window's caption while a document is scanned; emptied after it.
    void setCaptionHandler(CaptionHandler handler) { m_caption = std::move(handler); }
    // Polled between steps and blocks. A cancelled scan writes no further list; the lists
    // already written stay.
    void setCancelFlag(const bool* cancel) { m_cancel = cancel; }

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
    bool cancelled() const { return m_cancel && *m_cancel; }
    void onProgress(bool& continueSearching);
    void closeDocument();
    void showCaption(const QString& caption);

    const DatabasePaths& m_paths;
    UserInterface& m_ui;
    CaptionHandler m_caption;
    const bool* m_cancel = nullptr;
    std::unique_ptr<SearchSettings> m_settings;
    std::unique_ptr<ViewerErrors> m_viewerErrors;
    TATStreamSearch m_search;
    TATBinHexCore m_viewer;
    QString m_marker;
    QString m_list;
    int m_progressCalls = 0;
};
