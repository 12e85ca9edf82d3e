#include "platform/FileLock.h"
#include "store/DatabaseLock.h"
#include "support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using platform::FileLock;
using namespace Qt::StringLiterals;

namespace {

TEST(FileLockTest, ALeftLockFileRefusesNobodyAHeldOneEveryOtherTaker)
{
    TempFolder folder;
    const QString path = folder.native(u"A.lock"_s);
    for (const QByteArray& content :
         {QByteArray(), QByteArray("4711\nrechner\n"), QByteArray("\xff\xfe kaputt", 9)}) {
        folder.write(u"A.lock"_s, content);
        EXPECT_FALSE(FileLock::isHeldElsewhere(path));
        FileLock lock;
        ASSERT_EQ(lock.tryLock(path), FileLock::Outcome::Taken);
        lock.unlock();
        EXPECT_FALSE(QFile::exists(path));
    }

    // A held lock refuses every other taker until it is let go.
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
    const QString path = folder.native(u"A.lock"_s);
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
    drive.makeFolder(u"Datenbank"_s);
    const DatabasePaths paths(u"D:\\"_s);
    Result<DatabaseLock> run = DatabaseLock::acquire(Database(paths, u"Texte"_s));
    ASSERT_TRUE(run);
    EXPECT_TRUE(DatabaseLock::isHeld(Database(paths, u"Texte"_s)));
    EXPECT_FALSE(DatabaseLock::isHeld(Database(paths, u"Andere"_s)));
    const Result<DatabaseLock> second = DatabaseLock::acquire(Database(paths, u"Texte"_s));
    ASSERT_FALSE(second);
    EXPECT_EQ(second.error(), DatabaseLock::busyMessage(u"Texte"_s));
    run.value().release();
    EXPECT_FALSE(DatabaseLock::isHeld(Database(paths, u"Texte"_s)));
}

} // namespace
