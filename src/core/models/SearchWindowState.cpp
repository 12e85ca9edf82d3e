#include "models/SearchWindowState.h"

#include "platform/FileFacts.h"
#include "search/Bookmarks.h"
#include "search/SearchField.h"

bool SearchWindowState::prepare(const QString& database, bool pathListOnly)
{
    const bool another = database != m_database.name();
    if (another) {
        forgetDatabase();
        m_database = Database(m_database.paths(), database);
    }
    m_pathListOnly = pathListOnly;
    m_confirmations = 0;
    readDocumentSizes();
    return another;
}

// What the window showed and found in the previous database belongs to it alone: its
// documents, lists and hits are no files of the next one.
void SearchWindowState::forgetDatabase()
{
    m_chosen.reset();
    m_userDocument.reset();
    m_current = Family::Ansi;
    m_fileListShown = false;
    m_sortedListShown = false;
    m_documentLoaded = false;
    m_hits.clear();
    m_documentHit = {};
}

void SearchWindowState::readDocumentSizes()
{
    for (const Family family : kFamilies)
        m_documentSizes[std::size_t(family)] =
            m_database.name().isEmpty()
                ? 0
                : platform::fileSize(m_database.document(family)).value_or(0);
}

bool SearchWindowState::loadable(Family family) const
{
    return m_documentSizes[std::size_t(family)] >= searchfield::kLoadableSize;
}

void SearchWindowState::documentOpened(Family family, bool userChoice)
{
    if (userChoice)
        m_userDocument = family;
    m_fileListShown = false;
    m_sortedListShown = false;
    m_documentLoaded = false;
    m_current = family;
    m_chosen = family;
}

void SearchWindowState::fileListOpened()
{
    m_sortedListShown = false;
    m_current = Family::Ansi;
    m_chosen.reset();
    m_fileListShown = true;
    m_documentLoaded = false;
}

void SearchWindowState::sortedListOpened()
{
    m_sortedListShown = true;
    m_documentLoaded = false;
}

void SearchWindowState::listsLeft()
{
    m_fileListShown = false;
    m_documentLoaded = false;
}

void SearchWindowState::viewerEmptied()
{
    m_chosen.reset();
    m_sortedListShown = false;
    m_documentLoaded = false;
}

SearchWindowState::View SearchWindowState::view() const
{
    if (m_fileListShown)
        return View::FileList;
    if (m_sortedListShown)
        return View::SortedList;
    return m_chosen ? View::Document : View::Nothing;
}

std::optional<Family> SearchWindowState::textFamily() const
{
    if (m_fileListShown)
        return Family::Utf8;
    return m_chosen;
}

QString SearchWindowState::shownFile() const
{
    if (m_fileListShown)
        return m_database.descriptor();
    if (m_sortedListShown)
        return m_database.phraseList(m_chosen.value_or(m_current));
    return m_database.document(m_current);
}

bool SearchWindowState::maySaveBookmark() const
{
    return bookmarks::maySave(m_documentLoaded, m_fileListShown, m_sortedListShown);
}

bool SearchWindowState::maySearch(const QString& text) const
{
    return !running() && !m_fileNameMode && !text.trimmed().isEmpty();
}

bool SearchWindowState::mayCount(const QString& text) const
{
    return maySearch(text) && !m_pathListOnly;
}

void SearchWindowState::countStarted()
{
    m_counting = true;
    m_cancel = false;
}

void SearchWindowState::searchStarted()
{
    m_searching = true;
    m_cancel = false;
    m_hits.clear();
    m_documentHit = {};
}

void SearchWindowState::searchFound(SearchHits hits, std::array<bool, 3> documentHit)
{
    m_hits = std::move(hits);
    m_documentHit = documentHit;
    m_searchFailed = false;
    m_searchCancelled = m_cancel;
}

void SearchWindowState::searchRefused()
{
    m_hits.clear();
    m_documentHit = {};
    m_searchFailed = true;
    m_searchCancelled = false;
}

SearchTermList::SearchOutcome SearchWindowState::outcome() const
{
    SearchTermList::SearchOutcome outcome;
    outcome.documentShown = m_chosen.has_value();
    outcome.documentHit = m_documentHit;
    outcome.withoutDocuments = m_pathListOnly;
    outcome.hitEntries = !m_hits.isEmpty();
    return outcome;
}
