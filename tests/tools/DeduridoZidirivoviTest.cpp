// Runs the drive list program as a child process on generated folders mapped to drive T.
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

const QString kListName = QStringLiteral("Datenbank/Haupt_Dateinamen_Liste_Laufwerk_T.txt");

struct ProgramRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

class DriveListTest : public testing::Test {
protected:
    ProgramRun run(const QStringList& arguments = {QStringLiteral("open"), QStringLiteral("t")},
                   const QString& drives = QString()) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("NIMBRA_DRIVES"),
                           drives.isNull() ? QStringLiteral("T=") + m_drive.native() : drives);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(m_work.native());
        if (const rlim_t limit = m_openFileLimit) {
            process.setChildProcessModifier([limit] {
                rlimit open{};
                ::getrlimit(RLIMIT_NOFILE, &open);
                open.rlim_cur = limit;
                ::setrlimit(RLIMIT_NOFILE, &open);
            });
        }
        process.start(QStringLiteral(DEDURIDO_PROGRAM), arguments);
        EXPECT_TRUE(process.waitForFinished(60000)) << "the list program hangs";
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    // The toolkit cannot remove names that are not UTF-8.
    void TearDown() override
    {
        for (const fs::directory_entry& entry : fs::directory_iterator(at("")))
            fs::remove_all(entry.path());
    }

    std::string list() const { return m_work.read(kListName).toStdString(); }
    QStringList listFolder() const
    {
        return QDir(m_work.native(QStringLiteral("Datenbank")))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    // Native path of a byte name below the drive, so that names need not be valid UTF-8.
    fs::path at(const std::string& relative) const
    {
        return fs::path(QFile::encodeName(m_drive.native()).toStdString()) / relative;
    }
    void file(const std::string& relative) const
    {
        fs::create_directories(at(relative).parent_path());
        std::ofstream(at(relative)) << "x";
    }

    TempFolder m_drive;
    TempFolder m_work;
    rlim_t m_openFileLimit = 0; // of the child; 0 leaves it as it is
};

// Unmounts what a test mounted, also when the test fails.
struct Mount {
    explicit Mount(const fs::path& target, const char* type)
        : m_target(target), m_ok(::mount(type, target.c_str(), type, 0, nullptr) == 0)
    {
    }
    ~Mount()
    {
        if (m_ok)
            ::umount2(m_target.c_str(), MNT_DETACH);
    }
    fs::path m_target;
    bool m_ok;
};

} // namespace

TEST_F(DriveListTest, ListsFoldersDepthFirstWithNamesInNtfsOrder)
{
    for (const char* name : {"b.txt", "A.txt", "a.txt", "_notiz.txt", "Ärger.txt", "äpfel.txt",
                             "zebra.txt", "Ａ.txt", "😀.txt", "leer/nur/ganz.txt", "Sub/x.txt",
                             "Sub/Y.txt", "Sub/deeper/z.txt", "Zeta/q.txt", "_ordner/f.txt"})
        file(name);
    const ProgramRun result = run();
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    // Upper-cased UTF-16 units: "_" after the letters, U+1F600 (a surrogate pair) before
    // U+FF21; equal names after upper-casing by their bytes.
    EXPECT_EQ(list(), std::string("T:\\A.txt\r\n\" a.txt\r\n\" b.txt\r\n\" zebra.txt\r\n"
                                  "\" _notiz.txt\r\n\" äpfel.txt\r\n\" Ärger.txt\r\n\" 😀.txt\r\n"
                                  "\" Ａ.txt\r\nT:\\leer\\nur\\ganz.txt\r\nT:\\Sub\\x.txt\r\n"
                                  "\" Y.txt\r\nT:\\Sub\\deeper\\z.txt\r\nT:\\Zeta\\q.txt\r\n"
                                  "T:\\_ordner\\f.txt\r\n"));
    EXPECT_EQ(result.out, "Fertig: 15 Dateien in 7 Ordnern; übersprungen: 0 Namen, 0 Ordner\n");
}

// Many folders, one with more names than one directory read takes, and a deep chain; also
// with too few open files to hold any folder open, so each is opened by its whole path.
TEST_F(DriveListTest, ReadsManyBigAndDeepFoldersInOrderAlsoWithFewOpenFiles)
{
    std::string expected;
    std::string folder;
    std::string programFolder = "T:\\";
    for (int depth = 0; depth < 300; ++depth) {
        folder += "d/";
        programFolder += "d\\";
        file(folder + "f.txt");
        expected += programFolder + "f.txt\r\n";
    }
    for (int i = 0; i < 200; ++i) {
        const std::string name = "f" + std::to_string(1000 + i);
        file(name + "/a.txt");
        file(name + "/b.txt");
        file(name + "/s/c.txt");
        expected += "T:\\" + name + "\\a.txt\r\n\" b.txt\r\nT:\\" + name + "\\s\\c.txt\r\n";
    }
    const std::string tail(120, 'x');
    for (int i = 0; i < 3000; ++i) {
        const std::string name = std::to_string(10000 + i) + tail + ".txt";
        file("gross/" + name);
        expected += (i == 0 ? "T:\\gross\\" : "\" ") + name + "\r\n";
    }
    EXPECT_EQ(run().exitCode, 0);
    EXPECT_EQ(list(), expected);
    m_openFileLimit = 32;
    EXPECT_EQ(run().exitCode, 0);
    EXPECT_EQ(list(), expected);
}

// Links, pipes and sockets are left out; names a list line cannot hold, or that are not
// UTF-8, are skipped and counted, and a folder of such a name is not entered.
TEST_F(DriveListTest, LeavesOutLinksPipesSocketsAndOddNamesButEntersFolderNamedLikeFile)
{
    file("echt.txt");
    file("a.txt/inner.txt");
    for (const char* name :
         {"a\rb.txt", "a\nb.txt", "\" b.txt", "a\\b.txt", "\xE4rger.txt", "\xC0\xAF.txt",
          "\xED\xA0\x80.txt", "\xF4\x90\x80\x80.txt", "a\xE2\x82.txt", "neu\nordner/drin.txt"})
        file(name);
    fs::create_symlink("echt.txt", at("link.txt"));
    fs::create_symlink(".", at("schleife"));
    fs::create_symlink("a.txt", at("ordnerlink"));
    fs::create_symlink("nirgends", at("weg.txt"));
    ASSERT_EQ(::mkfifo(at("x.txt").c_str(), 0644), 0);
    const int socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", at("s.txt").c_str());
    ASSERT_EQ(::bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const ProgramRun result = run();
    ::close(socketFd);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(list(), "T:\\echt.txt\r\nT:\\a.txt\\inner.txt\r\n");
    EXPECT_EQ(result.out, "Fertig: 2 Dateien in 2 Ordnern; übersprungen: 10 Namen, 0 Ordner\n");
}

TEST_F(DriveListTest, SkipsUnreadableFolder)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    file("offen/a.txt");
    file("zu/b.txt");
    fs::permissions(at("zu"), fs::perms::none);
    const ProgramRun result = run();
    fs::permissions(at("zu"), fs::perms::owner_all);
    EXPECT_EQ(list(), "T:\\offen\\a.txt\r\n");
    EXPECT_TRUE(result.out.contains("übersprungen: 0 Namen, 1 Ordner")) << result.out.constData();
}

TEST_F(DriveListTest, EmptyDriveAndProcDriveGiveEmptyLists)
{
    const ProgramRun empty = run();
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_TRUE(QFile::exists(m_work.native(kListName)));
    EXPECT_EQ(list(), "");
    EXPECT_EQ(empty.out, "Fertig: 0 Dateien in 1 Ordnern; übersprungen: 0 Namen, 0 Ordner\n");
    const ProgramRun proc =
        run({QStringLiteral("open"), QStringLiteral("P")}, QStringLiteral("P=/proc"));
    EXPECT_EQ(proc.exitCode, 0);
    EXPECT_EQ(m_work.read(QStringLiteral("Datenbank/Haupt_Dateinamen_Liste_Laufwerk_P.txt")), "");
    EXPECT_EQ(proc.out, "Fertig: 0 Dateien in 0 Ordnern; übersprungen: 0 Namen, 0 Ordner\n");
}

TEST_F(DriveListTest, SkipsMountedPseudoFileSystemButEntersTmpfs)
{
    file("a.txt");
    fs::create_directories(at("proc vfs"));
    fs::create_directories(at("tmp"));
    const Mount proc(at("proc vfs"), "proc"); // the mount table escapes the blank
    const Mount tmp(at("tmp"), "tmpfs");
    if (!proc.m_ok || !tmp.m_ok)
        GTEST_SKIP() << "mounting needs privileges";
    file("tmp/t.txt");
    EXPECT_EQ(run().exitCode, 0);
    EXPECT_EQ(list(), "T:\\a.txt\r\nT:\\tmp\\t.txt\r\n");
}

TEST_F(DriveListTest, RefusesWrongCallsWithStatusTwo)
{
    const QStringList calls[] = {{}, {"open"}, {"open", "TT"}, {"open", "1"}, {"close", "T"}};
    for (const QStringList& arguments : calls) {
        const ProgramRun result = run(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.err.startsWith("Aufruf: DeduridoZidirivovi open"));
    }
    const ProgramRun unmapped = run({QStringLiteral("open"), QStringLiteral("Q")});
    EXPECT_EQ(unmapped.exitCode, 2);
    EXPECT_EQ(unmapped.err, "Das Laufwerk Q: ist nicht zugeordnet (NIMBRA_DRIVES).\n");
    const ProgramRun missing = run({QStringLiteral("open"), QStringLiteral("T")},
                                   QStringLiteral("T=") + m_drive.native(QStringLiteral("fehlt")));
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains("kann nicht gelesen werden")) << missing.err.constData();
    EXPECT_FALSE(QFile::exists(m_work.native(QStringLiteral("Datenbank"))));
}

TEST_F(DriveListTest, ReplacesOldListOrReportsAFailedWriteAndLeavesNoTemporaryFile)
{
    const QStringList onlyTheList{QStringLiteral("Haupt_Dateinamen_Liste_Laufwerk_T.txt")};
    file("neu.txt");
    m_work.write(kListName, "T:\\alt.txt\r\n");
    EXPECT_EQ(run().exitCode, 0);
    EXPECT_EQ(list(), "T:\\neu.txt\r\n");
    EXPECT_EQ(listFolder(), onlyTheList);

    QFile::remove(m_work.native(kListName));
    m_work.makeFolder(kListName); // the rename over a folder fails
    const ProgramRun result = run();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("konnte nicht geschrieben werden")) << result.err.constData();
    EXPECT_EQ(listFolder(), onlyTheList);
}
