#include "platform/FileWriter.h"
#include "platform/FileFacts.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::FileWriter;

namespace {

QStringList entries(const TempFolder& folder)
{
    return QDir(folder.native()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Runs `body` in a child process and returns its exit status.
template <typename Body> int inChild(Body body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(FileWriterTest, ReplacesTheTargetOnlyOnCommit)
{
    TempFolder folder;
    folder.write(QStringLiteral("a.txt"), "alt");
    {
        FileWriter dropped(folder.native(QStringLiteral("a.txt")));
        ASSERT_TRUE(dropped.open());
        ASSERT_TRUE(dropped.write("halb"));
        EXPECT_EQ(entries(folder).size(), 2);
    }
    EXPECT_EQ(entries(folder), QStringList({"a.txt"}));
    EXPECT_EQ(folder.read(QStringLiteral("a.txt")), "alt");

    ASSERT_TRUE(platform::writeWholeFile(folder.native(QStringLiteral("a.txt")), "neu",
                                         FileWriter::Durability::Forced));
    EXPECT_EQ(folder.read(QStringLiteral("a.txt")), "neu");
    EXPECT_EQ(entries(folder), QStringList({"a.txt"}));
}

TEST(FileWriterTest, AFailedWriteNamesTheCauseInGermanAndLeavesNothing)
{
    TempFolder folder;
    const Status missing = platform::writeWholeFile(folder.native(QStringLiteral("fehlt/a.txt")),
                                                    "x", FileWriter::Durability::Forced);
    EXPECT_EQ(missing.error(), QStringLiteral("Der Ordner existiert nicht."));

    // A size limit fails the write of a short file, which buffered writers see too late.
    folder.write(QStringLiteral("a.txt"), "alt");
    const QString target = folder.native(QStringLiteral("a.txt"));
    const int status = inChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4, 4};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const Status written =
            platform::writeWholeFile(target, "zu lang", FileWriter::Durability::Forced);
        return !written && written.error().contains(QStringLiteral("Datei zu groß")) ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(folder.read(QStringLiteral("a.txt")), "alt");
    EXPECT_EQ(entries(folder), QStringList({"a.txt"}));
}

TEST(FileWriterTest, ASignalRemovesTheTemporaryFileOfAKilledWriter)
{
    TempFolder folder;
    const QString target = folder.native(QStringLiteral("a.txt"));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        platform::removeTemporaryFilesOnSignal();
        FileWriter writer(target);
        (void)writer.open();
        (void)::write(ready[1], "x", 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    EXPECT_EQ(entries(folder).size(), 1);
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_EQ(entries(folder), QStringList());
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(FileWriterTest, OnlyDeadWritersFilesAreRemoved)
{
    TempFolder folder;
    const QString own = QStringLiteral("b.txt.%1.tmp").arg(::getpid());
    for (const QString& name : {QStringLiteral("a.txt.999999999.tmp"), own, QStringLiteral("c.tmp"),
                                QStringLiteral("d.txt.12x.tmp")})
        folder.write(name, "x");
    platform::removeDeadWritersFiles(folder.native());
    EXPECT_EQ(entries(folder), QStringList({own, "c.tmp", "d.txt.12x.tmp"}));
}

// Temp is shared by every copy of the program: emptying it spares what another running
// copy is writing there, and nothing else.
TEST(FileWriterTest, EmptyingASharedFolderSparesTheLiveWorkOfOthers)
{
    MappedDrive drive;
    const pid_t other = ::fork();
    if (other == 0) {
        ::pause();
        ::_exit(0);
    }
    const QString live = QStringLiteral("SortierLauf001.%1.tmp").arg(other);
    for (const QString& name : {live, QStringLiteral("SortierLauf002.999999999.tmp"),
                                QStringLiteral("SortierLauf003.%1.tmp").arg(::getpid()),
                                QStringLiteral("NB_Ergebnis.htm")})
        drive.write(QStringLiteral("Temp/") + name, "x");
    drive.write(QStringLiteral("Temp/ZipTemp/a.txt"), "x");
    EXPECT_TRUE(platform::emptyFolder(drive.program(QStringLiteral("Temp"))));
    EXPECT_EQ(QDir(drive.native(QStringLiteral("Temp")))
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({live}));
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    EXPECT_TRUE(platform::emptyFolder(drive.program(QStringLiteral("Temp"))));
    EXPECT_EQ(QDir(drive.native(QStringLiteral("Temp")))
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList());
}

} // namespace
