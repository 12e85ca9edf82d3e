#include "store/TMyFileReader.h"

#include "support/TempFolder.h"
#include "support/Utf16.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 G = TMyFileReader::kGranularity;

class TMyFileReaderTest : public testing::Test {
protected:
    std::unique_ptr<TMyFileReader> open(const QByteArray& bytes)
    {
        drive.write(u"f.txt"_s, bytes);
        auto reader = TMyFileReader::create(drive.program(u"f.txt"_s));
        EXPECT_TRUE(reader.ok()) << reader.error().toStdString();
        return reader.ok() ? std::move(reader).value() : nullptr;
    }

    static QList<QByteArray> readAll(TMyFileReader& reader)
    {
        QList<QByteArray> lines;
        while (!reader.atEnd() && lines.size() < 100000)
            lines.append(reader.readLine());
        return lines;
    }

    MappedDrive drive;
};

} // namespace

TEST_F(TMyFileReaderTest, WindowSizeIsTheLargestTheFileFills)
{
    EXPECT_EQ(open(QByteArray(3, 'a'))->windowSize(), 3);
    EXPECT_EQ(open(QByteArray(G - 1, 'a'))->windowSize(), G - 1);
    EXPECT_EQ(open(QByteArray(G, 'a'))->windowSize(), G);
    EXPECT_EQ(open(QByteArray(16 * G - 1, 'a'))->windowSize(), G);
    EXPECT_EQ(open(QByteArray(16 * G, 'a'))->windowSize(), 16 * G);
    EXPECT_EQ(open(QByteArray(224 * G, 'a'))->windowSize(), 224 * G);
}

TEST_F(TMyFileReaderTest, TinyFilesAndWhereLinesEnd)
{
    auto empty = open(QByteArray());
    EXPECT_TRUE(empty->atEnd());
    EXPECT_TRUE(empty->readLine().isEmpty());
    EXPECT_EQ(readAll(*open("a")), QList<QByteArray>({"a"}));
    EXPECT_EQ(readAll(*open("\r\n")), QList<QByteArray>({""}));
    EXPECT_EQ(readAll(*open("a\r\n")), QList<QByteArray>({"a"}));
    // Two bytes FF FE are no wide file: the flag needs at least three bytes.
    auto bom = open("\xFF\xFE");
    EXPECT_FALSE(bom->isWide());
    EXPECT_EQ(readAll(*bom), QList<QByteArray>({"\xFF\xFE"}));
    // Lines end at CR and skip one more character.
    EXPECT_EQ(readAll(*open("eins\r\nzwei\r\n\r\ndrei")),
              QList<QByteArray>({"eins", "zwei", "", "drei"}));
    // A lone CR also swallows the character after it, as the format expects.
    EXPECT_EQ(readAll(*open("ab\rcd\ref")), QList<QByteArray>({"ab", "d", "f"}));
    // With DLE as the delimiter a line is the whole text up to it.
    auto dle = open("eins\r\nzwei\x10Xdrei");
    dle->setDelimiter(0x10);
    EXPECT_EQ(dle->readLine(), "eins\r\nzwei");
    EXPECT_EQ(dle->readLine(), "drei");
    EXPECT_TRUE(dle->atEnd());
}

TEST_F(TMyFileReaderTest, LineOrDelimiterAcrossAWindowEdge)
{
    QByteArray bytes(G - 3, 'x');
    bytes += "yyyyyy\r\nrest";
    bytes += QByteArray(2 * G, 'z');
    auto reader = open(bytes);
    ASSERT_EQ(reader->windowSize(), G);
    const QList<QByteArray> lines = readAll(*reader);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QByteArray(G - 3, 'x') + "yyyyyy");
    EXPECT_EQ(lines[1], "rest" + QByteArray(2 * G, 'z'));
    // The delimiter as the last byte of a window.
    EXPECT_EQ(readAll(*open(QByteArray(G - 1, 'x') + "\r\nnext")),
              QList<QByteArray>({QByteArray(G - 1, 'x'), "next"}));
}

TEST_F(TMyFileReaderTest, WideFilesReadUnitsAfterTheByteOrderMark)
{
    auto reader = open("\xFF\xFE" + utf16(u"Grüße\r\nzwei"_s));
    ASSERT_TRUE(reader->isWide());
    EXPECT_EQ(reader->readLine(), utf16(u"Grüße"_s));
    EXPECT_EQ(reader->readLine(), utf16(u"zwei"_s));
    EXPECT_TRUE(reader->atEnd());

    // A CR unit at odd offset G - 1, across a window edge, after an odd seek.
    QByteArray bytes = "\xFF\xFE" + QByteArray(G - 2 - 1, 'a');
    bytes += QByteArray("\r\0\n\0b\0", 6) + QByteArray(G, 'c');
    reader = open(bytes);
    reader->seek(G - 5);
    EXPECT_EQ(reader->readLine(), QByteArray("aaaa"));
    EXPECT_EQ(reader->position(), G + 3);
}

TEST_F(TMyFileReaderTest, SeekInsideAndOutsideTheWindow)
{
    QByteArray bytes;
    for (int i = 0; i < 40000; ++i)
        bytes += QByteArray::number(i).rightJustified(6, '0') + "\r\n";
    auto reader = open(bytes);
    reader->seek(8 * 12345);
    EXPECT_EQ(reader->readLine(), "012345");
    reader->seek(8 * 39999);
    EXPECT_EQ(reader->readLine(), "039999");
    reader->seek(8);
    EXPECT_EQ(reader->readLine(), "000001");
    EXPECT_EQ(reader->position(), 16);
}

TEST_F(TMyFileReaderTest, FileShortenedAfterOpeningReadsWhatIsLeftAMissingOneFails)
{
    auto reader = open(QByteArray(3 * G, 'x') + "\r\nEnde");
    ASSERT_TRUE(QFile::resize(drive.native(u"f.txt"_s), G + 10));
    EXPECT_EQ(reader->readLine(), QByteArray(G + 10, 'x'));
    EXPECT_TRUE(reader->atEnd());

    auto gone = open("eins\r\nzwei");
    ASSERT_TRUE(QFile::resize(drive.native(u"f.txt"_s), 0));
    EXPECT_TRUE(gone->readLine().isEmpty());

    const auto missing = TMyFileReader::create(drive.program(u"gone.txt"_s));
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().startsWith(u"Es ist ein Fehler aufgetreten:\r\n"_s));
}
