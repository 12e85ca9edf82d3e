#include "search/HitCount.h"

#include "search/HitCounter.h"
#include "support/RecordingTaskProgress.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

QByteArray unicodeDocument(const QString& text)
{
    return DocumentPattern::of(QChar(0xFEFF) + text, Family::Unicode).bytes;
}

} // namespace

TEST(HitCountTest, CountsEachDocumentAndWritesTheDialogMessage)
{
    MappedDrive drive;
    drive.write(QStringLiteral("Datenbank/B_AnsiDokument.txt"), "#D:\\a\r\nHaus H\xC4USER\r\n");
    drive.write(QStringLiteral("Datenbank/B_UTF8Dokument.txt"), "#D:\\b\r\nH\xC3\xA4user\r\n");
    drive.write(QStringLiteral("Datenbank/B_UnicodeDokument.txt"),
                unicodeDocument(QStringLiteral("#D:\\c\r\nHÄUSER häuser")));
    const HitCount count = countHits(Database(DatabasePaths(drive.program()), QStringLiteral("B")),
                                     QStringLiteral("häuser"), HitCounter());
    EXPECT_EQ(count.documents, (std::array<qint64, 3>{1, 1, 2})); // ANSI, UTF-8, Unicode
    const QString fixed = QStringLiteral(
        "\"häuser\" wurde in der Datenbank 4 mal gefunden.\r\n\r\n"
        "In der Unicode-Datei 2 mal,\r\nIn der UTF8-Datei 1 mal,\r\nIn der Ansi-Datei 1 "
        "mal.\r\n\r\n"
        "Bei der Suche im TextViewer wurde die Groß/Kleinschreibung NICHT beachtet. Auch NICHT "
        "die Suche nur nach ganzen Wörtern.\r\n\r\n"
        "Möchten Sie die Suche und Anzeige im Browser starten?\r\n");
    const QString last = QStringLiteral(
        "Die Suche ist etwas langsamer als hier im Textviewer, aber die Dateien die den "
        "Suchbegriff enthalten, können im Browser gestartet / angezeigt werden.");
    const QString both =
        QStringLiteral("Groß/Kleinschreibung wird beachtet. Suche nur nach ganzen Wörtern.\r\n");
    const QString caseOnly = QStringLiteral("Groß/Kleinschreibung wird beachtet.\r\n");
    const QString wordsOnly = QStringLiteral("Suche nur nach ganzen Wörtern\r\n");
    const QString text = QStringLiteral("häuser");
    EXPECT_EQ(hitCountMessage(text, count, false, false), fixed + last);
    EXPECT_EQ(hitCountMessage(text, count, true, true), fixed + both + last);
    EXPECT_EQ(hitCountMessage(text, count, true, false), fixed + caseOnly + last);
    EXPECT_EQ(hitCountMessage(text, count, false, true), fixed + wordsOnly + last);
}

TEST(HitCountTest, SkipsDocumentsTheWindowCannotLoadAndStopsOnCancel)
{
    MappedDrive drive;
    drive.write(QStringLiteral("Datenbank/K_AnsiDokument.txt"), "aaa"); // below 4 bytes
    drive.write(QStringLiteral("Datenbank/K_UTF8Dokument.txt"), "aaaa");
    const DatabasePaths paths(drive.program());
    HitCounter counter;
    const HitCount skipped =
        countHits(Database(paths, QStringLiteral("K")), QStringLiteral("a"), counter);
    EXPECT_EQ(skipped.documents, (std::array<qint64, 3>{0, 4, 0}));

    drive.write(QStringLiteral("Datenbank/K_UnicodeDokument.txt"),
                unicodeDocument(QStringLiteral("a")));
    RecordingTaskProgress cancel;
    cancel.cancelWhen = [](RecordingTaskProgress&) { return true; };
    counter.setProgress(&cancel);
    const HitCount cancelled =
        countHits(Database(paths, QStringLiteral("K")), QStringLiteral("a"), counter);
    EXPECT_EQ(cancelled.documents, (std::array<qint64, 3>{0, 0, 1})); // Unicode comes first
    EXPECT_TRUE(cancelled.cancelled);
}
