#include "search/TitlePositionList.h"

#include <QRandomGenerator>
#include <QStringList>

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

TEST(TitlePositionListTest, DecodesThePathsOfEachFamily)
{
    const QByteArray once = "20 #D:\\a.txt\r\n98 #D:\\M\xC3\xBCll\\\xE2\x82\xACuro.txt\r\n";
    const QByteArray twice =
        "20 #D:\\a.txt\r\n98 #D:\\M\xC3\x83\xC2\xBCll\\\xC3\xA2\xE2\x80\x9A\xC2\xACuro.txt\r\n";
    for (const auto& [family, bytes] :
         {std::pair(Family::Ansi, once), std::pair(Family::Utf8, twice),
          std::pair(Family::Unicode, once)}) {
        const TitlePositionList list = TitlePositionList::parse(bytes, family);
        EXPECT_EQ(list.size(), 2);
        EXPECT_EQ(list.pathAt(19), QString());
        EXPECT_EQ(list.pathAt(20), QStringLiteral("D:\\a.txt"));
        EXPECT_EQ(list.pathAt(97), QStringLiteral("D:\\a.txt"));
        // The successor's title line belongs to its own file.
        EXPECT_EQ(list.pathAt(98), QStringLiteral("D:\\Müll\\€uro.txt"));
    }
}

TEST(TitlePositionListTest, JunkLinesCountAsOffsetZeroWithoutPath)
{
    const TitlePositionList list =
        TitlePositionList::parse("abc\nx7 #D:\\x\r\n50 #D:\\y\r\r\n60 #D:\\z", Family::Ansi);
    EXPECT_EQ(list.size(), 5);
    EXPECT_EQ(list.pathAt(0), QStringLiteral("D:\\x")); // "x7" counts as 0
    EXPECT_EQ(list.pathAt(49), QStringLiteral("D:\\x"));
    EXPECT_EQ(list.pathAt(50), QString()); // the empty line (offset 0) cuts y's claim short
    EXPECT_EQ(list.pathAt(60), QStringLiteral("D:\\z"));
    EXPECT_TRUE(TitlePositionList::read(QStringLiteral("Q:\\fehlt.txt"), Family::Ansi).isEmpty());
}

// The plain lookup, line by line on the line texts: the first line with a path whose offset
// is at most the hit and whose successor's offset is greater.
QString lineScan(const QStringList& lines, qint64 hit)
{
    const auto startOf = [&](qsizetype i) {
        const qsizetype blank = lines[i].indexOf(u' ');
        bool ok = false;
        const qint64 start = blank < 0 ? 0 : lines[i].left(blank).toLongLong(&ok);
        return ok ? start : 0;
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (startOf(i) > hit || (i + 1 < lines.size() && startOf(i + 1) <= hit))
            continue;
        const qsizetype at = lines[i].indexOf(QStringLiteral(" #"));
        if (at >= 0 && at + 2 < lines[i].size())
            return lines[i].mid(at + 2);
    }
    return QString();
}

TEST(TitlePositionListTest, BinarySearchAgreesWithTheLineScan)
{
    QRandomGenerator random(11);
    for (int round = 0; round < 3000; ++round) {
        QStringList lines;
        qint64 offset = 0;
        for (int n = random.bounded(12); n > 0; --n) {
            offset += random.bounded(4) == 0 ? 0 : random.bounded(8); // duplicates
            const qint64 junk[] = {random.bounded(60), kMax, kMin};   // out of order
            const int kind = random.bounded(20);
            const QString number = QString::number(kind < 3 ? junk[kind] : offset);
            const QString lineKinds[] = {QStringLiteral("junk"), QString(), number + u" ohne"_s,
                                         u"x #D:\\j"_s + number, number + u" #"_s};
            lines << (kind >= 3 && kind < 8 ? lineKinds[kind - 3]
                                            : number + u" #D:\\p"_s + QString::number(n));
        }
        const QByteArray file = (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8();
        const TitlePositionList list = TitlePositionList::parse(file, Family::Ansi);
        QList<qint64> hits = {kMin, -1, kMax - 1, kMax};
        for (qint64 hit = 0; hit <= offset + 2; ++hit)
            hits << hit;
        for (const qint64 hit : hits)
            ASSERT_EQ(list.pathAt(hit), lineScan(lines, hit)) << hit << " in " << file.constData();
    }
}

} // namespace
