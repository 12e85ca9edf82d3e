#include "store/Database.h"

Database::Database(const DatabasePaths& paths, QString name)
    : m_paths(paths), m_name(std::move(name)), m_descriptor(paths.descriptor(m_name)),
      m_log(paths.log(m_name))
{
    for (const Family family : kFamilies) {
        m_documents[index(family)] = paths.document(m_name, family);
        m_titles[index(family)] = paths.titlePositions(m_name, family);
        m_phraseLists[index(family)] = paths.phraseList(m_name, family);
        m_searchTerms[index(family)] = paths.searchTermList(m_name, family);
    }
}

QString Database::searchTermListWithoutDocuments() const
{
    return m_paths.searchTermListWithoutDocuments(m_name);
}
