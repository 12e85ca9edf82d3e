#include "store/DatabaseLock.h"

#include "platform/FileFacts.h"

#include <QLockFile>

namespace {

std::unique_ptr<QLockFile> lockFileOf(const DatabasePaths& paths, const QString& name)
{
    auto file = std::make_unique<QLockFile>(
        platform::nativePath(paths.databaseFolder() + name + QStringLiteral(".lock")));
    // Only a dead holder makes a lock stale: a run may take hours.
    file->setStaleLockTime(0);
    return file;
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

Result<DatabaseLock> DatabaseLock::acquire(const DatabasePaths& paths, const QString& name)
{
    DatabaseLock lock;
    lock.m_file = lockFileOf(paths, name);
    if (lock.m_file->tryLock(0))
        return Result<DatabaseLock>(std::move(lock));
    if (lock.m_file->error() == QLockFile::LockFailedError)
        return Result<DatabaseLock>::failure(busyMessage(name));
    // No lock file can be made (a folder without rights): the run goes on unguarded and
    // fails at its first write with the message naming the file.
    lock.m_file.reset();
    return Result<DatabaseLock>(std::move(lock));
}

bool DatabaseLock::isHeld(const DatabasePaths& paths, const QString& name)
{
    const std::unique_ptr<QLockFile> file = lockFileOf(paths, name);
    if (file->tryLock(0)) {
        file->unlock();
        return false;
    }
    return file->error() == QLockFile::LockFailedError;
}

void DatabaseLock::release()
{
    if (m_file)
        m_file->unlock();
    m_file.reset();
}
