// Writes that fail because the disk is full, seen through a file size limit: the run says
// which file could not be written and why, fails, and leaves the earlier output whole and no
// temporary file behind.

#include "hardening/NimbraChild.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString kDatabase = QStringLiteral("Db");

// Writes beyond `bytes` fail with EFBIG instead of ending the process.
std::function<void()> fileSizeLimit(rlim_t bytes)
{
    return [bytes] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, bytes};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    };
}

QByteArray lines(const char* word, int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += word + QByteArray::number(i) + " Straße\r\n";
    return text;
}

// The files of Datenbank and its Temp folder by name with their bytes, the database's own
// documents left out (they stay as they are here).
std::map<QString, QByteArray> filesBelow(const QString& folder)
{
    std::map<QString, QByteArray> found;
    for (const QString& sub : {QString(), QStringLiteral("Temp/")}) {
        const QDir dir(folder + u'/' + sub);
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
            if (name.contains(QStringLiteral("Dokument")) || name.endsWith(QStringLiteral(".dat")))
                continue;
            QFile file(dir.filePath(name));
            found[sub + name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }
    }
    return found;
}

class FullDiskTest : public testing::Test {
protected:
    FullDiskTest() { m_nimbra.drive().write(QStringLiteral("A/klein.txt"), lines("Anfang", 10)); }

    NimbraChild::Finished index(const QString& folder, const QStringList& more,
                                const std::function<void()>& limits = {}) const
    {
        return m_nimbra.run(m_nimbra.indexArguments(kDatabase, folder, more),
                            NimbraChild::kHangSeconds, limits);
    }

    QStringList tempFiles() const
    {
        return QDir(m_nimbra.datenbank(QStringLiteral("Temp")))
            .entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    // Calls `limitedRun` with every file size limit from 0 past `largest` in about `steps`
    // steps; it says whether the run failed. The limits reach from failing to succeeding.
    static void sweep(qint64 largest, int steps, const std::function<bool(rlim_t)>& limitedRun)
    {
        const rlim_t step = rlim_t(largest) / rlim_t(steps) + 1;
        int failed = 0;
        int runs = 0;
        for (rlim_t limit = 0; limit <= rlim_t(largest) + step; limit += step, ++runs) {
            SCOPED_TRACE(testing::Message() << "limit " << limit);
            failed += limitedRun(limit);
        }
        EXPECT_GT(failed, 0);
        EXPECT_LT(failed, runs);
    }

    // A failed run: status 1 and a German message naming one of `files` and the cause.
    static void expectFailure(const NimbraChild::Finished& run, const QStringList& files,
                              const QString& cause)
    {
        const QString message = QString::fromUtf8(run.err + run.out);
        EXPECT_EQ(run.exitCode, 1) << message.toStdString();
        const bool named = std::any_of(files.begin(), files.end(),
                                       [&](const QString& file) { return message.contains(file); });
        EXPECT_TRUE(named && message.contains(QStringLiteral("konnte nicht geschrieben werden")) &&
                    message.contains(cause))
            << message.toStdString();
        EXPECT_FALSE(message.contains(QStringLiteral("Fertig mit der"))) << message.toStdString();
    }

    NimbraChild m_nimbra;
};

// A real full file system: Datenbank on a small tmpfs (root only; skipped otherwise).
TEST_F(FullDiskTest, AFullFileSystemKeepsTheEarlierDatabase)
{
    const QByteArray folder = QFile::encodeName(m_nimbra.datenbank());
    QDir().mkpath(m_nimbra.datenbank());
    if (::geteuid() != 0 || ::mount("nimbra-test", folder.constData(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "a tmpfs can only be mounted by root here";
    struct Unmount {
        QByteArray folder;
        ~Unmount() { ::umount2(folder.constData(), MNT_DETACH); }
    } unmount{folder};
    for (int i = 0; i < 4; ++i) // four times 700 KB: no document fits into 1 MB
        m_nimbra.drive().write(QStringLiteral("B/gross%1.txt").arg(i), lines("Wort", 30000));

    ASSERT_EQ(index("A", {"--new-list"}).exitCode, 0);
    const auto before = m_nimbra.databaseFiles(kDatabase);
    expectFailure(index("B", {"--new-list", "--update"}), {"D:\\Datenbank\\"}, "kein Platz");
    EXPECT_EQ(m_nimbra.databaseFiles(kDatabase), before);
    EXPECT_EQ(m_nimbra.leftovers(0), QStringList());
    EXPECT_EQ(tempFiles(), QStringList());
}

// An index run with documents and one file by file, under every file size limit: the complete
// new database, or a failure that leaves the earlier database byte for byte.
TEST_F(FullDiskTest, IndexRunsUnderEveryFileSizeLimit)
{
    for (int i = 0; i < 12; ++i)
        m_nimbra.drive().write(QStringLiteral("C/Unterordner/Datei%1.txt").arg(i),
                               lines(i % 2 ? "Wort" : "Wörter", 40 + 10 * i));
    ASSERT_EQ(index("A", {"--new-list"}).exitCode, 0);
    for (const QStringList& more :
         {QStringList{"--update", "--without-documents"}, QStringList{"--update"}}) {
        SCOPED_TRACE(more.join(u' ').toStdString());
        ASSERT_EQ(index("C", more).exitCode, 0);
        const auto newState = m_nimbra.databaseFiles(kDatabase);
        ASSERT_EQ(index("A", more).exitCode, 0);
        const auto oldState = m_nimbra.databaseFiles(kDatabase);
        ASSERT_NE(oldState, newState);
        qint64 largest = 0;
        for (const auto& [file, hashAndSize] : newState)
            largest = std::max(largest, hashAndSize.split(' ').last().toLongLong());
        sweep(largest, 40, [&](rlim_t limit) {
            const NimbraChild::Finished limited = index("C", more, fileSizeLimit(limit));
            EXPECT_FALSE(limited.crashed);
            const bool failed = limited.exitCode != 0;
            if (failed) {
                expectFailure(limited, {"D:\\Datenbank\\Db"}, QStringLiteral("Datei zu groß"));
                EXPECT_EQ(m_nimbra.databaseFiles(kDatabase), oldState);
            } else {
                EXPECT_EQ(m_nimbra.databaseFiles(kDatabase), newState);
                EXPECT_TRUE(limited.out.contains("Fertig mit der Indizierung"));
            }
            EXPECT_EQ(m_nimbra.leftovers(0), QStringList());
            EXPECT_EQ(tempFiles(), QStringList());
            if (!failed) { // back to the earlier database for the next limit
                EXPECT_EQ(index("A", more).exitCode, 0);
            }
            return failed;
        });
    }
}

// A search writing its result pages and a sorted-list build, under every file size limit: the
// complete output of an unlimited run, or a failure with nothing of the cut output left (a
// file that existed stays as it was).
TEST_F(FullDiskTest, ResultPagesAndSortedListsUnderEveryFileSizeLimit)
{
    for (int i = 0; i < 60; ++i)
        m_nimbra.drive().write(QStringLiteral("C/Datei%1.txt").arg(i),
                               lines(i % 2 ? "Wort" : "Wörter", 5 + i));
    ASSERT_EQ(index("C", {"--new-list"}).exitCode, 0);
    const QString datenbank = m_nimbra.datenbank();
    const QStringList search{"search", kDatabase, "Straße"};
    const QStringList sortlist{"sortlist", kDatabase, "--mode", "both"};
    for (const QStringList& command : {search, sortlist}) {
        SCOPED_TRACE(command.first().toStdString());
        const auto before = filesBelow(datenbank);
        ASSERT_EQ(m_nimbra.run(command).exitCode, 0);
        const auto complete = filesBelow(datenbank);
        ASSERT_NE(complete, before);
        qsizetype largest = 0;
        for (const auto& [name, bytes] : complete)
            largest = std::max(largest, bytes.size());
        const QStringList named = command == search
                                      ? QStringList{"Die Datei D:\\Datenbank\\Temp\\"}
                                      : QStringList{"Die sortierte Liste D:\\Datenbank\\Db_",
                                                    "Die Zwischendatei D:\\Datenbank\\Temp\\"};
        sweep(largest, 25, [&](rlim_t limit) {
            const auto old = filesBelow(datenbank);
            const NimbraChild::Finished limited =
                m_nimbra.run(command, NimbraChild::kHangSeconds, fileSizeLimit(limit));
            EXPECT_FALSE(limited.crashed);
            if (limited.exitCode == 0) {
                EXPECT_EQ(filesBelow(datenbank), complete);
                return false;
            }
            expectFailure(limited, named, QStringLiteral("Datei zu groß"));
            for (const auto& [name, bytes] : filesBelow(datenbank)) {
                EXPECT_FALSE(name.endsWith(QStringLiteral(".tmp"))) << name.toStdString();
                // What is there is whole: the complete run's file or the earlier one.
                const auto whole = complete.find(name);
                const auto earlier = old.find(name);
                EXPECT_TRUE((whole != complete.end() && whole->second == bytes) ||
                            (earlier != old.end() && earlier->second == bytes))
                    << name.toStdString();
            }
            return true;
        });
    }
}

} // namespace
