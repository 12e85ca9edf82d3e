#pragma once

#include "common/Result.h"
#include "common/TaskProgress.h"
#include "common/UserInterface.h"
#include "results/InternetBrowser.h"
#include "results/ResultPageHeader.h"
#include "results/ResultPageState.h"
#include "search/SearchHit.h"
#include "store/DatabasePaths.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <span>

// Writes the result pages of a finished search into Datenbank\Temp and opens the first
// one in the browser, once per search request.
class ResultPageWriter {
public:
    // Without a browser the pages are only written (the command line without --open). The
    // task is asked before every page, so that the window stays responsive; the pages are
    // written whole.
    ResultPageWriter(const DatabasePaths& paths, ResultPageState& state, UserInterface& ui,
                     TaskProgress& task, InternetBrowser* browser);

    // The whole hit list, 25 entries a page; an empty list gives one "NICHT gefunden"
    // page. When the hits fill the last page exactly, that page is the final one: no
    // "bisher", no link to a page that would not exist. A page that cannot be written is
    // shown to the user and ends the set; the status tells callers that need it (exit code).
    Status writePageSet(const SearchHits& hitList, const QString& searchTerm,
                        const ResultPageHeader& header);

    // One page, numbered and flagged by the state; count is the number of files found up
    // to and including this page.
    Status SchreibHTMLDocNeu(std::span<const SearchHit> entries, const QString& searchTerm,
                             int count, const ResultPageHeader& header);

    // Program path of a page file.
    QString pageFile(int page) const;

private:
    const DatabasePaths& m_paths;
    ResultPageState& m_state;
    UserInterface& m_ui;
    TaskProgress& m_task;
    InternetBrowser* m_browser;
};
