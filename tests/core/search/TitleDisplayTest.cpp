#include "search/TitleDisplay.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kList = "0 #D:\\Texte\\erste.txt\r\n"
                         "1500 #D:\\Texte\\zweite.txt\r\n"
                         "5000000000 #D:\\Texte\\M\xC3\xBCller.txt\r\n";

// Ten pixels a character, the label starting at 100.
int rightEdge(const QString& caption)
{
    return 100 + 10 * int(caption.size());
}

} // namespace

TEST(TitleDisplayTest, PositionWithThousandsSeparatorsAndThePathOfItsFile)
{
    const TitlePositionList titles = TitlePositionList::parse(kList, Family::Ansi);
    struct Case {
        qint64 position;
        QString caption;
        QString hint;
    };
    const Case cases[] = {
        {0, QStringLiteral("0  \"D:\\Texte\\erste.txt\""), QStringLiteral("D:\\Texte\\erste.txt")},
        {1499, QStringLiteral("1.499  \"D:\\Texte\\erste.txt\""),
         QStringLiteral("D:\\Texte\\erste.txt")},
        {1501, QStringLiteral("1.501  \"D:\\Texte\\zweite.txt\""),
         QStringLiteral("D:\\Texte\\zweite.txt")},
        // Past 4 GiB: the 64-bit offsets decide, not their low 32 bits.
        {5000000001, QStringLiteral("5.000.000.001  \"D:\\Texte\\Müller.txt\""),
         QStringLiteral("D:\\Texte\\Müller.txt")},
    };
    for (const Case& c : cases) {
        const TitleDisplay display = TitleDisplay::at(c.position, titles, false);
        EXPECT_EQ(display.caption, c.caption);
        EXPECT_EQ(display.hint, c.hint);
    }
    EXPECT_EQ(TitleDisplay::at(1501, titles, true).caption, QStringLiteral("1.501"));
    EXPECT_EQ(TitleDisplay::at(7, TitlePositionList(), false).caption, QStringLiteral("7"));
}

TEST(TitleDisplayTest, ShortenedBySevenCharactersWithDots)
{
    const QString caption = QStringLiteral("1.234  \"D:\\Texte\\ein sehr langer Name.txt\"");
    EXPECT_EQ(TitleDisplay::shortened(caption, rightEdge, 1000), caption);
    const QString cut = TitleDisplay::shortened(caption, rightEdge, 400);
    EXPECT_TRUE(cut.endsWith(QStringLiteral("...")));
    const QString kept = cut.chopped(3);
    EXPECT_TRUE(caption.startsWith(kept));
    EXPECT_EQ((caption.size() - kept.size()) % 7, 0);
    // The dots fit too; seven more characters would not have.
    EXPECT_LT(rightEdge(cut), 400);
    EXPECT_GE(rightEdge(caption.left(kept.size() + 7) + QStringLiteral("...")), 400);
    // A panel narrower than the label's left edge: the cutting ends at the empty caption.
    EXPECT_EQ(TitleDisplay::shortened(caption, rightEdge, 50), QStringLiteral("..."));
}
