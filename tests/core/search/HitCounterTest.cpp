#include "search/HitCounter.h"

#include "store/Windows1252.h"
#include "support/TempFolder.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr qint64 kWindow = MappedFile::kGranularity;

// Every start at which the pattern matches, compared byte by byte through the table.
std::vector<qint64> plainOccurrences(const QByteArray& text, const QByteArray& pattern)
{
    const auto& lower = cp1252::lowerTable();
    std::vector<qint64> found;
    for (qsizetype at = 0; at + pattern.size() <= text.size(); ++at) {
        qsizetype i = 0;
        while (i < pattern.size() && lower[uchar(text[at + i])] == lower[uchar(pattern[i])])
            ++i;
        if (i == pattern.size())
            found.push_back(at);
    }
    return found;
}

} // namespace

// Small windows and a three-letter alphabet in both cases, so that many matches cross a
// window edge; one pattern per text is longer than a window.
TEST(HitCounterTest, AgreesWithAPlainOverlappingCountAcrossWindowEdges)
{
    MappedDrive drive;
    const QString path = drive.program(QStringLiteral("t.txt"));
    const HitCounter counter(kWindow);
    QRandomGenerator random(4711);
    const char alphabet[] = "aAbB\xE4\xC4";
    for (int round = 0; round < 30; ++round) {
        QByteArray text(random.bounded(kWindow + 300, 4 * kWindow), Qt::Uninitialized);
        for (char& byte : text)
            byte = alphabet[random.bounded(6)];
        drive.write(QStringLiteral("t.txt"), text);
        for (int p = 0; p < 8; ++p) {
            QByteArray pattern;
            for (int n = random.bounded(1, 7); n > 0; --n)
                pattern.append(alphabet[random.bounded(6)]);
            if (p == 0)
                pattern = text.mid(random.bounded(text.size() - kWindow - 200), kWindow + 100);
            std::vector<qint64> offsets;
            const DocumentPattern ansi{pattern, Family::Ansi};
            const HitCounter::Outcome outcome =
                counter.visit(path, ansi, [&](qint64 at) { offsets.push_back(at); });
            ASSERT_EQ(offsets, plainOccurrences(text, pattern)) << "round " << round;
            EXPECT_EQ(outcome.occurrences, qint64(offsets.size()));
            EXPECT_EQ(counter.count(path, ansi).occurrences, outcome.occurrences);
        }
    }
}

TEST(HitCounterTest, FollowsTheCaseRulesOfEachDocument)
{
    struct Row {
        const char* name;
        Family family;
        QByteArray document; // null: no file
        QString text;
        qint64 expected;
    };
    const Row rows[] = {
        {"overlapping", Family::Ansi, "aaaa", "aa", 3},
        {"sharp s is no double s", Family::Ansi,
         "Strasse Stra\xDF"
         "e STRASSE",
         "straße", 1},
        {"ANSI umlaut in both cases", Family::Ansi, "\xC4pfel \xE4pfel", "äpfel", 2},
        {"UTF-8 umlaut in both cases", Family::Utf8, "\xC3\x84pfel \xC3\xA4pfel", "äpfel", 2},
        {"UTF-8 continuation bytes never fold alone", Family::Utf8,
         "\xC3\x8C"
         "bergang \xC3\x9A"
         "x",
         "Über", 0},
        {"UTF-8 Latin Extended-A", Family::Utf8, QStringLiteral("Łódź łÓDŹ").toUtf8(), "łódź", 2},
        {"Unicode umlaut in both cases", Family::Unicode,
         DocumentPattern::of(QStringLiteral("\uFEFFÄpfel äpfel"), Family::Unicode).bytes, "ÄPFEL",
         2},
        {"Unicode Cyrillic in both cases", Family::Unicode,
         DocumentPattern::of(QStringLiteral("\uFEFFДом дом"), Family::Unicode).bytes, "ДОМ", 2},
        {"Unicode: no match at an odd offset", Family::Unicode,
         QByteArray("\xFF\xFE\x41\x61\0\0", 6), "a", 0},
        {"no file", Family::Ansi, QByteArray(), "a", 0},
    };
    const HitCounter counter;
    for (const Row& row : rows) {
        MappedDrive drive;
        if (!row.document.isNull())
            drive.write(QStringLiteral("doc.txt"), row.document);
        const HitCounter::Outcome outcome = counter.count(
            drive.program(QStringLiteral("doc.txt")), DocumentPattern::of(row.text, row.family));
        EXPECT_EQ(outcome.occurrences, row.expected) << row.name;
    }
}
