#include "store/DatabaseLock.h"

#include "platform/FileFacts.h"

namespace {

QString lockPathOf(const DatabasePaths& paths, const QString& name)
{
    return platform::nativePath(paths.databaseFolder() + name + QStringLiteral(".lock"));
}

} // namespace

DatabaseLock::DatabaseLock() = default;
DatabaseLock::~DatabaseLock() = default;
DatabaseLock::DatabaseLock(DatabaseLock&&) noexcept = default;
DatabaseLock& DatabaseLock::operator=(DatabaseLock&&) noexcept = default;

QString DatabaseLock::busyMessage(const QString& name)
{
    return QStringLiteral("Die Datenbank \"%1\" wird gerade neu erstellt. Bitte warten Sie, bis "
                          "die Indizierung fertig ist.")
        .arg(name);
}

Result<DatabaseLock> DatabaseLock::acquire(const Database& database)
{
    DatabaseLock lock;
    // No lock file can be made (a folder without rights): the run goes on unguarded and
    // fails at its first write with the message naming the file.
    if (lock.m_file.tryLock(lockPathOf(database.paths(), database.name())) ==
        platform::FileLock::Outcome::HeldElsewhere)
        return Result<DatabaseLock>::failure(busyMessage(database.name()));
    return Result<DatabaseLock>(std::move(lock));
}

bool DatabaseLock::isHeld(const Database& database)
{
    return platform::FileLock::isHeldElsewhere(lockPathOf(database.paths(), database.name()));
}

void DatabaseLock::release()
{
    m_file.unlock();
}
