// Writes that fail because the disk is full, seen through a file size limit: the run says
// which file could not be written and why, fails, and leaves the earlier database and no
// temporary file behind.

#include "hardening/NimbraChild.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

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

class FullDiskTest : public testing::Test {
protected:
    FullDiskTest() { m_nimbra.drive().write(QStringLiteral("A/klein.txt"), lines("Anfang", 10)); }

    NimbraChild::Finished index(const QString& folder, bool update,
                                const std::function<void()>& limits = {}) const
    {
        QStringList arguments{QStringLiteral("index"), kDatabase, m_nimbra.drive().native(folder),
                              QStringLiteral("*.txt"), QStringLiteral("--new-list")};
        if (update)
            arguments.append(QStringLiteral("--update"));
        return m_nimbra.run(arguments, NimbraChild::kHangSeconds, limits);
    }

    QStringList tempFiles() const
    {
        return QDir(m_nimbra.datenbank(QStringLiteral("Temp")))
            .entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    NimbraChild m_nimbra;
};

// A real full file system: Datenbank on a small tmpfs (root only; skipped otherwise). A run
// that fills it fails with the German cause and keeps the earlier database whole.
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

    ASSERT_EQ(index(QStringLiteral("A"), false).exitCode, 0);
    const auto before = m_nimbra.databaseFiles(kDatabase);
    const NimbraChild::Finished full = index(QStringLiteral("B"), true);
    const QString message = QString::fromUtf8(full.err + full.out);
    EXPECT_EQ(full.exitCode, 1) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("konnte nicht geschrieben werden")) &&
                message.contains(QStringLiteral("kein Platz")))
        << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("Fertig mit der"))) << message.toStdString();
    EXPECT_EQ(m_nimbra.databaseFiles(kDatabase), before);
    EXPECT_EQ(m_nimbra.leftovers(0), QStringList());
    EXPECT_EQ(tempFiles(), QStringList());
}

// Every file size limit from nothing to more than the run writes: the run either ends with
// the complete new database, or fails naming the file and the cause in German and leaves
// the earlier database byte for byte, and no temporary file.
class FileSizeLimitSweep : public FullDiskTest {
protected:
    NimbraChild::Finished run(const QString& folder, bool withoutDocuments,
                              const std::function<void()>& limits = {}) const
    {
        QStringList arguments{QStringLiteral("index"), kDatabase, m_nimbra.drive().native(folder),
                              QStringLiteral("*.txt"), QStringLiteral("--update")};
        if (withoutDocuments)
            arguments.append(QStringLiteral("--without-documents"));
        return m_nimbra.run(arguments, NimbraChild::kHangSeconds, limits);
    }

    void sweep(bool withoutDocuments)
    {
        for (int i = 0; i < 12; ++i)
            m_nimbra.drive().write(QStringLiteral("C/Unterordner/Datei%1.txt").arg(i),
                                   lines(i % 2 ? "Wort" : "Wörter", 40 + 10 * i));
        ASSERT_EQ(index(QStringLiteral("A"), false).exitCode, 0);
        ASSERT_EQ(run(QStringLiteral("C"), withoutDocuments).exitCode, 0);
        const auto newState = m_nimbra.databaseFiles(kDatabase);
        ASSERT_EQ(run(QStringLiteral("A"), withoutDocuments).exitCode, 0);
        const auto oldState = m_nimbra.databaseFiles(kDatabase);
        ASSERT_NE(oldState, newState);

        // The largest file the run writes; the limits step from 0 past it in about 40 steps.
        rlim_t largest = 0;
        for (const auto& [file, hashAndSize] : newState)
            largest = std::max<rlim_t>(largest, hashAndSize.split(' ').last().toULongLong());
        const rlim_t step = largest / 40 + 1;
        int failed = 0;
        int steps = 0;
        for (rlim_t limit = 0; limit <= largest + step; limit += step, ++steps) {
            const NimbraChild::Finished limited =
                run(QStringLiteral("C"), withoutDocuments, fileSizeLimit(limit));
            const QString message = QString::fromUtf8(limited.err + limited.out);
            ASSERT_FALSE(limited.crashed) << "limit " << limit;
            if (limited.exitCode == 0) {
                EXPECT_EQ(m_nimbra.databaseFiles(kDatabase), newState) << "limit " << limit;
                EXPECT_TRUE(message.contains(QStringLiteral("Fertig mit der Indizierung")));
            } else {
                ++failed;
                EXPECT_EQ(limited.exitCode, 1) << "limit " << limit;
                EXPECT_TRUE(message.contains(QStringLiteral("konnte nicht geschrieben werden")) &&
                            message.contains(QStringLiteral("D:\\Datenbank\\Db")) &&
                            message.contains(QStringLiteral("Datei zu groß")))
                    << "limit " << limit << ": " << message.toStdString();
                EXPECT_FALSE(message.contains(QStringLiteral("Fertig"))) << "limit " << limit;
                EXPECT_EQ(m_nimbra.databaseFiles(kDatabase), oldState) << "limit " << limit;
            }
            EXPECT_EQ(m_nimbra.leftovers(0), QStringList()) << "limit " << limit;
            EXPECT_EQ(tempFiles(), QStringList()) << "limit " << limit;
            // Back to the earlier database for the next limit.
            if (limited.exitCode == 0) {
                ASSERT_EQ(run(QStringLiteral("A"), withoutDocuments).exitCode, 0);
            }
        }
        // The limits reach from failing every write to failing none.
        EXPECT_GT(failed, 0);
        EXPECT_LT(failed, steps);
    }
};

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

// A search writing its result pages and a sorted-list build, under every size limit: the
// complete output of an unlimited run, or exit status 1 and a German message naming the file
// with nothing of the cut output left (a list that existed stays as it was).
TEST_F(FileSizeLimitSweep, ResultPagesAndSortedLists)
{
    for (int i = 0; i < 60; ++i)
        m_nimbra.drive().write(QStringLiteral("C/Datei%1.txt").arg(i),
                               lines(i % 2 ? "Wort" : "Wörter", 5 + i));
    ASSERT_EQ(index(QStringLiteral("C"), false).exitCode, 0);
    const QStringList search{QStringLiteral("search"), kDatabase, QStringLiteral("Straße")};
    const QStringList sortlist{QStringLiteral("sortlist"), kDatabase, QStringLiteral("--mode"),
                               QStringLiteral("both")};
    for (const QStringList& command : {search, sortlist}) {
        const QString datenbank = m_nimbra.datenbank();
        const auto before = filesBelow(datenbank);
        ASSERT_EQ(m_nimbra.run(command).exitCode, 0);
        const auto complete = filesBelow(datenbank);
        ASSERT_NE(complete, before);
        qsizetype largest = 0;
        for (const auto& [name, bytes] : complete)
            largest = std::max(largest, bytes.size());
        const rlim_t step = rlim_t(largest) / 25 + 1;
        int failed = 0;
        int steps = 0;
        for (rlim_t limit = 0; limit <= rlim_t(largest) + step; limit += step, ++steps) {
            const auto old = filesBelow(datenbank);
            const NimbraChild::Finished limited =
                m_nimbra.run(command, NimbraChild::kHangSeconds, fileSizeLimit(limit));
            const QString message = QString::fromUtf8(limited.err + limited.out);
            ASSERT_FALSE(limited.crashed) << "limit " << limit;
            if (limited.exitCode == 0) {
                EXPECT_EQ(filesBelow(datenbank), complete) << "limit " << limit;
                continue;
            }
            ++failed;
            EXPECT_EQ(limited.exitCode, 1) << "limit " << limit;
            const bool named =
                command == search
                    ? message.contains(QStringLiteral("Die Datei D:\\Datenbank\\Temp\\"))
                    : message.contains(QStringLiteral("Die sortierte Liste D:\\Datenbank\\Db_")) ||
                          message.contains(
                              QStringLiteral("Die Zwischendatei D:\\Datenbank\\Temp\\"));
            EXPECT_TRUE(named &&
                        message.contains(QStringLiteral("konnte nicht geschrieben werden")) &&
                        message.contains(QStringLiteral("Datei zu groß")))
                << "limit " << limit << ": " << message.toStdString();
            const auto after = filesBelow(datenbank);
            for (const auto& [name, bytes] : after) {
                EXPECT_FALSE(name.endsWith(QStringLiteral(".tmp"))) << name.toStdString();
                // What is there is whole: the complete run's file or the earlier one.
                const auto whole = complete.find(name);
                const auto earlier = old.find(name);
                EXPECT_TRUE((whole != complete.end() && whole->second == bytes) ||
                            (earlier != old.end() && earlier->second == bytes))
                    << "limit " << limit << ": " << name.toStdString();
            }
        }
        EXPECT_GT(failed, 0) << command.first().toStdString();
        EXPECT_LT(failed, steps) << command.first().toStdString();
    }
}

TEST_F(FileSizeLimitSweep, APathListRun)
{
    sweep(true);
}

TEST_F(FileSizeLimitSweep, AnIndexedRun)
{
    sweep(false);
}

} // namespace
