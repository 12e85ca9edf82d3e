#include "lists/SortedLists.h"

#include "cli/CommandLine.h"
#include "lists/SortListTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using sortlist::SortMode;
using Kind = sortedlists::BuildEnd::Kind;

namespace {

struct EdgeCase {
    const char* name;
    Family family;
    SortMode mode;
    QString document;
    QString list;
};

class SortedListEdgeTest : public testing::TestWithParam<EdgeCase> {};

TEST_P(SortedListEdgeTest, WritesTheList)
{
    const EdgeCase& edge = GetParam();
    SortListDatabase db;
    db.drive.write(u"q/Äpfel.txt"_s, "x");
    db.writeDocument(edge.family, encodedDocument(edge.document, edge.family));
    RecordingTaskProgress reporter;
    const sortedlists::BuildEnd end = db.build(edge.mode, reporter);
    ASSERT_EQ(end.kind, Kind::Finished) << end.message.toStdString();
    EXPECT_EQ(db.list(edge.family), encodedDocument(edge.list, edge.family));
    for (const Family other : kFamilies) {
        if (other != edge.family) {
            EXPECT_TRUE(db.list(other).isEmpty()) << "only the document's own list";
        }
    }
}

const QString kHeader = u" \r\n \r\n \r\n#D:\\q\\Äpfel.txt\r\n==========\r\n"_s;

INSTANTIATE_TEST_SUITE_P(
    Cases, SortedListEdgeTest,
    testing::Values(
        EdgeCase{"DuplicatesIgnoreCase", Family::Ansi, SortMode::Words,
                 u"Das Haus, das Haus; Auto:Bahn\r\n"_s, u"Auto\r\nBahn\r\nDas\r\nHaus\r\n"_s},
        EdgeCase{"SectionsByFirstCharacter", Family::Ansi, SortMode::Words,
                 u"Zebra ßuppe Äste 123 éclair Mond öde Gras ab\r\n"_s,
                 u"Äste\r\nGras\r\nMond\r\nöde\r\nZebra\r\n123\r\néclair\r\nßuppe\r\n"_s},
        EdgeCase{"ShortWordsAndPhrasesNeverAppear", Family::Ansi, SortMode::WordsAndPhrases,
                 u"ab, a b, Wort, Satz mit Blank\r\n"_s,
                 u"Blank\r\nmit\r\nSatz\r\nSatz mit Blank\r\nWort\r\n"_s},
        EdgeCase{"DashesDropTheLineInEveryMode", Family::Ansi, SortMode::WordsAndPhrases,
                 u"Haus ---- Hof, und so weiter\r\nBaum\r\n"_s, u"Baum\r\n"_s},
        EdgeCase{"QuestionMarksDropOnlyInWordsMode", Family::Ansi, SortMode::Words,
                 u"Was?? Nein\r\nBaum\r\n"_s, u"Baum\r\n"_s},
        EdgeCase{"QuestionMarksStayInCombinedMode", Family::Ansi, SortMode::WordsAndPhrases,
                 u"Was?? Nein\r\n"_s, u"Nein\r\nWas??\r\nWas?? Nein\r\n"_s},
        EdgeCase{"ApostrophesCutTheFirstCharacter", Family::Ansi, SortMode::Phrases,
                 u"x ''Zitat hier''\r\n"_s, u"'Zitat hier''\r\n"_s},
        EdgeCase{"TabsBecomeBlanksForPhrasesOfTheCombinedMode", Family::Ansi,
                 SortMode::WordsAndPhrases, u"Alt\tNeu\r\n"_s, u"Alt\r\nAlt Neu\r\nNeu\r\n"_s},
        EdgeCase{"HeaderOfAnExistingFileInSection6", Family::Ansi, SortMode::Words,
                 kHeader + u"Baum\r\n#D:\\q\\weg.txt\r\n"_s, u"Baum\r\n#D:\\q\\Äpfel.txt\r\n"_s},
        EdgeCase{"Utf8DecodedUmlautPathsAndOneBlankLine", Family::Utf8, SortMode::Words,
                 kHeader + u"Übel äußerst\r\n"_s,
                 u"äußerst\r\nÜbel\r\n \r\n#D:\\q\\Äpfel.txt\r\n"_s},
        // A short path's rule has fewer than ten "=": it goes as the line under the title.
        EdgeCase{"TheShortRuleUnderATitleLineIsNoWord", Family::Ansi, SortMode::Words,
                 u" \r\n \r\n \r\n#D:\\q\\Äpfel.txt\r\n====\r\nBaum\r\n===\r\n"_s,
                 u"Baum\r\n===\r\n#D:\\q\\Äpfel.txt\r\n"_s},
        EdgeCase{"UnicodeLaterByteOrderMarksAreNoText", Family::Unicode, SortMode::Words,
                 kHeader + u"Baum\r\n\uFEFF \r\n"_s + kHeader, u"Baum\r\n#D:\\q\\Äpfel.txt\r\n"_s}),
    [](const testing::TestParamInfo<EdgeCase>& info) { return std::string(info.param.name); });

// No documents: the message and nothing else; a document too short to sort is skipped.
TEST(SortedListsTest, NoDocumentsGiveTheMessageShortOnesAreSkippedTheOthersLabelled)
{
    SortListDatabase db;
    db.drive.write(u"Datenbank/Temp/NB_Ergebnis.htm"_s, "x");
    RecordingTaskProgress none;
    const sortedlists::BuildEnd nothing = db.build(SortMode::Words, none);
    EXPECT_EQ(nothing.kind, Kind::NoDocuments);
    EXPECT_EQ(nothing.message, QStringLiteral("Für die Datenbank \"L\" existieren keine Dokumente, "
                                              "die sortiert werden könnten!"));
    EXPECT_TRUE(db.tempEntries().isEmpty()); // emptied first, as every build does
    EXPECT_TRUE(none.captions.isEmpty());

    db.writeDocument(Family::Ansi, "Baum"); // 4 bytes: skipped
    db.writeDocument(Family::Utf8, "Baum\r\n");
    db.writeDocument(Family::Unicode, encodedDocument(u"Baum"_s, Family::Unicode));
    RecordingTaskProgress reporter;
    const sortedlists::BuildEnd end = db.build(SortMode::Words, reporter);
    EXPECT_EQ(end.kind, Kind::Finished);
    EXPECT_EQ(end.written, (QList<Family>{Family::Utf8, Family::Unicode}));
    EXPECT_EQ(reporter.statuses, (QStringList{u"Sortierte Liste von: L_UTF8Dokument.txt"_s,
                                              u"Sortierte Liste von: L_UnicodeDokument.txt"_s}));
    EXPECT_EQ(reporter.captions.value(0), u"Sortierung von: \"L\" läuft."_s);
    EXPECT_TRUE(db.list(Family::Ansi).isEmpty());
    EXPECT_EQ(sortedlists::loadButtons(db.database()), (std::array<bool, 3>{true, true, true}));
}

// Every look at the cancel request in turn answers Yes: while counting, splitting, spilling
// and merging. The build ends cancelled, no list changes and no run is left.
TEST(SortedListsTest, CancelAtAnyPointKeepsTheOldListAndRemovesTheRuns)
{
    SortListDatabase db;
    writeGeneratedSourceFiles(db.drive);
    db.writeDocument(Family::Ansi, encodedDocument(generatedDocumentText(3, 800), Family::Ansi));
    SortListLimits limits;
    limits.pieceSize = 300;
    limits.runBudget = 8192;
    limits.eventIntervalMs = 0;
    RecordingTaskProgress probe;
    ASSERT_EQ(db.build(SortMode::WordsAndPhrases, probe, limits).kind, Kind::Finished);
    const int polls = probe.cancelPolls;
    ASSERT_GT(polls, 30);
    int withRuns = 0;
    for (int at = 1; at < polls; at += std::max(1, polls / 40)) {
        db.writeList(Family::Ansi, "alt\r\n");
        RecordingTaskProgress reporter;
        reporter.cancelWhen = [&](RecordingTaskProgress& r) {
            if (r.cancelPolls == at && !db.tempEntries().isEmpty())
                ++withRuns;
            return r.cancelPolls >= at;
        };
        const sortedlists::BuildEnd end = db.build(SortMode::WordsAndPhrases, reporter, limits);
        EXPECT_EQ(end.kind, Kind::Cancelled) << at;
        EXPECT_EQ(db.list(Family::Ansi), QByteArray("alt\r\n")) << at;
        EXPECT_TRUE(db.tempEntries().isEmpty()) << at;
    }
    EXPECT_GT(withRuns, 3); // cancels came while runs were being written and merged
}

// A cancel at any look at the request, also the one right after a list was committed: every
// list that was replaced is reported, and no other.
TEST(SortedListsTest, ACancelReportsEveryListReplacedBeforeIt)
{
    SortListDatabase db;
    writeGeneratedSourceFiles(db.drive);
    for (const Family family : {Family::Ansi, Family::Utf8})
        db.writeDocument(family, encodedDocument(generatedDocumentText(5, 200), family));
    SortListLimits limits;
    limits.eventIntervalMs = 0;
    RecordingTaskProgress probe;
    ASSERT_EQ(db.build(SortMode::Words, probe, limits).kind, Kind::Finished);
    int reportedBeforeTheEnd = 0;
    for (int at = 1; at <= probe.cancelPolls; ++at) {
        for (const Family family : {Family::Ansi, Family::Utf8})
            db.writeList(family, "alt\r\n");
        RecordingTaskProgress reporter;
        reporter.cancelWhen = [at](RecordingTaskProgress& r) { return r.cancelPolls >= at; };
        const sortedlists::BuildEnd end = db.build(SortMode::Words, reporter, limits);
        for (const Family family : {Family::Ansi, Family::Utf8}) {
            const bool replaced = db.list(family) != QByteArray("alt\r\n");
            EXPECT_EQ(end.written.contains(family), replaced) << "cancel at " << at;
        }
        reportedBeforeTheEnd += end.kind == Kind::Cancelled && !end.written.isEmpty();
    }
    EXPECT_GT(reportedBeforeTheEnd, 0);
}

// Events get through (and a cancel is seen) in every phase: while the document is read,
// while runs are spilled to Temp, and while they are merged into the list being written.
TEST(SortedListsTest, LetsEventsThroughInEveryPhase)
{
    SortListDatabase db;
    writeGeneratedSourceFiles(db.drive);
    db.writeDocument(Family::Utf8, encodedDocument(generatedDocumentText(17, 6000), Family::Utf8));
    SortListLimits limits;
    limits.runBudget = 8192;
    limits.eventIntervalMs = 0; // every pacing point asks
    RecordingTaskProgress reporter;
    int beforeRuns = 0;
    int withRuns = 0;
    int whileWriting = 0;
    reporter.cancelWhen = [&](RecordingTaskProgress&) {
        const bool writing = !db.databaseEntries().filter(u".tmp"_s).isEmpty();
        const bool runs = !db.tempEntries().isEmpty();
        whileWriting += writing;
        withRuns += runs && !writing;
        beforeRuns += !runs && !writing;
        return false;
    };
    EXPECT_EQ(db.build(SortMode::WordsAndPhrases, reporter, limits).kind, Kind::Finished);
    EXPECT_GT(beforeRuns, 3);
    EXPECT_GT(withRuns, 3);
    EXPECT_GT(whileWriting, 3);
}

TEST(SortedListsTest, CancelledBuildNeverEndsWithFertig)
{
    sortedlists::SortPanel panel;
    panel.open();
    ASSERT_TRUE(panel.beginBuild(u"L"_s));
    for (int tick = 0; tick < sortedlists::SortPanel::kTimerTicks; ++tick)
        panel.timerTick();
    EXPECT_FALSE(panel.view().timerRunning);
    panel.cancelClicked(); // after the timer has stopped
    EXPECT_EQ(panel.view().caption, sortedlists::cancelCaption());
    panel.endBuild({Kind::Finished, QString(), {}});
    EXPECT_FALSE(panel.view().visible);
    EXPECT_EQ(panel.view().label, u"Sortierte Liste von: "_s);
    EXPECT_TRUE(panel.view().caption.isEmpty());

    panel.open();
    EXPECT_FALSE(panel.cancelRequested());
    ASSERT_TRUE(panel.beginBuild(u"L"_s));
    panel.endBuild({Kind::Finished, QString(), {}});
    EXPECT_EQ(panel.view().label, u"Fertig"_s);
    EXPECT_TRUE(panel.view().visible);
}

struct BadInput {
    const char* name;
    std::function<void(SortListDatabase&)> whileSplitting;
    const char* messageStart;
};

class SortedListBadInputTest : public testing::TestWithParam<BadInput> {};

TEST_P(SortedListBadInputTest, GivesAMessageAndKeepsTheOldList)
{
    SortListDatabase db;
    writeGeneratedSourceFiles(db.drive);
    db.writeDocument(Family::Ansi, encodedDocument(generatedDocumentText(5, 3000), Family::Ansi));
    db.writeList(Family::Ansi, "alt\r\n");
    SortListLimits limits;
    limits.pieceSize = 400;
    limits.runBudget = 8192;
    limits.eventIntervalMs = 0;
    RecordingTaskProgress reporter;
    bool done = false;
    reporter.onCaption = [&](RecordingTaskProgress& r) {
        if (!done && r.captions.last().startsWith(u"ANSI "_s)) {
            done = true;
            GetParam().whileSplitting(db);
        }
    };
    const sortedlists::BuildEnd end = db.build(SortMode::Phrases, reporter, limits);
    ASSERT_TRUE(done);
    EXPECT_EQ(end.kind, Kind::Failed);
    EXPECT_TRUE(end.message.startsWith(QString::fromUtf8(GetParam().messageStart)))
        << end.message.toStdString();
    EXPECT_EQ(db.list(Family::Ansi), QByteArray("alt\r\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortedListBadInputTest,
    testing::Values(
        BadInput{"DocumentRemoved",
                 [](SortListDatabase& db) {
                     QFile::remove(db.drive.native(u"Datenbank/L_AnsiDokument.txt"_s));
                 },
                 "Das Dokument D:\\Datenbank\\L_AnsiDokument.txt ist während des Sortierens"},
        BadInput{"DocumentShortened",
                 [](SortListDatabase& db) {
                     QFile::resize(db.drive.native(u"Datenbank/L_AnsiDokument.txt"_s), 10);
                 },
                 "Das Dokument D:\\Datenbank\\L_AnsiDokument.txt ist während des Sortierens"},
        // A file where the folder should be: no run can be written there, even by root.
        BadInput{"TempNotWritable",
                 [](SortListDatabase& db) {
                     QDir(db.drive.native(u"Datenbank/Temp"_s)).removeRecursively();
                     db.drive.write(u"Datenbank/Temp"_s, "kein Ordner");
                 },
                 "Die Zwischendatei D:\\Datenbank\\Temp\\SortierLauf"}),
    [](const testing::TestParamInfo<BadInput>& info) { return std::string(info.param.name); });

TEST(SortedListsTest, CommandLineWritesEveryListAndRefusesWrongCalls)
{
    SortListDatabase db;
    db.writeDocument(Family::Ansi, "Baum Haus\r\n");
    db.writeDocument(Family::Utf8, "Übel Öfen\r\n");
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const QString base = db.drive.native();
    EXPECT_EQ(runCommandLine({"--base", base, "sortlist", "L"}, outStream, errStream), 0);
    EXPECT_EQ(db.list(Family::Ansi), QByteArray("Baum\r\nHaus\r\n"));
    EXPECT_EQ(db.list(Family::Utf8), QString("Öfen\r\nÜbel\r\n").toUtf8());
    EXPECT_EQ(
        runCommandLine({"--base", base, "sortlist", "L", "--mode", "alles"}, outStream, errStream),
        2);
    EXPECT_EQ(runCommandLine({"--base", base, "sortlist", "Fehlt"}, outStream, errStream), 2);
}

} // namespace
