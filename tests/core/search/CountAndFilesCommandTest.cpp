#include "cli/CommandLine.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

struct CliRun {
    int status;
    QString out;
    QString err;
};

CliRun run(const MappedDrive& base, const QStringList& args)
{
    CliRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.status = runCommandLine(QStringList{"--base", base.native()} + args, out, err);
    return result;
}

} // namespace

TEST(HitCountCommandTest, PrintsTheDialogLinesAndTheMatchingFileNames)
{
    MappedDrive drive;
    drive.write(QStringLiteral("Datenbank/Db.dat"),
                "PFAD_UND_ENDUNGEN= D:\\ *.txt    \r\n"
                "D:\\Brief.txt\r\nD:\\Alte Briefe\\x.txt\r\n"
                "D:\\t1\\M\xC3\xBCller\\\xC3\xBCmlautpfad.txt\r\n");
    drive.write(QStringLiteral("Datenbank/Pfade.dat"), "PFAD_UND_ENDUNGEN= D:\\ *.txt    \r\n");
    for (const char* family : {"Ansi", "UTF8", "Unicode"})
        drive.write(QStringLiteral("Datenbank/Db_%1Dokument.txt").arg(family), "anananas");

    const CliRun count = run(drive, {"count", "Db", "ANA"});
    EXPECT_EQ(count.status, 0);
    EXPECT_TRUE(count.out.startsWith(
        QStringLiteral("\"ANA\" wurde in der Datenbank 6 mal gefunden.\n\nIn der Unicode")));
    EXPECT_EQ(count.out.count(u'\n'), 10);
    const CliRun files = run(drive, {"files", "Db", "brief"});
    EXPECT_EQ(files.status, 0);
    EXPECT_EQ(files.out, QStringLiteral("D:\\Brief.txt\nD:\\Alte Briefe\\x.txt\n"));

    EXPECT_EQ(run(drive, {"files", "Db", "rechnung"}).err, QStringLiteral("Nicht gefunden!\n"));
    // Umlauts in either case, as the window finds them in the UTF-8 list; a search text that
    // starts with "#" searches the file names, as the window's search field does.
    const QString umlautPath = QStringLiteral("D:\\t1\\Müller\\ümlautpfad.txt\n");
    for (const char* text : {"müller", "MÜLLER", "Ümlaut"})
        EXPECT_EQ(run(drive, {"files", "Db", QString::fromUtf8(text)}).out, umlautPath) << text;
    const CliRun byName = run(drive, {"search", "Db", "#müller"});
    EXPECT_EQ(byName.status, 0);
    EXPECT_EQ(byName.out, umlautPath);
    const CliRun missing = run(drive, {"files", "Fehlt", "x"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.startsWith(QStringLiteral("Die Datenbank \"Fehlt\" gibt es nicht")));
    const CliRun pathsOnly = run(drive, {"count", "Pfade", "x"});
    EXPECT_EQ(pathsOnly.status, 2);
    EXPECT_TRUE(pathsOnly.err.contains(QStringLiteral("keine Klartext-Dokumente")));
}
