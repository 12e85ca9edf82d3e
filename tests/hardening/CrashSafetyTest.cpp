// A re-index killed with SIGKILL at random moments (while the file list is made, while
// the documents are built and joined, while the title positions are scanned) leaves the
// database exactly as the run before it left it, or exactly as a finished run leaves it.

#include "hardening/NimbraChild.h"

#include "store/Windows1252.h"
#include "support/Utf16.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <iostream>
#include <random>

namespace {

const QString kDatabase = QStringLiteral("Db");
const QString kWord = QStringLiteral("Kennwort");

// Text of one file: words in all three encodings' reach, the search word in every
// `wordEvery`-th file.
QString fileText(std::mt19937& random, int index, int wordEvery)
{
    static const QStringList words = {"Haus",   "Straße", "Brücke", "Öfen", "Mühle",
                                      "Wetter", "morgen", "Grüße",  "Zug",  "Ähre"};
    QString text;
    const int count = 300 + int(random() % 1500);
    for (int i = 0; i < count; ++i)
        text += words[int(random() % words.size())] +
                (i % 12 == 11 ? QStringLiteral("\r\n") : QStringLiteral(" "));
    if (index % wordEvery == 0)
        text += kWord;
    return text;
}

// About 3,000 files in three encodings below D:\<folder>: more than a partial document's
// worth of text in each, so a run writes parts and joins them.
void writeCorpus(const MappedDrive& drive, const QString& folder, int wordEvery, unsigned seed)
{
    std::mt19937 random(seed);
    for (int i = 0; i < 3000; ++i) {
        const QString text = fileText(random, i, wordEvery);
        QByteArray bytes;
        switch (i % 3) {
        case 0: bytes = cp1252::encode(text); break;
        case 1: bytes = text.toUtf8(); break;
        default: bytes = QByteArray("\xFF\xFE", 2) + utf16(text);
        }
        drive.write(QStringLiteral("%1/Ordner%2/Datei%3.txt").arg(folder).arg(i / 300).arg(i),
                    bytes);
    }
}

struct DatabaseState {
    std::map<QString, QByteArray> files;
    QByteArray hits; // what `nimbra search` prints for the word
};

class CrashSafetyTest : public testing::Test {
protected:
    QStringList indexArguments(const QString& folder, bool update) const
    {
        return m_nimbra.indexArguments(kDatabase, folder,
                                       update ? QStringList{"--new-list", "--update"}
                                              : QStringList{"--new-list"});
    }

    QByteArray search() const
    {
        const NimbraChild::Finished found =
            m_nimbra.run({QStringLiteral("search"), kDatabase, kWord});
        EXPECT_EQ(found.exitCode, 0) << found.err.toStdString();
        return found.out;
    }

    DatabaseState indexToEnd(const QString& folder, bool update)
    {
        QElapsedTimer clock;
        clock.start();
        const NimbraChild::Finished finished = m_nimbra.run(indexArguments(folder, update));
        m_runMilliseconds = std::max(m_runMilliseconds, clock.elapsed());
        EXPECT_EQ(finished.exitCode, 0) << finished.err.toStdString();
        EXPECT_TRUE(finished.out.contains("Fertig mit der Indizierung."))
            << finished.out.toStdString();
        return {m_nimbra.databaseFiles(kDatabase), search()};
    }

    NimbraChild m_nimbra;
    qint64 m_runMilliseconds = 0;
};

TEST_F(CrashSafetyTest, AKilledOrCancelledRunLeavesTheOldOrAWholeNewDatabase)
{
    writeCorpus(m_nimbra.drive(), "A", 5, 3);
    writeCorpus(m_nimbra.drive(), "B", 7, 4);
    const DatabaseState stateA = indexToEnd("A", false);
    const DatabaseState stateB = indexToEnd("B", true);
    ASSERT_EQ(stateA.files.size(), 7u);
    ASSERT_NE(stateA.files, stateB.files);
    ASSERT_NE(stateA.hits, stateB.hits);
    ASSERT_FALSE(stateA.hits.isEmpty());

    // Kill moments over the whole run; every fifth early, where the list is made.
    std::mt19937 random(2026);
    bool onA = false;
    int kept = 0;
    for (int kill = 0; kill < 30; ++kill) {
        const qint64 span = kill % 5 == 0 ? m_runMilliseconds / 10 : m_runMilliseconds;
        const int delay = int(random() % std::max<qint64>(span, 1));
        QProcess run;
        ASSERT_TRUE(m_nimbra.interrupt(run, indexArguments(onA ? "B" : "A", true), delay, SIGKILL));

        // A reader completes what the run decided; the database is one of the two, whole.
        const QByteArray hits = search();
        const std::map<QString, QByteArray> files = m_nimbra.databaseFiles(kDatabase);
        const bool isA = files == stateA.files;
        ASSERT_TRUE(isA || files == stateB.files) << "kill " << kill << " after " << delay << " ms";
        EXPECT_EQ(hits, isA ? stateA.hits : stateB.hits) << "kill " << kill;
        kept += isA == onA;
        onA = isA;
    }
    std::cout << kept << " of 30 kills kept the earlier database\n";

    // The next run succeeds and leaves nothing of the killed ones behind.
    const DatabaseState after = indexToEnd(onA ? "B" : "A", true);
    EXPECT_EQ(after.files, onA ? stateB.files : stateA.files);
    EXPECT_EQ(m_nimbra.leftovers(), QStringList());

    // Ctrl+C at random moments of a re-index from A to B: the run ends with 130 (or 0 when it
    // had already finished), and the database is A or a consistent new one: every hit of a
    // search on it names a file of its descriptor, with the text of that file.
    random.seed(4711);
    kept = 0;
    for (int cancel = 0; cancel < 20; ++cancel) {
        ASSERT_EQ(m_nimbra.run(indexArguments("A", true)).exitCode, 0);
        const int delay = int(random() % std::max<qint64>(m_runMilliseconds, 1));
        QProcess run;
        ASSERT_TRUE(m_nimbra.interrupt(run, indexArguments("B", true), delay, SIGINT));
        // Before its handler is installed or after it is gone, Ctrl+C ends the program as it
        // ends any other: before anything was written, or after the run was complete.
        const bool endedBySignal = run.exitStatus() == QProcess::CrashExit;
        EXPECT_TRUE(endedBySignal || run.exitCode() == 130 || run.exitCode() == 0)
            << "cancel " << cancel << " after " << delay << " ms: " << run.exitCode()
            << run.readAllStandardError().data();
        if (endedBySignal) {
            const auto files = m_nimbra.databaseFiles(kDatabase);
            EXPECT_TRUE(files == stateA.files || files == stateB.files) << "cancel " << cancel;
        }

        const std::map<QString, QByteArray> files = m_nimbra.databaseFiles(kDatabase);
        if (files == stateA.files) {
            ++kept;
            EXPECT_EQ(search(), stateA.hits);
            continue;
        }
        const QByteArray descriptor = m_nimbra.drive().read(QStringLiteral("Datenbank/Db.dat"));
        for (const QByteArray& line : search().split('\n')) {
            if (line.isEmpty())
                continue;
            const QByteArray path = line.left(line.indexOf('\t'));
            const QByteArray name = path.mid(path.lastIndexOf('\\') + 1);
            EXPECT_TRUE(path.startsWith("D:\\B\\") && descriptor.contains(name))
                << "cancel " << cancel << ": " << line.data();
        }
    }
    std::cout << kept << " of 20 cancels kept the earlier database\n";
    EXPECT_EQ(m_nimbra.leftovers(), QStringList());
}

// Ctrl+C at random moments of a search of a common word: the search ends with 130, says so
// with the number found so far, and its pages say "bisher" and that it was cancelled; a
// search that finished first says nothing of a cancel.
TEST_F(CrashSafetyTest, ACancelledSearchSaysSoOnTheCommandLineAndItsPages)
{
    writeCorpus(m_nimbra.drive(), "A", 5, 3);
    (void)indexToEnd("A", false);
    const QStringList arguments{QStringLiteral("search"), kDatabase, QStringLiteral("Haus")};
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(m_nimbra.run(arguments).exitCode, 0);
    const qint64 searchMilliseconds = std::max<qint64>(clock.elapsed(), 1);
    std::mt19937 random(1989);
    int cancelled = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int delay = int(random() % searchMilliseconds);
        QProcess run;
        ASSERT_TRUE(m_nimbra.interrupt(run, arguments, delay, SIGINT));
        if (run.exitStatus() == QProcess::CrashExit)
            continue; // before the handler was installed
        const QByteArray out = run.readAllStandardOutput();
        const QByteArray err = run.readAllStandardError();
        const QByteArray page =
            m_nimbra.drive().read(QStringLiteral("Datenbank/Temp/NB_Ergebnis.htm"));
        if (run.exitCode() == 0) {
            EXPECT_FALSE(err.contains("abgebrochen") || page.contains("abgebrochen"));
            continue;
        }
        ASSERT_EQ(run.exitCode(), 130) << err.toStdString();
        ++cancelled;
        const int found = int(out.count('\n'));
        EXPECT_TRUE(err.contains("Suche abgebrochen.\nBisher in " + QByteArray::number(found) +
                                 " Dateien gefunden.\n"))
            << err.toStdString();
        EXPECT_TRUE(page.contains("Die Suche wurde abgebrochen.")) << page.left(900).toStdString();
        EXPECT_TRUE(page.contains(" wurde bisher ")) << page.left(900).toStdString();
    }
    std::cout << cancelled << " of 8 searches were cancelled\n";
}

} // namespace
