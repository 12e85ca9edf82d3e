#include "search/HitNavigator.h"

#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"

#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <vector>

namespace {

const QString kLastHit = QStringLiteral("Dies ist die letzte Fundstelle.");
const QString kNotFound = QStringLiteral("Nicht gefunden!");

class HitNavigatorTest : public testing::Test {
protected:
    QString file(const QByteArray& bytes)
    {
        drive.write(QStringLiteral("d.txt"), bytes);
        return drive.program(QStringLiteral("d.txt"));
    }
    // The offsets shown by `presses` presses, -1 for a press that showed nothing.
    std::vector<qint64> press(const QString& path, const QByteArray& bytes, int presses)
    {
        const DocumentPattern pattern{bytes, Family::Ansi};
        std::vector<qint64> shown;
        for (int i = 0; i < presses; ++i) {
            qint64 at = -1;
            const auto hit = navigator.WeiterSuche(path, pattern, [&](const HitNavigator::Hit& h) {
                at = h.offset;
                EXPECT_EQ(h.length, bytes.size());
            });
            EXPECT_EQ(hit.has_value(), at >= 0);
            shown.push_back(at);
        }
        return shown;
    }

    MappedDrive drive;
    RecordingUserInterface ui;
    HitNavigator navigator{ui};
};

} // namespace

TEST_F(HitNavigatorTest, OverlappingOccurrencesThenTheLastHitMessageThenStartOver)
{
    const QString path = file("aaaa");
    EXPECT_EQ(press(path, "aa", 3), (std::vector<qint64>{0, 1, 2}));
    EXPECT_EQ(navigator.occurrences(), 3);
    EXPECT_EQ(ui.informations, QStringList{kLastHit});
    EXPECT_FALSE(navigator.collected());
    EXPECT_EQ(press(path, "aa", 2), (std::vector<qint64>{0, 1}));
    EXPECT_EQ(ui.informations.size(), 1);
    EXPECT_EQ(HitNavigator::occurrenceCaption(QStringLiteral("aa"), navigator.occurrences()),
              QStringLiteral("\"aa\" ist 3 mal in der angezeigten Datei enthalten."));
}

TEST_F(HitNavigatorTest, NothingFoundSaysSoExceptWhileCounting)
{
    const QString path = file("Haus und Hof");
    EXPECT_EQ(press(path, "garten", 1), std::vector<qint64>{-1});
    EXPECT_EQ(ui.informations, QStringList{kNotFound});
    navigator.setCountingMode(true);
    EXPECT_EQ(press(path, "garten", 1), std::vector<qint64>{-1});
    EXPECT_EQ(press(path, "HOF", 1), std::vector<qint64>{9}); // the only one: last, silent
    EXPECT_EQ(press(drive.program(QStringLiteral("fehlt.txt")), "haus", 1),
              std::vector<qint64>{-1});
    EXPECT_EQ(ui.informations.size(), 1);
}

TEST_F(HitNavigatorTest, AnotherTextOrFileStartsANewCollection)
{
    const QString path = file("ab ab ab cd cd");
    EXPECT_EQ(press(path, "ab", 2), (std::vector<qint64>{0, 3}));
    EXPECT_EQ(press(path, "cd", 1), std::vector<qint64>{9});
    EXPECT_EQ(navigator.occurrences(), 2);
    navigator.reset();
    EXPECT_EQ(press(path, "cd", 1), std::vector<qint64>{9});
}

// Random texts over a small alphabet in both cases: the presses show exactly the
// occurrences the collection visits, in order, across the growing scan windows. A rare
// pattern lets the windows grow between its hits; a dense one crosses every window edge.
TEST_F(HitNavigatorTest, StepsAgreeWithTheCollectionAcrossWindowEdges)
{
    QRandomGenerator random(8);
    const char alphabet[] = "xXy\xC4\xE4";
    for (int round = 0; round < 4; ++round) {
        const bool rare = round % 2 == 1;
        QByteArray text(rare ? random.bounded(5 * 65536, 7 * 65536)
                             : random.bounded(65536 + 500, 2 * 65536),
                        Qt::Uninitialized);
        for (char& byte : text)
            byte = alphabet[random.bounded(5)];
        const QByteArray pattern = rare ? QByteArray("y\xE4y\xC4x") : QByteArray("xyXy");
        const QString path = file(text);
        std::vector<qint64> expected;
        (void)HitCounter().visit(path, {pattern, Family::Ansi},
                                 [&](qint64 at) { expected.push_back(at); });
        ASSERT_FALSE(expected.empty());
        ui.informations.clear();
        EXPECT_EQ(press(path, pattern, int(expected.size())), expected) << round;
        EXPECT_EQ(ui.informations, QStringList{kLastHit});
    }
}

TEST_F(HitNavigatorTest, FileShrunkAfterTheCollectionIsCollectedAgain)
{
    const QString path = file("Wort Wort Wort");
    EXPECT_EQ(press(path, "wort", 2), (std::vector<qint64>{0, 5}));
    file("Wort");
    EXPECT_EQ(press(path, "wort", 1), std::vector<qint64>{0});
    QFile::remove(drive.native(QStringLiteral("d.txt")));
    EXPECT_EQ(press(path, "wort", 1), std::vector<qint64>{-1});
    EXPECT_EQ(ui.informations.last(), kNotFound);
}

// An offset past 4 GiB in a sparse file: found where it is, not at its low 32 bits.
TEST_F(HitNavigatorTest, NextOccurrenceBeyondFourGiB)
{
    const qint64 far = (qint64(1) << 32) + 100;
    QFile sparse(drive.native(QStringLiteral("gross.txt")));
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sparse.seek(far));
    ASSERT_EQ(sparse.write("Treffer"), 7);
    sparse.close();
    const QString path = drive.program(QStringLiteral("gross.txt"));
    EXPECT_EQ(HitNavigator::nextOccurrence(path, {"treffer", Family::Ansi}, far - 3 * 65536), far);
    EXPECT_EQ(HitNavigator::nextOccurrence(path, {"treffer", Family::Ansi}, far + 1), std::nullopt);
}
