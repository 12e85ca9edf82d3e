#include "indexer/TextLines.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

// The lines as one read of the whole text gives them: split at LF, one CR before it dropped.
QStringList wholeTextLines(const QString& text)
{
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

// Files of several megabytes, read in blocks, give the lines of a whole read: lines and
// UTF-8 sequences across block edges, a line longer than a block, a byte-order mark, a
// Windows-1252 file, a CR that is text, no final line break.
TEST(TextLinesTest, BlockwiseReadingGivesTheLinesOfAWholeRead)
{
    MappedDrive drive;
    QByteArray utf8 = "\xEF\xBB\xBF";
    for (int i = 0; i < 120000; ++i)
        utf8 += "D:\\Texte\\Gr\xC3\xB6\xC3\x9F"
                "e" +
                QByteArray::number(i) + "\r\n";
    utf8 += QByteArray(3 << 20, 'x') + "\r\nName mit CR\r\r\nletzte ohne Ende\xC3\xBC";
    QByteArray ansi = utf8;
    ansi.replace("\xC3\xB6\xC3\x9F", "\xF6\xDF");
    ansi.replace("\xC3\xBC", "\xFC");
    ansi.remove(0, 3);

    for (const QByteArray& bytes : {utf8, ansi}) {
        drive.write(QStringLiteral("liste.txt"), bytes);
        const QString path = drive.program(QStringLiteral("liste.txt"));
        const bool isUtf8 = bytes.startsWith("\xEF\xBB\xBF");
        QString text = isUtf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        const QStringList expected = wholeTextLines(text);

        const textlines::Scan scanned = textlines::scan(path);
        EXPECT_EQ(scanned.utf8, isUtf8);
        EXPECT_EQ(scanned.lines, expected.size());
        const QStringList read = textlines::read(path);
        ASSERT_EQ(read.size(), expected.size());
        for (qsizetype i = 0; i < read.size(); ++i)
            ASSERT_EQ(read[i], expected[i]) << "line " << i;
        EXPECT_EQ(expected.last(), QStringLiteral("letzte ohne Ende\u00FC"));
        EXPECT_EQ(expected[expected.size() - 2], QStringLiteral("Name mit CR\r"));

        int seen = 0;
        textlines::forEach(path, scanned, [&](const QString&) { return ++seen < 5; });
        EXPECT_EQ(seen, 5);
    }
    EXPECT_EQ(textlines::read(drive.program(QStringLiteral("fehlt.txt"))), QStringList());
}

} // namespace
