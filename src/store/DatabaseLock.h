#pragma once

#include "common/Result.h"
#include "store/DatabasePaths.h"

#include <QString>

#include <memory>

class QLockFile;

// One indexing run at a time per database, across processes: a lock file beside the
// database's files. A lock left by a process that has died is taken over.
class DatabaseLock {
public:
    DatabaseLock();
    ~DatabaseLock();
    DatabaseLock(DatabaseLock&&) noexcept;
    DatabaseLock& operator=(DatabaseLock&&) noexcept;

    // Takes the lock for a run; fails with the message for the user when another run
    // holds it.
    static Result<DatabaseLock> acquire(const DatabasePaths& paths, const QString& name);
    // A run is rebuilding the database right now.
    static bool isHeld(const DatabasePaths& paths, const QString& name);
    // "Die Datenbank "<name>" wird gerade neu erstellt. ..."
    static QString busyMessage(const QString& name);

    void release();

private:
    std::unique_ptr<QLockFile> m_file;
};
