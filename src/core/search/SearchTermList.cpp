#include "search/SearchTermList.h"

#include "indexer/TextLines.h"

SearchTermList SearchTermList::load(const QString& programPath)
{
    return SearchTermList(textlines::read(programPath));
}

Status SearchTermList::save(const QString& programPath) const
{
    return textlines::write(programPath, m_items);
}

void SearchTermList::file(const QString& searchText)
{
    Q_ASSERT(!searchText.isEmpty());
    m_items.removeAll(searchText);
    m_items.removeAll(QString());
    m_items.prepend(searchText);
    const qsizetype noText = m_items.lastIndexOf(kNoTextItem);
    if (noText >= 0)
        m_items.removeAt(noText);
    // A list edited by hand may hold more than 50 texts; filing brings it back to 50.
    if (m_items.size() > kMaxItems)
        m_items.resize(kMaxItems);
}

Status SearchTermList::saveAfterSearch(const Database& database, const SearchOutcome& outcome) const
{
    if (m_items.isEmpty())
        return {};
    QStringList targets;
    if (outcome.documentShown) {
        for (const Family family : kFamilies) {
            if (outcome.documentHit[std::size_t(family)])
                targets.append(database.searchTermList(family));
        }
    }
    if (outcome.withoutDocuments && !outcome.documentShown && outcome.hitEntries)
        targets.append(database.searchTermListWithoutDocuments());
    for (const QString& target : targets) {
        if (Status saved = save(target); !saved)
            return saved;
    }
    return {};
}
