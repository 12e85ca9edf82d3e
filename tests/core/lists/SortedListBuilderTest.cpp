#include "lists/SortedListBuilder.h"

#include "lists/ReferenceSortedList.h"
#include "lists/SectionSorter.h"
#include "lists/SortListTestSupport.h"
#include "platform/FileFacts.h"

#include <gtest/gtest.h>

using sortlist::SortMode;

namespace {

struct DifferentialCase {
    Family family;
    SortMode mode;
    quint32 seed;
    bool tiny; // tiny pieces and run budget, else the usual ones
};

std::string differentialName(const testing::TestParamInfo<DifferentialCase>& info)
{
    const char* const modeNames[] = {"Words", "Phrases", "WordsAndPhrases"};
    return familyName(info.param.family).toStdString() + modeNames[int(info.param.mode)] +
           std::to_string(info.param.seed) + (info.param.tiny ? "Tiny" : "");
}

class SortedListDifferentialTest : public testing::TestWithParam<DifferentialCase> {};

// Tiny pieces and a tiny run budget force cuts at almost every line and many spilled runs;
// the list must still be the plain sorted insertion's, as with the usual limits.
TEST_P(SortedListDifferentialTest, BuildsTheListOfThePlainSortedInsertion)
{
    const DifferentialCase& param = GetParam();
    SortListDatabase db;
    writeGeneratedSourceFiles(db.drive);
    const QByteArray document =
        encodedDocument(generatedDocumentText(param.seed, 1500), param.family);
    db.writeDocument(param.family, document);

    const QCollator collator = sortedListCollator();
    const QByteArray expected =
        referenceSortedList(document, param.family, param.mode, collator,
                            [](const QString& path) { return platform::exists(path); });
    RecordingTaskProgress reporter;
    TaskPacer pacer(reporter);
    SortListLimits limits;
    if (param.tiny) {
        limits.pieceSize = 256;
        limits.runBudget = 16384;
    }
    SortedListBuilder builder(db.paths, collator, reporter, pacer, limits);
    const Result<SortedListBuilder::Outcome> built =
        builder.build(db.database(), param.family, param.mode);
    ASSERT_TRUE(built.ok()) << built.error().toStdString();
    EXPECT_EQ(*built, SortedListBuilder::Outcome::Written);
    const QByteArray list = db.list(param.family);
    EXPECT_GT(list.count('\n'), 20); // the generated text gives a real list
    EXPECT_EQ(list, expected);
    EXPECT_TRUE(db.tempEntries().isEmpty()) << db.tempEntries().join(u' ').toStdString();
}

std::vector<DifferentialCase> differentialCases()
{
    std::vector<DifferentialCase> cases;
    for (const Family family : kFamilies) {
        for (const SortMode mode :
             {SortMode::Words, SortMode::Phrases, SortMode::WordsAndPhrases}) {
            cases.push_back({family, mode, 7, true});
            cases.push_back({family, mode, 4711, true});
            cases.push_back({family, mode, 99, false});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryModeAndEncoding, SortedListDifferentialTest,
                         testing::ValuesIn(differentialCases()), differentialName);

// The sorter on its own: more runs than one merge takes, and the first form of equal
// entries kept across runs.
TEST(SectionSorterTest, MergesManyRunsAndKeepsTheFirstFormMet)
{
    MappedDrive drive;
    RecordingTaskProgress reporter;
    TaskPacer pacer(reporter);
    const QCollator collator = sortedListCollator();
    SectionSorter sorter(collator, drive.program(), 512, pacer);
    QStringList added;
    for (int i = 0; i < 3000; ++i) {
        const QString entry =
            (i % 2 ? QStringLiteral("wort") : QStringLiteral("Wort")) + QString::number(i % 701);
        added.append(entry);
        ASSERT_TRUE(sorter.add(4, entry).ok());
    }
    EXPECT_GT(sorter.runCount(), 32);
    QStringList out;
    ASSERT_TRUE(sorter
                    .finish([&out](int section, QStringView entry) {
                        EXPECT_EQ(section, 4);
                        out.append(entry.toString());
                        return true;
                    })
                    .ok());
    QStringList expected;
    for (int i = 0; i < 701; ++i)
        expected.append(added[i]); // the first 701 are the first forms of the 701 entries
    std::sort(expected.begin(), expected.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    EXPECT_EQ(out, expected);
    sorter.removeRuns();
    EXPECT_TRUE(QDir(drive.native()).entryList(QDir::Files).isEmpty());
}

} // namespace
