#include "indexer/TitlePositionScan.h"

#include "store/Windows1252.h"
#include "support/RecordingTaskProgress.h"
#include "support/TempFolder.h"
#include "support/Utf16.h"

#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A normal source file's section: three blank lines, title line, rule, text.
QString section(const QString& path, const QString& text)
{
    return u" \r\n \r\n \r\n#"_s + path + u"\r\n"_s +
           QString(std::max<qsizetype>(0, path.size() - 10), u'=') + u"\r\n"_s + text + u"\r\n"_s;
}

QByteArray encode(Family family, const QString& text)
{
    if (family != Family::Unicode)
        return family == Family::Ansi ? cp1252::encode(text) : text.toUtf8();
    return QByteArray("\xFF\xFE", 2) + utf16(text);
}

class TitlePositionScanTest : public ::testing::Test {
protected:
    TitlePositionScanTest()
    {
        m_drive.write(u"Datenbank/Test.dat"_s, "PFAD_UND_ENDUNGEN= D:\\Texte *.txt    \r\n");
    }
    // Below the mapped folder of D:.
    static QString relative(const QString& programPath)
    {
        return programPath.mid(3).replace(u'\\', u'/');
    }
    QString document(Family family) const { return relative(m_paths.document(u"Test"_s, family)); }
    QString list(Family family) const
    {
        return relative(m_paths.titlePositions(u"Test"_s, family));
    }
    bool exists(const QString& file) const { return QFile::exists(m_drive.native(file)); }
    TitlePositionScan::Report scan(bool caseSensitive = false)
    {
        TitlePositionScan scan(m_paths, m_task);
        return scan.run(u"Test"_s, caseSensitive);
    }

    MappedDrive m_drive;
    DatabasePaths m_paths{u"D:\\"_s};
    RecordingTaskProgress m_task;
};

struct ListRow {
    const char* name;
    Family family;
    bool caseSensitive;
    QString text;
    QByteArray expected;
};

class TitlePositionScanListTest : public TitlePositionScanTest,
                                  public ::testing::WithParamInterface<ListRow> {};

// The UTF-8 list holds each byte of the document as its 1252 character: ü (C3 BC) is
// listed as Ã¼ (C3 83 C2 BC), € (E2 82 AC) as â‚¬ (C3 A2 E2 80 9A C2 AC).
const QString kTwoFiles = section(u"D:\\Texte\\a.txt"_s, u"Hallo"_s) +
                          section(u"D:\\Texte\\Müll\\€uro.txt"_s, u"Grüße"_s);
const QString kMarkerInText =
    section(u"D:\\a.txt"_s, u"Zeile\r\n#D:\\zitiert\r\nvor #D:\\mitten\r\nklein #d:\\x"_s);

// Longer than a viewer line: the list holds the whole path.
const QString kLongPath = u"D:\\"_s + QString(4000, u'p') + u".txt"_s;

const ListRow kListRows[] = {
    {"AnsiPathLongerThanAViewerLine", Family::Ansi, false, section(kLongPath, u"x"_s),
     "9 #" + kLongPath.toLatin1() + "\r\n"},
    {"UnicodePathLongerThanAViewerLine", Family::Unicode, false, section(kLongPath, u"x"_s),
     "20 #" + kLongPath.toLatin1() + "\r\n"},
    {"AnsiPaths", Family::Ansi, false, kTwoFiles,
     "9 #D:\\Texte\\a.txt\r\n48 #D:\\Texte\\M\xC3\xBCll\\\xE2\x82\xACuro.txt\r\n"},
    {"Utf8PathsEncodedTwice", Family::Utf8, false, kTwoFiles,
     "9 #D:\\Texte\\a.txt\r\n48 "
     "#D:\\Texte\\M\xC3\x83\xC2\xBCll\\\xC3\xA2\xE2\x80\x9A\xC2\xACuro.txt\r\n"},
    {"UnicodePaths", Family::Unicode, false, kTwoFiles,
     "20 #D:\\Texte\\a.txt\r\n98 #D:\\Texte\\M\xC3\xBCll\\\xE2\x82\xACuro.txt\r\n"},
    {"AnsiMarkerInText", Family::Ansi, false, kMarkerInText,
     "9 #D:\\a.txt\r\n29 #D:\\zitiert\r\n46 vor #D:\\mitten\r\n64 klein #d:\\x\r\n"},
    {"AnsiMarkerCaseSensitive", Family::Ansi, true, kMarkerInText,
     "9 #D:\\a.txt\r\n29 #D:\\zitiert\r\n46 vor #D:\\mitten\r\n"},
    {"UnicodeMarkerInText", Family::Unicode, false, kMarkerInText,
     "20 #D:\\a.txt\r\n60 #D:\\zitiert\r\n94 vor #D:\\mitten\r\n130 klein #d:\\x\r\n"},
    {"UnicodeMarkerCaseSensitive", Family::Unicode, true, kMarkerInText,
     "20 #D:\\a.txt\r\n60 #D:\\zitiert\r\n94 vor #D:\\mitten\r\n"},
};

TEST_P(TitlePositionScanListTest, WritesTheListByteForByte)
{
    const ListRow& row = GetParam();
    m_drive.write(document(row.family), encode(row.family, row.text));
    EXPECT_TRUE(scan(row.caseSensitive).ok());
    EXPECT_EQ(m_drive.read(list(row.family)).toStdString(), row.expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(TitlePositionScanRows, TitlePositionScanListTest,
                         ::testing::ValuesIn(kListRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TitlePositionScanTest, EmptyDocumentsGiveEmptyListsMissingOnesNone)
{
    m_drive.write(document(Family::Ansi), QByteArray());
    m_drive.write(document(Family::Unicode), "\xFF\xFE");
    EXPECT_TRUE(scan().ok());
    EXPECT_TRUE(exists(list(Family::Ansi)) && m_drive.read(list(Family::Ansi)).isEmpty());
    EXPECT_FALSE(exists(list(Family::Utf8)));
    EXPECT_TRUE(exists(list(Family::Unicode)) && m_drive.read(list(Family::Unicode)).isEmpty());
    EXPECT_EQ(m_task.captions,
              QStringList({u"ANSI-DB: Erstelle Liste der Datei-Positionen"_s, QString(),
                           u"UNICODE-DB: Erstelle Liste der Datei-Positionen"_s, QString()}));
}

TEST_F(TitlePositionScanTest, FailuresComeBackAndTheNextDocumentIsScanned)
{
    // A folder in the document's place exists but cannot be opened.
    m_drive.makeFolder(document(Family::Ansi));
    m_drive.write(document(Family::Utf8), encode(Family::Utf8, kTwoFiles));
    const TitlePositionScan::Report report = scan();
    ASSERT_EQ(report.failures.size(), 1);
    EXPECT_EQ(report.failures[0].caption, u"Error"_s);
    EXPECT_EQ(report.failures[0].text,
              u"D:\\Datenbank\\Test_AnsiDokument.txt kann nicht geöffnet werden."_s);
    EXPECT_TRUE(exists(list(Family::Ansi)) && m_drive.read(list(Family::Ansi)).isEmpty());
    EXPECT_TRUE(m_drive.read(list(Family::Utf8)).startsWith("9 #D:\\Texte\\a.txt\r\n"));

    m_drive.write(u"Datenbank/Test.dat"_s, "D:\\Texte\\a.txt\r\n");
    const TitlePositionScan::Report noHeader = scan();
    ASSERT_EQ(noHeader.failures.size(), 1);
    EXPECT_TRUE(noHeader.failures[0].text.contains(u"Test.dat"_s));
}

TEST_F(TitlePositionScanTest, CancelKeepsTheOldListsAndEndsTheScan)
{
    m_task.cancelWhen = [](RecordingTaskProgress&) { return true; };
    m_drive.write(list(Family::Ansi), "alt");
    m_drive.write(document(Family::Ansi), encode(Family::Ansi, kTwoFiles));
    m_drive.write(document(Family::Utf8), encode(Family::Utf8, kTwoFiles));
    EXPECT_TRUE(scan().cancelled);
    EXPECT_EQ(m_drive.read(list(Family::Ansi)), "alt");
    EXPECT_FALSE(exists(list(Family::Utf8)));
}

// Many sections over several stream-search blocks and viewer buffers, markers inside long
// lines: the list holds every marker and its line, at most 2,048 characters each way.
class TitlePositionScanLongTest : public TitlePositionScanTest,
                                  public ::testing::WithParamInterface<Family> {};

TEST_P(TitlePositionScanLongTest, ListsEveryMarkerLikeAPlainScan)
{
    static const QString kPieces[] = {u"a"_s,  u"ä"_s,   u"b c"_s, u"#"_s,
                                      u"D:"_s, u"xyz"_s, u"\r\n"_s};
    const QString marker = u"#D:\\"_s;
    QRandomGenerator random(7);
    QString text;
    while (text.size() < 2'000'000) {
        const int pieceKinds = random.bounded(3) == 0 ? 6 : 7; // some sections without breaks
        QString body;
        for (int n = random.bounded(3000); n > 0; --n) {
            const int pick = random.bounded(300);
            body += pick == 0 ? marker : kPieces[pick % pieceKinds];
        }
        text += section(u"D:\\Texte\\"_s + QString::number(text.size()), body);
    }
    const Family family = GetParam();
    QByteArray expected;
    for (qsizetype at = text.indexOf(marker); at >= 0; at = text.indexOf(marker, at + 1)) {
        // A listed line reaches as far as the longest path.
        const qsizetype lineStart = std::max(at - 32767, text.lastIndexOf(u'\n', at) + 1);
        const qsizetype lineEnd = std::min(at + 32767, text.indexOf(u'\r', at));
        const qint64 offset = family == Family::Unicode ? 2 + 2 * qint64(at) : at;
        expected += QByteArray::number(offset) + ' ' +
                    text.mid(lineStart, lineEnd - lineStart).toUtf8() + "\r\n";
    }
    m_drive.write(document(family), encode(family, text));
    EXPECT_TRUE(scan(true).ok());
    EXPECT_EQ(m_drive.read(list(family)).toStdString(), expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(TitlePositionScanFamilies, TitlePositionScanLongTest,
                         ::testing::Values(Family::Ansi, Family::Unicode),
                         [](const auto& info) { return familyName(info.param).toStdString(); });

} // namespace
