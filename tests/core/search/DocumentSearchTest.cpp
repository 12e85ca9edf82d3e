#include "search/SearchDriver.h"

#include "results/ResultPage.h"
#include "store/Windows1252.h"
#include "support/IndexedDatabase.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using testdb::utf16le;

// Databases made by the indexing code from generated folders, then searched.
class DocumentSearchTest : public testdb::IndexedDatabase {
protected:
    Result<SearchHits> run(const QString& text, bool caseSensitive = false, bool wholeWords = false)
    {
        return SearchDriver(paths, ui, task).run(db, text, caseSensitive, wholeWords);
    }
    SearchHits hits(const QString& text, bool caseSensitive = false, bool wholeWords = false)
    {
        const auto found = run(text, caseSensitive, wholeWords);
        return found.ok() ? *found : SearchHits();
    }
    QStringList search(const QString& text, bool caseSensitive = false, bool wholeWords = false)
    {
        QStringList entries;
        for (const SearchHit& hit : hits(text, caseSensitive, wholeWords))
            entries.append(QString::fromUtf8(hit.entry()));
        return entries;
    }

    const Database db{paths, QStringLiteral("DB")};
    RecordingTaskProgress task; // of the searches
};

QByteArray encoded(const QString& text, Family family)
{
    if (family == Family::Unicode)
        return utf16le(text);
    return family == Family::Ansi ? cp1252::encode(text) : text.toUtf8();
}

} // namespace

TEST_F(DocumentSearchTest, OneEntryPerFileWithItsFirstHitInEveryClass)
{
    write(QStringLiteral("ansi.txt"), "Erste Zeile\r\nGr\xFC\xDF"
                                      "e Haus Haus\r\nHaus wieder");
    write(QStringLiteral("utf8.txt"), "Ein Haus am See \xE2\x82\xAC");
    write(QStringLiteral("wide.txt"), utf16le(QStringLiteral("Kein Treffer\r\nDas Haus Ω")));
    write(QStringLiteral("none.txt"), "nichts");
    index();
    // Short lines are widened by the lines after them where there are any, never by a line
    // they hold already (the last line of a file, of a document, a UTF-16 line).
    EXPECT_EQ(search(QStringLiteral("haus")),
              QStringList({"D:\\Texte\\ansi.txt##text##Grüße Haus Haus Haus wieder<br>",
                           "D:\\Texte\\utf8.txt##text##Ein Haus am See €    <br>",
                           "D:\\Texte\\wide.txt##text##Das Haus Ω<br>"}));
    EXPECT_TRUE(search(QStringLiteral("haus"), true).isEmpty());
}

// With and without documents: a one-line file in each class gives its line once, with the
// text of the next file only where the documents hold one after it; UTF-8 snippets are cut
// at character boundaries on both sides.
TEST_F(DocumentSearchTest, ShortFilesAndUtf8SnippetsWithAndWithoutDocuments)
{
    write(QStringLiteral("a.txt"), "Datei1 Suchwort hier");
    write(QStringLiteral("b.txt"), "Datei2 Suchwort \xFC"
                                   "ber");
    write(QStringLiteral("c.txt"), utf16le(QStringLiteral("Datei3 Suchwort hier")));
    QByteArray umlauts;
    for (int i = 0; i < 500; ++i)
        umlauts += "\xC3\xBC";
    write(QStringLiteral("rechts.txt"), "Treffer " + umlauts);
    write(QStringLiteral("beide.txt"), "a" + umlauts + " Treffer " + umlauts);
    for (const bool withoutDocuments : {true, false}) {
        SCOPED_TRACE(withoutDocuments ? "without documents" : "with documents");
        if (!withoutDocuments)
            catalogue::deleteDatabaseFiles(db);
        index(withoutDocuments);
        const QStringList entries = search(QStringLiteral("suchwort"));
        ASSERT_EQ(entries.size(), 3);
        for (const QString& entry : entries) {
            const QString snippet = entry.section(QStringLiteral("##text##"), 1).chopped(4);
            EXPECT_EQ(snippet.count(QStringLiteral("Suchwort")), 1) << entry.toStdString();
            EXPECT_FALSE(snippet.contains(QChar(0xFEFF))) << entry.toStdString();
        }
        const QStringList cut = search(QStringLiteral("treffer"));
        ASSERT_EQ(cut.size(), 2);
        for (const QString& entry : cut) {
            EXPECT_FALSE(entry.contains(QChar::ReplacementCharacter)) << entry.toStdString();
            EXPECT_TRUE(entry.contains(QStringLiteral("Treffer üü"))) << entry.toStdString();
        }
    }
}

TEST_F(DocumentSearchTest, HitOnlyInThePathListsTheTitleLine)
{
    write(QStringLiteral("Rechnung.txt"), "Betrag 12 Euro");
    index();
    const QStringList entries = search(QStringLiteral("rechnung"));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_TRUE(entries[0].startsWith(
        QStringLiteral("D:\\Texte\\Rechnung.txt##text###D:\\Texte\\Rechnung.txt")));
}

TEST_F(DocumentSearchTest, SearchTextFormsInTheAnsiDocument)
{
    write(QStringLiteral("a.txt"), "Stra\xDF"
                                   "e und Caf\xE9");
    index();
    // Text the code page holds is searched as its bytes, with or without umlauts; other
    // text as its UTF-8 bytes, which no ANSI text holds.
    EXPECT_EQ(search(QStringLiteral("straße")).size(), 1);
    EXPECT_EQ(search(QStringLiteral("CAFÉ")).size(), 1);
    EXPECT_EQ(search(QStringLiteral("und")).size(), 1);
    EXPECT_TRUE(search(QStringLiteral("caféć")).isEmpty());
}

TEST_F(DocumentSearchTest, PathsThatNoLongerExistAreRepairedOrMarked)
{
    write(QStringLiteral("da.txt"), "Wort");
    write(QStringLiteral("weg.txt"), "Wort");
    index();
    QFile::remove(texts.native(QStringLiteral("Texte/weg.txt")));
    const QStringList entries = search(QStringLiteral("Wort"));
    ASSERT_EQ(entries.size(), 2);
    EXPECT_TRUE(entries[0].startsWith(QStringLiteral("D:\\Texte\\da.txt##")));
    // The descriptor only exists under E:, the base folder's drive, so E: is the replacement.
    EXPECT_TRUE(entries[1].startsWith(QStringLiteral("Existiert nicht! E:\\Texte\\weg.txt##")));
    // Found below the base folder after a move.
    EXPECT_EQ(DocumentSearch::checkedPath(QStringLiteral("Q:\\Datenbank\\DB.dat"), u'Z',
                                          paths.baseFolder()),
              QStringLiteral("E:\\Datenbank\\DB.dat"));
}

// A title-position list that cannot belong to its document (empty, or past its end) is
// reported with what to do, instead of hits that name no file or the wrong one.
TEST_F(DocumentSearchTest, BrokenTitleListOneCharacterAndCancel)
{
    write(QStringLiteral("a.txt"), "Wort");
    index();
    const QByteArray good = base.read(QStringLiteral("Datenbank/DB_Utf8_TitelPositionen.txt"));
    for (const QByteArray& list : {QByteArray(), QByteArray("4711 D:\\Texte\\a.txt\r\n")}) {
        base.write(QStringLiteral("Datenbank/DB_Utf8_TitelPositionen.txt"), list);
        const auto hits = run(QStringLiteral("Wort"));
        ASSERT_FALSE(hits.ok());
        EXPECT_TRUE(hits.error().contains(QStringLiteral("DB_Utf8_TitelPositionen.txt")) &&
                    hits.error().contains(QStringLiteral("neu")))
            << hits.error().toStdString();
        EXPECT_EQ(ui.warnings.last(), hits.error());
    }
    base.write(QStringLiteral("Datenbank/DB_Utf8_TitelPositionen.txt"), good);
    EXPECT_TRUE(search(QStringLiteral(" a ")).isEmpty());
    EXPECT_EQ(ui.informations.last(), SearchDriver::kOneCharacter);

    task.cancelWhen = [](RecordingTaskProgress&) { return true; };
    EXPECT_TRUE(run(QStringLiteral("Wort"))->isEmpty());
}

TEST_F(DocumentSearchTest, FileByFileWithoutDocuments)
{
    write(QStringLiteral("utf8.txt"), "Die T\xC3\xBCr <zu> T\xC3\xBCr");
    write(QStringLiteral("ansi.txt"), "Die T\xFCr");
    write(QStringLiteral("leer.txt"), "nichts");
    texts.write(QStringLiteral("Texte/Alt/weg.txt"), "Die T\xFCr");
    list += "D:\\Texte\\Alt\\weg.txt\r\n";
    base.write(QStringLiteral("AusnahmeIndizierung.txt"), "\\ALT\\\r\n");
    index(true);
    ASSERT_TRUE(catalogue::isPathListOnly(db));

    const QStringList& captions = task.captions;
    const QStringList entries = search(QStringLiteral("tür"));
    // "<" becomes a blank; the path is the file's own.
    ASSERT_EQ(entries.size(), 2);
    EXPECT_TRUE(
        entries[0].startsWith(QStringLiteral("D:\\Texte\\utf8.txt##text##Die Tür  zu> Tür")));
    EXPECT_TRUE(entries[1].startsWith(QStringLiteral("D:\\Texte\\ansi.txt##text##Die Tür")));
    ASSERT_EQ(captions.size(), 5);
    EXPECT_EQ(
        captions[1],
        QStringLiteral(
            "Bisher in 0 Dateien gefunden. Gesucht wird in Nr.: 1 von insgesamt: 4 Dateien."));

    task.cancelWhen = [](RecordingTaskProgress&) { return true; };
    EXPECT_TRUE(run(QStringLiteral("tür"))->isEmpty());
}

TEST_F(DocumentSearchTest, CountGateAsksWithTheCountOnlyWhenThereAreDocuments)
{
    write(QStringLiteral("a.txt"), "Haus und Haushalt");
    index();
    QStringList asked;
    bool answer = false;
    const auto confirm = [&](const QString& message) {
        asked.append(message);
        return answer;
    };
    SearchDriver driver(paths, ui, task);
    EXPECT_FALSE(
        driver.passesCountGate(db, QStringLiteral("haus"), true, false, HitCounter(), confirm));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].startsWith(
        QStringLiteral("\"haus\" wurde in der Datenbank 2 mal gefunden.\r\n\r\n")));
    EXPECT_TRUE(asked[0].contains(QStringLiteral("\r\nGroß/Kleinschreibung wird beachtet.\r\n")));
    answer = true;
    EXPECT_TRUE(
        driver.passesCountGate(db, QStringLiteral("haus"), false, false, HitCounter(), confirm));

    // Without documents there is nothing to count: no question.
    index(true);
    EXPECT_TRUE(
        driver.passesCountGate(db, QStringLiteral("haus"), false, false, HitCounter(), confirm));
    EXPECT_EQ(asked.size(), 2);
}

TEST(SearchClipboardText, PhraseOrFirstWord)
{
    EXPECT_EQ(SearchDriver::clipboardText(QStringLiteral("  Haus am See \uFFFD"), true),
              QStringLiteral("Haus am See "));
    EXPECT_EQ(SearchDriver::clipboardText(QStringLiteral("Haus am See\uFFFD"), true),
              QStringLiteral("Haus am See"));
    EXPECT_EQ(SearchDriver::clipboardText(QStringLiteral(" Haus am See"), false),
              QStringLiteral("Haus"));
    EXPECT_EQ(SearchDriver::clipboardText(QStringLiteral("Haus"), false), QStringLiteral("Haus"));
    EXPECT_EQ(SearchDriver::clipboardText(QStringLiteral("a b"), false), QStringLiteral("a"));
}

// German and accented text in every class, with and without documents: which files are
// found, the exact snippet of a long line and its bold mark.
TEST_F(DocumentSearchTest, GermanAndAccentedTextInEveryClass)
{
    const QString longLine = QString(599, u'k') + QStringLiteral("Müller") + QString(400, u'm');
    const char* const classNames[] = {"a", "8", "w"};
    for (const Family family : kFamilies) {
        const QString suffix =
            QString::fromLatin1(classNames[int(family)]) + QStringLiteral(".txt");
        write(QStringLiteral("kurz") + suffix,
              encoded(QStringLiteral("Der Übermut, Crème brûlée"), family));
        write(QStringLiteral("lang") + suffix, encoded(longLine, family));
    }
    // UTF-8 sequences that byte-wise folding through the ANSI table took for Ü and Ê.
    write(QStringLiteral("falsch8.txt"), QStringLiteral("Ìbergang Úx").toUtf8());
    struct Row {
        const char* text;
        bool caseSensitive;
        bool wholeWords;
        QStringList files;
    };
    const QStringList kurz = {"kurza.txt", "kurz8.txt", "kurzw.txt"};
    const QStringList lang = {"langa.txt", "lang8.txt", "langw.txt"};
    const Row rows[] = {
        {"übermut", false, false, kurz}, {"ÜBER", false, false, kurz},
        {"Êx", false, false, {}},        {"ìBERGANG", false, false, {"falsch8.txt"}},
        {"CRÈME", false, false, kurz},   {"crème", true, false, {}},
        {"Müller", true, false, lang},   {"MÜLLER", false, false, lang},
        {"müller", false, true, {}},     {"brûlée", false, true, kurz},
    };
    for (const bool withoutDocuments : {false, true}) {
        catalogue::deleteDatabaseFiles(db);
        index(withoutDocuments);
        for (const Row& row : rows) {
            const QString text = QString::fromUtf8(row.text);
            SCOPED_TRACE(QStringLiteral("\"%1\"%2")
                             .arg(text, withoutDocuments ? " ohne" : "")
                             .toStdString());
            QStringList found;
            for (const SearchHit& hit : hits(text, row.caseSensitive, row.wholeWords)) {
                found.append(QString::fromUtf8(hit.path).section(u'\\', -1));
                const QString line = resultpage::hitLine(hit, text, row.caseSensitive);
                EXPECT_TRUE(line.contains(QStringLiteral("<b>"))) << line.toStdString();
                EXPECT_FALSE(line.contains(QChar::ReplacementCharacter)) << line.toStdString();
                if (!found.last().startsWith(QStringLiteral("lang")))
                    continue;
                // 40 characters before the hit are kept, the cut at 350 counts bytes in
                // the UTF-8 class.
                const QString snippet = QString::fromUtf8(hit.snippet);
                const int ms = found.last() == QStringLiteral("lang8.txt") ? 304 : 305;
                EXPECT_EQ(snippet,
                          QString(39, u'k') + QStringLiteral("Müller") + QString(ms, u'm'));
            }
            std::sort(found.begin(), found.end());
            QStringList expected = row.files;
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(found, expected);
        }
    }
}

// A file's title line belongs to it: a text that starts a title line names that file, and a
// file name holding the hit entry's marker is kept whole.
TEST_F(DocumentSearchTest, TitleLinesAndMarkersInNamesBelongToTheirFile)
{
    write(QStringLiteral("davor.txt"), "erste Datei");
    write(QStringLiteral("long.txt"), "zweite Datei");
    write(QStringLiteral("x##text##y.txt"), "Markerwort eins");
    index();
    const SearchHits titles = hits(QStringLiteral("#D:\\Texte\\lo"));
    ASSERT_EQ(titles.size(), 1);
    EXPECT_EQ(titles[0].path, "D:\\Texte\\long.txt");
    const SearchHits marked = hits(QStringLiteral("markerwort"));
    ASSERT_EQ(marked.size(), 1);
    EXPECT_EQ(marked[0], (SearchHit{"D:\\Texte\\x##text##y.txt", "Markerwort eins"}));
}
