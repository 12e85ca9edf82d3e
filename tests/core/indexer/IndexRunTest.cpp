#include "indexer/IndexRun.h"

#include "search/SearchDriver.h"
#include "store/Catalogue.h"
#include "store/DatabaseLock.h"
#include "support/RecordingTaskProgress.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"
#include "support/Utf16.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// The section of a normal file as the documents hold it, in 8-bit form.
QByteArray section(const QByteArray& path, const QByteArray& body, int ruleLength = -1)
{
    const int rule = ruleLength >= 0 ? ruleLength : std::max<int>(0, int(path.size()) - 10);
    return " \r\n \r\n \r\n#" + path + "\r\n" + QByteArray(rule, '=') + "\r\n" + body + "\r\n";
}

class IndexRunTest : public testing::Test {
protected:
    IndexRunTest() : paths(base.program()) { catalogue::ensureFolderTree(paths, ui); }

    // Lists the files as the list program would and runs the whole creation path.
    bool index(const QStringList& files, const QString& folder = u"D:\\Texte"_s,
               const QString& patterns = u"*.txt"_s)
    {
        QByteArray list;
        for (const QString& file : files)
            list += file.toUtf8() + "\r\n";
        base.write(u"Datenbank/Haupt_Dateinamen_Liste_Laufwerk_D.txt"_s, list);
        IndexRun run(paths, QString(), ui, reporter);
        const IndexRun::Request request{u"Test"_s, folder, patterns, updateMode, withoutDocuments};
        if (!run.confirm(request, catalogue::databaseNames(paths)))
            return false;
        EXPECT_TRUE(run.start(request).ok());
        const Status read = run.readList();
        EXPECT_TRUE(read.ok()) << read.error().toStdString();
        EXPECT_TRUE(run.finish(false).ok());
        logLines = run.logLines();
        return true;
    }
    QByteArray database(const QString& file) const { return base.read(u"Datenbank/Test"_s + file); }

    IsolatedSettings settings;
    MappedDrive drive{u'D'};
    MappedDrive base{u'E'};
    DatabasePaths paths;
    RecordingUserInterface ui;
    RecordingTaskProgress reporter;
    bool withoutDocuments = false;
    bool updateMode = false;
    QStringList logLines;
};

} // namespace

TEST_F(IndexRunTest, EveryClassByteForByte)
{
    drive.write(u"Texte/ansi.txt"_s, "Gr\xFC\xDF"
                                     "e\r\n\r\nEnde");
    drive.write(u"Texte/utf8.txt"_s, "Gr\xC3\xBC\xC3\x9F"
                                     "e");
    drive.write(u"Texte/bom8.txt"_s, "\xEF\xBB\xBF"
                                     "mit BOM");
    drive.write(u"Texte/le.txt"_s, QByteArray("\xFF\xFE", 2) + utf16(u"Größe"_s));
    drive.write(u"Texte/be.txt"_s, QByteArray("\xFE\xFF\x00\x41\x00\xDF", 6));
    drive.write(u"Texte/empty.txt"_s, QByteArray());
    drive.write(u"Texte/dle.txt"_s, "eins\x10Xzwei\x10Y");
    ASSERT_TRUE(index({"D:\\Texte\\ansi.txt", "\" utf8.txt", "\" bom8.txt", "\" le.txt",
                       "\" be.txt", "\" empty.txt", "\" dle.txt"}));

    EXPECT_EQ(database("_AnsiDokument.txt"), section("D:\\Texte\\ansi.txt", "Gr\xFC\xDF"
                                                                            "e\r\n\r\nEnde"));
    EXPECT_EQ(database("_UTF8Dokument.txt"), section("D:\\Texte\\utf8.txt", "Gr\xC3\xBC\xC3\x9F"
                                                                            "e") +
                                                 section("D:\\Texte\\bom8.txt", "\xEF\xBB\xBF"
                                                                                "mit BOM") +
                                                 section("D:\\Texte\\dle.txt", "eins\r\nzwei"));
    const auto wide = [](const QByteArray& ascii) { return utf16(QString::fromLatin1(ascii)); };
    EXPECT_EQ(database("_UnicodeDokument.txt"),
              QByteArray("\xFF\xFE", 2) + wide(section("D:\\Texte\\le.txt", "")).chopped(4) +
                  utf16(u"Größe"_s) + wide("\r\n") +
                  wide(section("D:\\Texte\\be.txt", "A\xDF", 15)));
    EXPECT_EQ(database("_Ansi_TitelPositionen.txt"), "9 #D:\\Texte\\ansi.txt\r\n");
    EXPECT_TRUE(database("_Unicode_TitelPositionen.txt").startsWith("20 #D:\\Texte\\le.txt\r\n"));
    EXPECT_EQ(database(".dat"),
              "PFAD_UND_ENDUNGEN= D:\\Texte *.txt    \r\n"
              "D:\\Texte\\ansi.txt\r\nD:\\Texte\\utf8.txt\r\nD:\\Texte\\bom8.txt\r\n"
              "D:\\Texte\\le.txt\r\nD:\\Texte\\be.txt\r\nD:\\Texte\\empty.txt\r\n"
              "D:\\Texte\\dle.txt\r\n");
    ASSERT_EQ(logLines.size(), 4);
    EXPECT_EQ(logLines[1], u"Dateien insgesamt: 7"_s);
    EXPECT_EQ(logLines[2], u"Konnten nicht indiziert werden: 0"_s);
    EXPECT_TRUE(logLines[3].startsWith(u"7 Doviruzu-Dateien wurden indiziert.   Zeit: 0:0:"_s));
    EXPECT_EQ(database(".log"), (logLines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8());
    EXPECT_EQ(reporter.statuses.last(), u"Fertig mit der Indizierung."_s);
}

TEST_F(IndexRunTest, MarkerInTheTextAndUmlautsInThePath)
{
    drive.write(u"Texte/Müller.txt"_s, "Zeile\r\n#D:\\Falsch\r\nRest");
    ASSERT_TRUE(index({"D:\\Texte\\Müller.txt"}));
    const QByteArray path = u"D:\\Texte\\Müller.txt"_s.toUtf8();
    EXPECT_EQ(database("_UTF8Dokument.txt"), section(path, "Zeile\r\n#D:\\Falsch\r\nRest", 9));
    // The UTF8 list takes the document's bytes one character per byte: ü is stored twice encoded.
    const QByteArray twice = u"D:\\Texte\\M\u00C3\u00BCller.txt"_s.toUtf8();
    EXPECT_EQ(database("_Utf8_TitelPositionen.txt"),
              "9 #" + twice + "\r\n" + QByteArray::number(9 + 1 + path.size() + 2 + 9 + 2 + 7) +
                  " #D:\\Falsch\r\n");
}

TEST_F(IndexRunTest, LargeFilesAreSplitAndComeFirst)
{
    drive.write(u"Texte/small.txt"_s, "klein");
    drive.write(u"Texte/exact.txt"_s, QByteArray(10000000, 'e'));
    drive.write(u"Texte/big.txt"_s, QByteArray(10000001, 'b'));
    ASSERT_TRUE(index({"D:\\Texte\\small.txt", "\" exact.txt", "\" big.txt"}));
    // Plain ASCII: all three files are UTF8 files.
    const QByteArray document = database("_UTF8Dokument.txt");
    const QByteArray bigHead = " \r\n \r\n#D:\\Texte\\big.txt\r\nSize: 9,54 MB \r\n";
    ASSERT_TRUE(document.startsWith(bigHead));
    const QByteArray expected = bigHead + QByteArray(10000000, 'b') + "\r\n" + "b" +
                                section("D:\\Texte\\small.txt", "klein") +
                                section("D:\\Texte\\exact.txt", QByteArray(10000000, 'e'));
    EXPECT_EQ(document.size(), expected.size());
    EXPECT_TRUE(document == expected);
    const qsizetype bigSize = bigHead.size() + 10000003;
    const qsizetype smallSize = section("D:\\Texte\\small.txt", "klein").size();
    EXPECT_EQ(database("_Utf8_TitelPositionen.txt"),
              "6 #D:\\Texte\\big.txt\r\n" + QByteArray::number(bigSize + 9) +
                  " #D:\\Texte\\small.txt\r\n" + QByteArray::number(bigSize + smallSize + 9) +
                  " #D:\\Texte\\exact.txt\r\n");
}

// Every piece of a big-endian file is turned into the document's byte order, and the
// pieces of one large file never join the next one.
TEST_F(IndexRunTest, BigEndianPiecesAndPiecesOfTwoLargeFiles)
{
    drive.write(u"Texte/big.txt"_s, QByteArray(25000000, 'x'));
    QByteArray be("\xFE\xFF", 2);
    for (int i = 0; i < 5000000; ++i)
        be.append('\0').append('A');
    drive.write(u"Texte/be.txt"_s, be);
    ASSERT_TRUE(index({"D:\\Texte\\big.txt", "\" be.txt"}));

    const QByteArray utf8 = database("_UTF8Dokument.txt");
    const QByteArray utf8Head = " \r\n \r\n#D:\\Texte\\big.txt\r\nSize: 23,84 MB \r\n";
    EXPECT_EQ(utf8.size(), utf8Head.size() + 25000002);
    EXPECT_TRUE(utf8.startsWith(utf8Head));

    const QByteArray unicode = database("_UnicodeDokument.txt");
    QByteArray expected =
        QByteArray("\xFF\xFE", 2) + utf16(u" \r\n \r\n#D:\\Texte\\be.txt\r\nSize: 9,54 MB \r\n"_s);
    for (int i = 0; i < 4999999; ++i)
        expected.append('A').append('\0');
    // The (empty) last part, the document written at the end, brings its own FF FE.
    expected += utf16(u"\r\nA"_s) + QByteArray("\xFF\xFE", 2);
    EXPECT_EQ(unicode.size(), expected.size());
    EXPECT_TRUE(unicode == expected);
}

// A file in the UTF8 class whose bytes are not all UTF-8 (its first bytes looked like it)
// keeps the document valid UTF-8.
TEST_F(IndexRunTest, Utf8DocumentStaysValidUtf8)
{
    drive.write(u"Texte/late.txt"_s, QByteArray(200001, 'a') + "\xE4"
                                                               "rger");
    ASSERT_TRUE(index({"D:\\Texte\\late.txt"}));
    EXPECT_TRUE(database("_UTF8Dokument.txt").endsWith("a\xC3\xA4rger\r\n"));
}

// The fourth section found a full buffer: the first three became a part of their own, and
// the Unicode document shows it with a second byte-order mark. No part file is left over.
TEST_F(IndexRunTest, AClassBufferBecomesAPartAfterAMillionCharacters)
{
    QStringList files;
    QByteArray expected("\xFF\xFE", 2);
    for (int i = 1; i <= 4; ++i) {
        const QByteArray text(400000, char('0' + i));
        drive.write(u"Texte/f%1.txt"_s.arg(i),
                    QByteArray("\xFF\xFE", 2) + utf16(QString::fromLatin1(text)));
        files.append(u"D:\\Texte\\f%1.txt"_s.arg(i));
        if (i == 4)
            expected += QByteArray("\xFF\xFE", 2);
        expected += utf16(QString::fromLatin1(section(files.last().toUtf8(), text)));
    }
    ASSERT_TRUE(index(files));
    EXPECT_TRUE(database("_UnicodeDokument.txt") == expected);
    EXPECT_TRUE(reporter.statuses.contains(u"Aufgeteilte Dateien werden zusammengefügt!"_s));
    EXPECT_TRUE(QDir(base.native(u"Datenbank/Temp"_s))
                    .entryList(QDir::Files | QDir::NoDotAndDotDot)
                    .isEmpty());
}

TEST_F(IndexRunTest, ACancelKeepsTheOldDatabaseOrCommitsWhatWasReadWithItsTitlePositions)
{
    const QStringList files = {"D:\\Texte\\a.txt", "\" b.txt", "\" c.txt"};
    for (const char* name : {"a", "b", "c"})
        drive.write(u"Texte/%1.txt"_s.arg(name), QByteArray("Text ") + name);
    ASSERT_TRUE(index(files));
    const QByteArray oldDocument = database("_UTF8Dokument.txt");
    const QByteArray oldPositions = database("_Utf8_TitelPositionen.txt");
    const QByteArray oldLog = database(".log");
    ASSERT_FALSE(oldPositions.isEmpty());

    // Cancelled in the estimate, before a file was read: nothing changes.
    updateMode = true;
    drive.write(u"Texte/a.txt"_s, "neuer Text");
    reporter.cancelWhen = [](RecordingTaskProgress&) { return true; };
    ASSERT_TRUE(index(files));
    EXPECT_EQ(database("_UTF8Dokument.txt"), oldDocument);
    EXPECT_EQ(database("_Utf8_TitelPositionen.txt"), oldPositions);
    EXPECT_EQ(database(".log"), oldLog);
    EXPECT_EQ(reporter.statuses.last(), IndexRun::kCancelledUnchanged.toString());
    EXPECT_EQ(QDir(base.native(u"Datenbank"_s)).entryList({"*.neu", "*.tmp"}), QStringList());

    // Cancelled after the first file: the documents hold it, and their list names it.
    reporter.captions.clear();
    reporter.cancelWhen = [](RecordingTaskProgress& r) {
        return std::any_of(r.captions.begin(), r.captions.end(),
                           [](const QString& shown) { return shown.contains(u"b.txt"); });
    };
    ASSERT_TRUE(index(files));
    const QByteArray document = database("_UTF8Dokument.txt");
    EXPECT_TRUE(document.startsWith(section("D:\\Texte\\a.txt", "neuer Text")))
        << document.toStdString();
    EXPECT_FALSE(document.contains("c.txt"));
    const QByteArray positions = database("_Utf8_TitelPositionen.txt");
    const QList<QByteArray> entries = positions.trimmed().split('\n');
    EXPECT_EQ(qsizetype(entries.size()), document.count("\r\n#D:\\"));
    for (const QByteArray& entry : entries)
        EXPECT_EQ(document.mid(entry.split(' ').first().toLongLong(), 4), "#D:\\") << entry.data();
    EXPECT_EQ(reporter.statuses.last(), u"Fertig mit der abgebrochenen Indizierung."_s);
}

TEST_F(IndexRunTest, ExclusionsMissingFilesAndPathListOnly)
{
    base.write(u"AusnahmeIndizierung.txt"_s, "  \\temp\\  \r\n\r\n");
    drive.write(u"Texte/Temp/a.txt"_s, "weg");
    drive.write(u"Texte/TEMP/b.txt"_s, "weg");
    drive.write(u"Texte/c.txt"_s, "bleibt");
    drive.makeFolder(u"Texte/ordner.txt"_s);
    // A pipe named like a text file is never opened for reading (that would wait forever).
    ASSERT_EQ(::mkfifo(QFile::encodeName(drive.native(u"Texte/pipe.txt"_s)).constData(), 0600), 0);
    ASSERT_TRUE(index({"D:\\Texte\\Temp\\a.txt", "D:\\Texte\\TEMP\\b.txt", "D:\\Texte\\c.txt",
                       "\" gibtsnicht.txt", "\" ordner.txt", "\" pipe.txt"}));
    EXPECT_EQ(database("_UTF8Dokument.txt"), section("D:\\Texte\\c.txt", "bleibt"));
    EXPECT_EQ(logLines[2], u"Konnten nicht indiziert werden: 5"_s);

    withoutDocuments = true;
    ASSERT_FALSE(index({"D:\\Texte\\c.txt"})); // the name exists now
    base.write(u"Datenbank/Test.dat"_s, "");
    QFile::remove(base.native(u"Datenbank/Test.dat"_s));
    ASSERT_TRUE(index({"D:\\Texte\\c.txt"}));
    EXPECT_FALSE(QFile::exists(base.native(u"Datenbank/Test_UTF8Dokument.txt"_s)));
    EXPECT_EQ(logLines, QStringList({" ", "Dateien insgesamt: 1"}));
    EXPECT_EQ(reporter.statuses.last(),
              u"Fertig mit der Indizierung (nur Pfadliste wurde erstellt)."_s);
}

TEST_F(IndexRunTest, RefusedRunsWriteNothing)
{
    EXPECT_FALSE(index({}, QString(), QString()));
    EXPECT_EQ(ui.informations, QStringList({"Sie haben keinen Pfad angegeben",
                                            "Der angegebene Ordner existiert nicht",
                                            "Sie haben keine Dateiendung angegeben"}));
    EXPECT_FALSE(QFile::exists(base.native(u"Datenbank/Test.dat"_s)));
}

// One run at a time per database: a second one is refused with a message until the first
// has finished, and a search is told the database is being rebuilt meanwhile.
TEST_F(IndexRunTest, ASecondRunOnTheSameDatabaseWaitsForTheFirst)
{
    drive.write(u"Texte/a.txt"_s, "Wort und Wort");
    base.write(u"Datenbank/Haupt_Dateinamen_Liste_Laufwerk_D.txt"_s, "D:\\Texte\\a.txt\r\n");
    const IndexRun::Request request{u"Test"_s, u"D:\\Texte"_s, u"*.txt"_s, false, false};
    IndexRun first(paths, QString(), ui, reporter);
    ASSERT_TRUE(first.start(request).ok());
    {
        IndexRun second(paths, QString(), ui, reporter);
        const Status refused = second.start(request);
        ASSERT_FALSE(refused.ok());
        EXPECT_EQ(refused.error(), DatabaseLock::busyMessage(u"Test"_s));
        SearchDriver search(paths, ui, reporter);
        EXPECT_FALSE(search.run(Database(paths, u"Test"_s), u"Wort"_s, false, false).ok());
        EXPECT_EQ(ui.informations.last(), DatabaseLock::busyMessage(u"Test"_s));
    }
    ASSERT_TRUE(first.readList().ok());
    ASSERT_TRUE(first.finish(false).ok());

    IndexRun again(paths, QString(), ui, reporter);
    EXPECT_TRUE(again.start(request).ok());
}

// A run that ends before its finish (a failure, a closed window) leaves the database as it
// was: no document written under a temporary or staging name stays behind.
TEST_F(IndexRunTest, ARunWithoutItsFinishLeavesTheDatabaseAsItWas)
{
    drive.write(u"Texte/a.txt"_s, "alt");
    ASSERT_TRUE(index({"D:\\Texte\\a.txt"}));
    const QByteArray before = database("_UTF8Dokument.txt");
    const QStringList filesBefore = QDir(base.native(u"Datenbank"_s)).entryList(QDir::Files);

    drive.write(u"Texte/a.txt"_s, "neu");
    {
        IndexRun run(paths, QString(), ui, reporter);
        ASSERT_TRUE(run.start({u"Test"_s, u"D:\\Texte"_s, u"*.txt"_s, true, false}).ok());
        ASSERT_TRUE(run.readList().ok());
    }
    EXPECT_EQ(database("_UTF8Dokument.txt"), before);
    EXPECT_EQ(QDir(base.native(u"Datenbank"_s)).entryList(QDir::Files), filesBefore);
}
