#pragma once

#include "store/DatabasePaths.h"
#include "store/Family.h"

#include <QString>

#include <array>

// One database: its name and the files that belong to it, made once where the name is
// chosen and passed on instead of the name and the folder tree's paths, so the files are
// not worked out again at every step of a search or a run.
class Database {
public:
    Database(const DatabasePaths& paths, QString name);

    const QString& name() const { return m_name; }
    // The folder tree the database lives in, for the files all databases share.
    const DatabasePaths& paths() const { return m_paths; }

    const QString& descriptor() const { return m_descriptor; }
    const QString& log() const { return m_log; }
    const QString& document(Family family) const { return m_documents[index(family)]; }
    const QString& titlePositions(Family family) const { return m_titles[index(family)]; }
    const QString& phraseList(Family family) const { return m_phraseLists[index(family)]; }
    const QString& searchTermList(Family family) const { return m_searchTerms[index(family)]; }
    QString searchTermListWithoutDocuments() const;
    QString commitJournal() const { return m_paths.commitJournal(m_name); }

    // The same database under the staging names a run writes before its commit.
    Database staged() const { return Database(m_paths.staged(), m_name); }

private:
    static std::size_t index(Family family) { return std::size_t(family); }

    DatabasePaths m_paths;
    QString m_name;
    QString m_descriptor;
    QString m_log;
    std::array<QString, 3> m_documents;
    std::array<QString, 3> m_titles;
    std::array<QString, 3> m_phraseLists;
    std::array<QString, 3> m_searchTerms;
};
