#pragma once

#include "common/Result.h"
#include "platform/FileLock.h"
#include "store/Database.h"
#include "store/DatabasePaths.h"

#include <QString>

// One indexing run at a time per database, across processes: a kernel lock on a lock file
// beside the database's files. It ends with the process that holds it.
class DatabaseLock {
public:
    DatabaseLock();
    ~DatabaseLock();
    DatabaseLock(DatabaseLock&&) noexcept;
    DatabaseLock& operator=(DatabaseLock&&) noexcept;

    // Takes the lock for a run; fails with the message for the user when another run
    // holds it.
    static Result<DatabaseLock> acquire(const Database& database);
    // A run is rebuilding the database right now.
    static bool isHeld(const Database& database);
    // "Die Datenbank "<name>" wird gerade neu erstellt. ..."
    static QString busyMessage(const QString& name);

    void release();

private:
    platform::FileLock m_file;
};
