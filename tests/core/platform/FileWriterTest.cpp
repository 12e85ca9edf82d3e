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
using namespace Qt::StringLiterals;

namespace {

QStringList entries(const TempFolder& folder)
{
    return QDir(folder.native()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

TEST(FileWriterTest, ReplacesTheTargetOnlyOnCommit)
{
    TempFolder folder;
    folder.write(u"a.txt"_s, "alt");
    {
        FileWriter dropped(folder.native(u"a.txt"_s));
        ASSERT_TRUE(dropped.open());
        ASSERT_TRUE(dropped.write("halb"));
        EXPECT_EQ(entries(folder).size(), 2);
    }
    EXPECT_EQ(entries(folder), QStringList({"a.txt"}));
    EXPECT_EQ(folder.read(u"a.txt"_s), "alt");

    ASSERT_TRUE(
        platform::writeWholeFile(folder.native(u"a.txt"_s), "neu", FileWriter::Durability::Forced));
    EXPECT_EQ(folder.read(u"a.txt"_s), "neu");
    EXPECT_EQ(entries(folder), QStringList({"a.txt"}));
}

TEST(FileWriterTest, AFailedWriteNamesTheCauseInGermanAndLeavesNothing)
{
    TempFolder folder;
    const Status missing = platform::writeWholeFile(folder.native(u"fehlt/a.txt"_s), "x",
                                                    FileWriter::Durability::Forced);
    EXPECT_EQ(missing.error(), u"Der Ordner existiert nicht."_s);

    // A size limit fails the write of a short file, which buffered writers see too late.
    folder.write(u"a.txt"_s, "alt");
    const QString target = folder.native(u"a.txt"_s);
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4, 4};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const Status written =
            platform::writeWholeFile(target, "zu lang", FileWriter::Durability::Forced);
        ::_exit(!written && written.error().contains(u"Datei zu groß"_s) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(folder.read(u"a.txt"_s), "alt");
    EXPECT_EQ(entries(folder), QStringList({"a.txt"}));
}

TEST(FileWriterTest, ASignalRemovesTheTemporaryFileOfAKilledWriter)
{
    TempFolder folder;
    const QString target = folder.native(u"a.txt"_s);
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
    const QString own = u"b.txt.%1.tmp"_s.arg(::getpid());
    for (const QString& name : {u"a.txt.999999999.tmp"_s, own, u"c.tmp"_s, u"d.txt.12x.tmp"_s})
        folder.write(name, "x");
    platform::removeDeadWritersFiles(folder.native());
    EXPECT_EQ(entries(folder), QStringList({own, "c.tmp", "d.txt.12x.tmp"}));
}

// Temp is shared by every copy of the program: emptying it spares what another running
// copy is writing there, and nothing else.
TEST(FileWriterTest, EmptyingASharedFolderSparesTheLiveWorkOfOthersAndTheFolder)
{
    MappedDrive drive;
    const pid_t other = ::fork();
    if (other == 0) {
        ::pause();
        ::_exit(0);
    }
    const QString live = u"SortierLauf001.%1.tmp"_s.arg(other);
    for (const QString& name :
         {live, u"SortierLauf002.999999999.tmp"_s, u"SortierLauf003.%1.tmp"_s.arg(::getpid()),
          u"NB_Ergebnis.htm"_s, u".hidden"_s})
        drive.write(u"Temp/"_s + name, "x");
    drive.write(u"Temp/ZipTemp/a.txt"_s, "x");
    EXPECT_TRUE(platform::emptyFolder(drive.program(u"Temp"_s)));
    const auto left = [&] {
        return QDir(drive.native(u"Temp"_s))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    };
    EXPECT_EQ(left(), QStringList({live}));
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    EXPECT_TRUE(platform::emptyFolder(drive.program(u"Temp"_s)));
    EXPECT_EQ(left(), QStringList());
    EXPECT_TRUE(QDir(drive.native(u"Temp"_s)).exists()); // the folder itself stays
}

} // namespace
