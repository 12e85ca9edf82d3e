#include "viewer/TATStreamSearch.h"

#include "store/Windows1252.h"
#include "support/PlainStreamSearch.h"
#include "support/TempFolder.h"
#include "support/Utf16.h"
#include "viewer/BlockSearch.h"

#include <QBuffer>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

qint64 find(const QByteArray& stream, const QString& text, unsigned options = 0,
            TATEncoding encoding = vEncANSI, qint64 start = 0,
            qint64 blockSize = TATStreamSearch::kBlockSize)
{
    QBuffer buffer;
    buffer.setData(stream);
    buffer.open(QIODevice::ReadOnly);
    TATStreamSearch search(blockSize);
    search.setStream(&buffer);
    const Result<bool> found = search.FindFirst(text, encoding, options, start);
    EXPECT_TRUE(found.ok());
    return search.FoundStart();
}

QString randomText(QRandomGenerator& random, const QString& alphabet, int length)
{
    QString text;
    for (int i = 0; i < length; ++i)
        text += alphabet[random.bounded(alphabet.size())];
    return text;
}

} // namespace

// Random texts over a small alphabet, with blocks of a few bytes, so that matches, near
// matches and delimiters fall on block edges in every possible way.
TEST(TATStreamSearchDifferential, AgreesWithThePlainSearch)
{
    QRandomGenerator random(4711);
    const QString alphabet = QStringLiteral("abAB _.äÄ(");
    const TATEncoding encodings[] = {vEncANSI, vEncUnicodeLE, vEncUnicodeBE, vEncWEuroDOS};
    int found = 0;
    for (int round = 0; round < 6000; ++round) {
        const TATEncoding encoding = encodings[random.bounded(4)];
        const QString content = randomText(random, alphabet, int(random.bounded(1, 300)));
        const QString text =
            randomText(random, QStringLiteral("abAä _"), int(random.bounded(1, 5)));
        const unsigned options = unsigned(random.bounded(8));
        const qint64 cs = encodingCharSize(encoding);
        const qint64 blockSize = cs * (text.size() + 2 + random.bounded(20));
        QByteArray stream;
        if (cs == 2)
            stream = utf16(content, encoding == vEncUnicodeBE);
        else
            stream = cp1252::encode(content);
        if (random.bounded(4) == 0)
            stream.chop(1); // an odd UTF-16 length, a cut last character
        const qint64 start =
            random.bounded(5) == 0 ? 0 : qint64(random.bounded(-3, int(stream.size()) + 3));
        // FindFirst searches backward from the end when asked to start at 0.
        const qint64 effectiveStart =
            (options & ssoBackward) && start == 0 ? std::numeric_limits<qint64>::max() : start;
        const qint64 expected =
            plainsearch::search(stream, text, encoding, options, effectiveStart, blockSize);
        const qint64 actual = find(stream, text, options, encoding, start, blockSize);
        found += expected >= 0;
        ASSERT_EQ(actual, expected)
            << "round " << round << " encoding " << int(encoding) << " options " << options
            << " start " << start << " block " << blockSize << " text '" << text.toStdString()
            << "' in '" << content.toStdString() << "'";
    }
    EXPECT_GT(found, 500);
}

// The vector scan is used for blocks of 16 bytes and more; real-size blocks over long
// texts exercise it with every kind of text.
TEST(TATStreamSearchDifferential, AgreesOnLongStreamsWithRealBlocks)
{
    QRandomGenerator random(1207);
    for (int round = 0; round < 40; ++round) {
        const QString content = randomText(random, QStringLiteral("aab bA.ä_xyz\r\n"), 150000);
        const QByteArray stream = cp1252::encode(content);
        for (const unsigned options : {0u, 1u, 2u, 3u, 4u, 6u}) {
            const QString text =
                randomText(random, QStringLiteral("abAx"), int(random.bounded(1, 7)));
            const qint64 start = random.bounded(1, int(stream.size()));
            EXPECT_EQ(find(stream, text, options, vEncANSI, start, 65536),
                      plainsearch::search(stream, text, vEncANSI, options, start, 65536))
                << text.toStdString() << " options " << options;
        }
    }
}

TEST(TATStreamSearchTest, BlockEdgesBackwardSearchAndUtf16Offsets)
{
    QByteArray edge = QByteArray(65536 - 3, 'x') + "Zxqvw" + QByteArray(100, 'x');
    EXPECT_EQ(find(edge, u"Zxqvw"_s), 65533);
    EXPECT_EQ(find(edge, u"zXQVW"_s), 65533);
    EXPECT_EQ(find(edge, u"zXQVW"_s, ssoCaseSensitive), -1);
    // Backward from 0 means from the end.
    QByteArray far = "Haus " + QByteArray(200000, '.') + " Haus " + QByteArray(10, '.');
    EXPECT_EQ(find(far, u"haus"_s, ssoBackward), 200006);
    EXPECT_EQ(find(far, u"haus"_s, ssoBackward, vEncANSI, 200005), 0);
    // "ab" in big-endian is 00 61 00 62; here those bytes stand only at an odd offset.
    const QByteArray odd = "\x41" + utf16(u"ab"_s, true) + QByteArray(1, '\0');
    EXPECT_EQ(find(odd, u"ab"_s, 0, vEncUnicodeBE), -1);
    const QByteArray even = utf16(u"xxäb ÄB"_s, true);
    EXPECT_EQ(find(even, u"äb"_s, 0, vEncUnicodeBE), 4);
    EXPECT_EQ(find(even, u"äb"_s, ssoBackward, vEncUnicodeBE), 10);
    EXPECT_EQ(find(utf16(u"xxäb"_s), u"ÄB"_s, 0, vEncUnicodeLE), 4);
    // A text longer than a block ends without hanging.
    EXPECT_EQ(find(QByteArray(300000, 'a'), QString(70000, u'a')), -1);
    EXPECT_EQ(find(QByteArray(300000, 'a'), QString(65535, u'a')), 0);
}

TEST(TATStreamSearchTest, WholeWordsUmlautsAndEdgeCases)
{
    EXPECT_EQ(find("Zwort wort_ wort", u"wort"_s, ssoWholeWords), 12);
    EXPECT_EQ(find("(wort)", u"wort"_s, ssoWholeWords), 1);
    EXPECT_EQ(find("ein wort.", u"wort"_s, ssoWholeWords), 4);
    EXPECT_EQ(find("wort", u"wort"_s, ssoWholeWords), 0);
    EXPECT_EQ(find("wort xy", u"wort"_s, ssoWholeWords | ssoBackward), 0);
    EXPECT_EQ(find("xy wort", u"wort"_s, ssoWholeWords | ssoBackward), 3);
    EXPECT_EQ(find("w\xE4wort", u"wort"_s, ssoWholeWords), -1); // ä is a letter
    // Case-insensitive umlauts in an ANSI document; Š and š are in the code page.
    EXPECT_EQ(find("Viel \xC4RGER heute", u"ärger"_s), 5);
    EXPECT_EQ(find(QByteArray("STRASSE Stra\xDF") + "e", u"STRAßE"_s), 8);
    EXPECT_EQ(find("\x8Akoda", u"škoda"_s), 0);

    EXPECT_EQ(find("abc", QString()), -1);
    EXPECT_EQ(find(QByteArray(), u"a"_s), -1);
    EXPECT_EQ(find("a", u"a"_s, 0, vEncUnicodeLE), -1); // shorter than a character
    EXPECT_EQ(find("abc", u"c"_s, 0, vEncANSI, 3), -1);
    EXPECT_EQ(find("abc", u"a"_s, 0, vEncANSI, -7), 0);
    EXPECT_EQ(find("abc", u"a"_s, ssoBackward, vEncANSI, -1), -1);

    // Without a decoder every block reads as the one character "?", found at its start.
    ASSERT_FALSE(isEncodingAvailable(vEncArMac));
    EXPECT_EQ(find("abc abc", u"abc"_s, 0, vEncArMac), -1);
    EXPECT_EQ(find("abc abc", u"?"_s, 0, vEncArMac, 3), 3);
    EXPECT_EQ(find("abc abc", u"?"_s, ssoWholeWords, vEncArMac), 0);
}

namespace {

// A stream that counts its reads and can fail them.
class ProbeDevice : public QBuffer {
public:
    int reads = 0;
    bool failing = false;

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        ++reads;
        return failing ? -1 : QBuffer::readData(data, maxSize);
    }
};

} // namespace

TEST(TATStreamSearchTest, ReadErrorCancelAndProgressAfterEveryBlock)
{
    ProbeDevice device;
    device.setData(QByteArray(200000, 'a'));
    device.open(QIODevice::ReadOnly);
    TATStreamSearch search;
    search.setStream(&device);
    device.failing = true;
    const Result<bool> failed = search.FindFirst(u"b"_s, vEncANSI, 0, 0);
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.error(), u"Read error at offset 0"_s);

    // A cancel before the first block reads nothing (the failed read left nothing cached).
    device.failing = false;
    device.reads = 0;
    QList<qint64> positions;
    bool cancel = true;
    search.OnProgress = [&](qint64 current, qint64 maximal, bool& continueSearching) {
        positions.append(current);
        EXPECT_EQ(maximal, 200000);
        continueSearching = !cancel;
    };
    EXPECT_FALSE(*search.FindFirst(u"b"_s, vEncANSI, 0, 10));
    EXPECT_EQ(device.reads, 0);
    EXPECT_EQ(positions, QList<qint64>({10}));
    EXPECT_EQ(search.FoundStart(), -1);

    cancel = false;
    positions.clear();
    EXPECT_FALSE(*search.FindFirst(u"b"_s, vEncANSI, 0, 0));
    // Blocks advance by 65,536 minus the overlap of two characters.
    EXPECT_EQ(positions, QList<qint64>({0, 0, 65534, 131068, 196602}));
}

TEST(TATStreamSearchTest, FindNextStepsThroughEveryMatchBothWays)
{
    MappedDrive drive;
    drive.write(u"doc.txt"_s, "aaaa");
    TATStreamSearch search;
    ASSERT_TRUE(search.setFileName(drive.program(u"doc.txt"_s)).ok());
    EXPECT_TRUE(*search.FindFirst(u"aa"_s, vEncANSI, 0, 0));
    QList<qint64> starts = {search.FoundStart()};
    while (*search.FindNext())
        starts.append(search.FoundStart());
    EXPECT_EQ(starts, QList<qint64>({0, 1, 2}));
    EXPECT_EQ(search.FoundLength(), 0);

    EXPECT_TRUE(*search.FindFirst(u"aa"_s, vEncANSI, 0, 0));
    EXPECT_TRUE(*search.FindNext());
    EXPECT_TRUE(*search.FindNext(true)); // back again: from the match before
    EXPECT_EQ(search.FoundStart(), 0);
    EXPECT_EQ(search.FoundLength(), 2);

    EXPECT_FALSE(search.setFileName(drive.program(u"gone.txt"_s)).ok());
    EXPECT_EQ(search.FileName(), drive.program(u"gone.txt"_s));
}

TEST(TATStreamSearchTest, FindNextTakesOptionsAndTextFromTheSearchWindow)
{
    struct Window : StreamSearchSettings {
        bool caseSensitive() const override { return false; }
        bool wholeWords() const override { return whole; }
        QString currentSearchTerm() const override { return term; }
        QString textLookedFor() const override { return lookedFor; }
        bool titlePositionSearch() const override { return titles; }
        bool whole = true;
        bool titles = false;
        QString term = u"haus"_s;
        QString lookedFor = u"haus"_s;
    } window;
    QBuffer buffer;
    buffer.setData("#C:\\a.txt\r\nHAUSx haus #C:\\b.txt");
    buffer.open(QIODevice::ReadOnly);
    TATStreamSearch search;
    search.setStream(&buffer);
    search.setSettings(&window);
    ASSERT_TRUE(*search.FindFirst(u"haus"_s, vEncANSI, ssoCaseSensitive, 0));
    EXPECT_EQ(search.FoundStart(), 17);
    // The term starts the text looked for: whole words do not apply, case is ignored.
    EXPECT_TRUE(*search.FindNext(true));
    EXPECT_EQ(search.FoundStart(), 11);

    window.titles = true;
    window.lookedFor = u"#C:\\"_s;
    window.term = u"#"_s;
    EXPECT_TRUE(*search.FindNext());
    EXPECT_EQ(search.FoundStart(), 22);
    EXPECT_EQ(search.FoundLength(), 4);
}
