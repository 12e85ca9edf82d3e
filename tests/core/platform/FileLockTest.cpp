#include "platform/FileLock.h"
#include "store/DatabaseLock.h"
#include "support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using platform::FileLock;

namespace {

TEST(FileLockTest, ALeftLockFileOfAnyContentRefusesNobody)
{
    TempFolder folder;
    for (const QByteArray& content :
         {QByteArray(), QByteArray("4711\nrechner\n"), QByteArray("\xff\xfe kaputt", 9)}) {
        folder.write(QStringLiteral("A.lock"), content);
        EXPECT_FALSE(FileLock::isHeldElsewhere(folder.native(QStringLiteral("A.lock"))));
        FileLock lock;
        ASSERT_EQ(lock.tryLock(folder.native(QStringLiteral("A.lock"))), FileLock::Outcome::Taken);
        lock.unlock();
        EXPECT_FALSE(QFile::exists(folder.native(QStringLiteral("A.lock"))));
    }
}

TEST(FileLockTest, AHeldLockRefusesEveryOtherTakerUntilItIsLetGo)
{
    TempFolder folder;
    const QString path = folder.native(QStringLiteral("A.lock"));
    FileLock first;
    ASSERT_EQ(first.tryLock(path), FileLock::Outcome::Taken);
    FileLock second;
    EXPECT_EQ(second.tryLock(path), FileLock::Outcome::HeldElsewhere);
    EXPECT_TRUE(FileLock::isHeldElsewhere(path));

    FileLock moved = std::move(first);
    EXPECT_TRUE(FileLock::isHeldElsewhere(path));
    moved.unlock();
    EXPECT_FALSE(FileLock::isHeldElsewhere(path));
    EXPECT_EQ(second.tryLock(path), FileLock::Outcome::Taken);
}

TEST(FileLockTest, ALockEndsWithAKilledHolder)
{
    TempFolder folder;
    const QString path = folder.native(QStringLiteral("A.lock"));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        FileLock lock;
        const char taken = lock.tryLock(path) == FileLock::Outcome::Taken ? 'y' : 'n';
        (void)::write(ready[1], &taken, 1);
        ::pause();
        ::_exit(0);
    }
    char taken = 0;
    ASSERT_EQ(::read(ready[0], &taken, 1), 1);
    EXPECT_EQ(taken, 'y');
    EXPECT_TRUE(FileLock::isHeldElsewhere(path));
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);

    // The killed holder's file is still there, and refuses nobody.
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(FileLock::isHeldElsewhere(path));
    FileLock lock;
    EXPECT_EQ(lock.tryLock(path), FileLock::Outcome::Taken);
}

TEST(FileLockTest, ADatabaseRunRefusesASecondRunAndIsSeenByReaders)
{
    MappedDrive drive(u'D');
    drive.makeFolder(QStringLiteral("Datenbank"));
    const DatabasePaths paths(QStringLiteral("D:\\"));
    Result<DatabaseLock> run = DatabaseLock::acquire(Database(paths, QStringLiteral("Texte")));
    ASSERT_TRUE(run);
    EXPECT_TRUE(DatabaseLock::isHeld(Database(paths, QStringLiteral("Texte"))));
    EXPECT_FALSE(DatabaseLock::isHeld(Database(paths, QStringLiteral("Andere"))));
    const Result<DatabaseLock> second =
        DatabaseLock::acquire(Database(paths, QStringLiteral("Texte")));
    ASSERT_FALSE(second);
    EXPECT_EQ(second.error(), DatabaseLock::busyMessage(QStringLiteral("Texte")));
    run.value().release();
    EXPECT_FALSE(DatabaseLock::isHeld(Database(paths, QStringLiteral("Texte"))));
}

} // namespace
