#include "results/ResultPageWriter.h"

#include "results/ResultPage.h"
#include "store/TextWriter.h"

#include <algorithm>

ResultPageWriter::ResultPageWriter(const DatabasePaths& paths, ResultPageState& state,
                                   UserInterface& ui, TaskProgress& task, InternetBrowser* browser)
    : m_paths(paths), m_state(state), m_ui(ui), m_task(task), m_browser(browser)
{
}

Status ResultPageWriter::writePageSet(const SearchHits& hitList, const QString& searchTerm,
                                      const ResultPageHeader& header)
{
    m_state.currentPage = 1;
    m_state.morePages = false;
    if (hitList.isEmpty())
        return SchreibHTMLDocNeu({}, searchTerm, 0, header);
    const std::span<const SearchHit> all(hitList.constData(), size_t(hitList.size()));
    for (size_t from = 0; from < all.size(); from += resultpage::kEntriesPerPage) {
        const size_t to = std::min(from + resultpage::kEntriesPerPage, all.size());
        m_state.morePages = to < all.size();
        const Status written =
            SchreibHTMLDocNeu(all.subspan(from, to - from), searchTerm, int(to), header);
        if (!written)
            return written;
        if (m_state.morePages)
            ++m_state.currentPage;
    }
    return {};
}

Status ResultPageWriter::SchreibHTMLDocNeu(std::span<const SearchHit> entries,
                                           const QString& searchTerm, int count,
                                           const ResultPageHeader& header)
{
    const resultpage::Page page{entries, searchTerm, count, m_state.currentPage, m_state.morePages};
    const QStringList lines = resultpage::lines(page, header, m_paths);
    m_task.cancelRequested();
    const Status written =
        writeFileSafely(pageFile(m_state.currentPage), resultpage::fileBytes(lines),
                        Durability::NotForced); // pages live in Temp for the session
    if (!written) {
        m_ui.warning(written.error());
        return written;
    }
    if (m_browser && !m_state.browserOpened && m_state.currentPage == 1) {
        m_state.browserOpened = true;
        m_browser->StarteInternetBrowser(pageFile(1));
    }
    return {};
}

QString ResultPageWriter::pageFile(int page) const
{
    return m_paths.tempFolder() + resultpage::fileName(page);
}
