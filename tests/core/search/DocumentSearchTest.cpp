#include "search/SearchDriver.h"

#include "results/ResultPage.h"
#include "store/Windows1252.h"
#include "support/IndexedDatabase.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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

    const Database db{paths, u"DB"_s};
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
    write(u"ansi.txt"_s, "Erste Zeile\r\nGr\xFC\xDF"
                         "e Haus Haus\r\nHaus wieder");
    write(u"utf8.txt"_s, "Ein Haus am See \xE2\x82\xAC");
    write(u"wide.txt"_s, utf16le(u"Kein Treffer\r\nDas Haus Ω"_s));
    write(u"none.txt"_s, "nichts");
    index();
    // Short lines are widened by the lines after them where there are any, never by a line
    // they hold already (the last line of a file, of a document, a UTF-16 line).
    EXPECT_EQ(search(u"haus"_s),
              QStringList({"D:\\Texte\\ansi.txt##text##Grüße Haus Haus Haus wieder<br>",
                           "D:\\Texte\\utf8.txt##text##Ein Haus am See €    <br>",
                           "D:\\Texte\\wide.txt##text##Das Haus Ω<br>"}));
    EXPECT_TRUE(search(u"haus"_s, true).isEmpty());
}

// With and without documents: a one-line file in each class gives its line once, with the
// text of the next file only where the documents hold one after it; UTF-8 snippets are cut
// at character boundaries on both sides.
TEST_F(DocumentSearchTest, ShortFilesAndUtf8SnippetsWithAndWithoutDocuments)
{
    write(u"a.txt"_s, "Datei1 Suchwort hier");
    write(u"b.txt"_s, "Datei2 Suchwort \xFC"
                      "ber");
    write(u"c.txt"_s, utf16le(u"Datei3 Suchwort hier"_s));
    QByteArray umlauts;
    for (int i = 0; i < 500; ++i)
        umlauts += "\xC3\xBC";
    write(u"rechts.txt"_s, "Treffer " + umlauts);
    write(u"beide.txt"_s, "a" + umlauts + " Treffer " + umlauts);
    for (const bool withoutDocuments : {true, false}) {
        SCOPED_TRACE(withoutDocuments ? "without documents" : "with documents");
        if (!withoutDocuments)
            catalogue::deleteDatabaseFiles(db);
        index(withoutDocuments);
        const QStringList entries = search(u"suchwort"_s);
        ASSERT_EQ(entries.size(), 3);
        for (const QString& entry : entries) {
            const QString snippet = entry.section(u"##text##"_s, 1).chopped(4);
            EXPECT_EQ(snippet.count(u"Suchwort"_s), 1) << entry.toStdString();
            EXPECT_FALSE(snippet.contains(QChar(0xFEFF))) << entry.toStdString();
        }
        const QStringList cut = search(u"treffer"_s);
        ASSERT_EQ(cut.size(), 2);
        for (const QString& entry : cut) {
            EXPECT_FALSE(entry.contains(QChar::ReplacementCharacter)) << entry.toStdString();
            EXPECT_TRUE(entry.contains(u"Treffer üü"_s)) << entry.toStdString();
        }
    }
}

TEST_F(DocumentSearchTest, HitOnlyInThePathListsTheTitleLine)
{
    write(u"Rechnung.txt"_s, "Betrag 12 Euro");
    index();
    const QStringList entries = search(u"rechnung"_s);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_TRUE(
        entries[0].startsWith(u"D:\\Texte\\Rechnung.txt##text###D:\\Texte\\Rechnung.txt"_s));
}

TEST_F(DocumentSearchTest, SearchTextFormsInTheAnsiDocument)
{
    write(u"a.txt"_s, "Stra\xDF"
                      "e und Caf\xE9");
    index();
    // Text the code page holds is searched as its bytes, with or without umlauts; other
    // text as its UTF-8 bytes, which no ANSI text holds.
    EXPECT_EQ(search(u"straße"_s).size(), 1);
    EXPECT_EQ(search(u"CAFÉ"_s).size(), 1);
    EXPECT_EQ(search(u"und"_s).size(), 1);
    EXPECT_TRUE(search(u"caféć"_s).isEmpty());
}

TEST_F(DocumentSearchTest, PathsThatNoLongerExistAreRepairedOrMarked)
{
    write(u"da.txt"_s, "Wort");
    write(u"weg.txt"_s, "Wort");
    index();
    QFile::remove(texts.native(u"Texte/weg.txt"_s));
    const QStringList entries = search(u"Wort"_s);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_TRUE(entries[0].startsWith(u"D:\\Texte\\da.txt##"_s));
    // The descriptor only exists under E:, the base folder's drive, so E: is the replacement.
    EXPECT_TRUE(entries[1].startsWith(u"Existiert nicht! E:\\Texte\\weg.txt##"_s));
    // Found below the base folder after a move.
    EXPECT_EQ(DocumentSearch::checkedPath(u"Q:\\Datenbank\\DB.dat"_s, u'Z', paths.baseFolder()),
              u"E:\\Datenbank\\DB.dat"_s);
}

// A title-position list that cannot belong to its document (empty, or past its end) is
// reported with what to do, instead of hits that name no file or the wrong one.
TEST_F(DocumentSearchTest, BrokenTitleListOneCharacterAndCancel)
{
    write(u"a.txt"_s, "Wort");
    index();
    const QByteArray good = base.read(u"Datenbank/DB_Utf8_TitelPositionen.txt"_s);
    for (const QByteArray& list : {QByteArray(), QByteArray("4711 D:\\Texte\\a.txt\r\n")}) {
        base.write(u"Datenbank/DB_Utf8_TitelPositionen.txt"_s, list);
        const auto hits = run(u"Wort"_s);
        ASSERT_FALSE(hits.ok());
        EXPECT_TRUE(hits.error().contains(u"DB_Utf8_TitelPositionen.txt"_s) &&
                    hits.error().contains(u"neu"_s))
            << hits.error().toStdString();
        EXPECT_EQ(ui.warnings.last(), hits.error());
    }
    base.write(u"Datenbank/DB_Utf8_TitelPositionen.txt"_s, good);
    EXPECT_TRUE(search(u" a "_s).isEmpty());
    EXPECT_EQ(ui.informations.last(), SearchDriver::kOneCharacter);

    task.cancelWhen = [](RecordingTaskProgress&) { return true; };
    EXPECT_TRUE(run(u"Wort"_s)->isEmpty());
}

TEST_F(DocumentSearchTest, FileByFileWithoutDocuments)
{
    write(u"utf8.txt"_s, "Die T\xC3\xBCr <zu> T\xC3\xBCr");
    write(u"ansi.txt"_s, "Die T\xFCr");
    write(u"leer.txt"_s, "nichts");
    texts.write(u"Texte/Alt/weg.txt"_s, "Die T\xFCr");
    list += "D:\\Texte\\Alt\\weg.txt\r\n";
    base.write(u"AusnahmeIndizierung.txt"_s, "\\ALT\\\r\n");
    index(true);
    ASSERT_TRUE(catalogue::isPathListOnly(db));

    const QStringList& captions = task.captions;
    const QStringList entries = search(u"tür"_s);
    // "<" becomes a blank; the path is the file's own.
    ASSERT_EQ(entries.size(), 2);
    EXPECT_TRUE(entries[0].startsWith(u"D:\\Texte\\utf8.txt##text##Die Tür  zu> Tür"_s));
    EXPECT_TRUE(entries[1].startsWith(u"D:\\Texte\\ansi.txt##text##Die Tür"_s));
    ASSERT_EQ(captions.size(), 5);
    EXPECT_EQ(
        captions[1],
        QStringLiteral(
            "Bisher in 0 Dateien gefunden. Gesucht wird in Nr.: 1 von insgesamt: 4 Dateien."));

    task.cancelWhen = [](RecordingTaskProgress&) { return true; };
    EXPECT_TRUE(run(u"tür"_s)->isEmpty());
}

TEST_F(DocumentSearchTest, CountGateAsksWithTheCountOnlyWhenThereAreDocuments)
{
    write(u"a.txt"_s, "Haus und Haushalt");
    index();
    QStringList asked;
    bool answer = false;
    const auto confirm = [&](const QString& message) {
        asked.append(message);
        return answer;
    };
    SearchDriver driver(paths, ui, task);
    EXPECT_FALSE(driver.passesCountGate(db, u"haus"_s, true, false, HitCounter(), confirm));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].startsWith(u"\"haus\" wurde in der Datenbank 2 mal gefunden.\r\n\r\n"_s));
    EXPECT_TRUE(asked[0].contains(u"\r\nGroß/Kleinschreibung wird beachtet.\r\n"_s));
    answer = true;
    EXPECT_TRUE(driver.passesCountGate(db, u"haus"_s, false, false, HitCounter(), confirm));

    // Without documents there is nothing to count: no question.
    index(true);
    EXPECT_TRUE(driver.passesCountGate(db, u"haus"_s, false, false, HitCounter(), confirm));
    EXPECT_EQ(asked.size(), 2);
}

TEST(SearchClipboardText, PhraseOrFirstWord)
{
    EXPECT_EQ(SearchDriver::clipboardText(u"  Haus am See \uFFFD"_s, true), u"Haus am See "_s);
    EXPECT_EQ(SearchDriver::clipboardText(u"Haus am See\uFFFD"_s, true), u"Haus am See"_s);
    EXPECT_EQ(SearchDriver::clipboardText(u" Haus am See"_s, false), u"Haus"_s);
    EXPECT_EQ(SearchDriver::clipboardText(u"Haus"_s, false), u"Haus"_s);
    EXPECT_EQ(SearchDriver::clipboardText(u"a b"_s, false), u"a"_s);
}

// German and accented text in every class, with and without documents: which files are
// found, the exact snippet of a long line and its bold mark.
TEST_F(DocumentSearchTest, GermanAndAccentedTextInEveryClass)
{
    const QString longLine = QString(599, u'k') + u"Müller"_s + QString(400, u'm');
    const char* const classNames[] = {"a", "8", "w"};
    for (const Family family : kFamilies) {
        const QString suffix = QString::fromLatin1(classNames[int(family)]) + u".txt"_s;
        write(u"kurz"_s + suffix, encoded(u"Der Übermut, Crème brûlée"_s, family));
        write(u"lang"_s + suffix, encoded(longLine, family));
    }
    // UTF-8 sequences that byte-wise folding through the ANSI table took for Ü and Ê.
    write(u"falsch8.txt"_s, u"Ìbergang Úx"_s.toUtf8());
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
            SCOPED_TRACE(u"\"%1\"%2"_s.arg(text, withoutDocuments ? " ohne" : "").toStdString());
            QStringList found;
            for (const SearchHit& hit : hits(text, row.caseSensitive, row.wholeWords)) {
                found.append(QString::fromUtf8(hit.path).section(u'\\', -1));
                const QString line = resultpage::hitLine(hit, text, row.caseSensitive);
                EXPECT_TRUE(line.contains(u"<b>"_s)) << line.toStdString();
                EXPECT_FALSE(line.contains(QChar::ReplacementCharacter)) << line.toStdString();
                if (!found.last().startsWith(u"lang"_s))
                    continue;
                // 40 characters before the hit are kept, the cut at 350 counts bytes in
                // the UTF-8 class.
                const QString snippet = QString::fromUtf8(hit.snippet);
                const int ms = found.last() == u"lang8.txt"_s ? 304 : 305;
                EXPECT_EQ(snippet, QString(39, u'k') + u"Müller"_s + QString(ms, u'm'));
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
    write(u"davor.txt"_s, "erste Datei");
    write(u"long.txt"_s, "zweite Datei");
    write(u"x##text##y.txt"_s, "Markerwort eins");
    index();
    const SearchHits titles = hits(u"#D:\\Texte\\lo"_s);
    ASSERT_EQ(titles.size(), 1);
    EXPECT_EQ(titles[0].path, "D:\\Texte\\long.txt");
    const SearchHits marked = hits(u"markerwort"_s);
    ASSERT_EQ(marked.size(), 1);
    EXPECT_EQ(marked[0], (SearchHit{"D:\\Texte\\x##text##y.txt", "Markerwort eins"}));
}
