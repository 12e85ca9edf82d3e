#include "cli/CommandLine.h"

#include "store/Settings.h"
#include "support/TempFolder.h"
#include "support/Utf16.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <utility>
#include <vector>

namespace {

struct CliRun {
    int status;
    QString out;
    QString err;
};

CliRun run(const QStringList& args)
{
    CliRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.status = runCommandLine(args, out, err);
    return result;
}

} // namespace

TEST(CommandLineTest, DatabasesInCatalogueOrder)
{
    TempFolder base;
    base.write(QStringLiteral("Datenbank/b.dat"), "x");
    base.write(QStringLiteral("Datenbank/A.dat"), "x");
    base.write(QStringLiteral("Datenbank/x_mht.dat"), "x");
    const CliRun result = run({"--base", base.native(), "databases"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, QStringLiteral("A\nb\n"));
}

// --why names the rules that decided, for the classes a user may not expect: UTF-16 BE
// without a byte-order mark and UTF-8 with one stray byte both land in Ansi.
TEST(CommandLineTest, ClassifyWhySaysWhichRuleDecided)
{
    TempFolder folder;
    const QString text = QStringLiteral("Grüße aus Köln");
    folder.write(QStringLiteral("be.txt"), utf16(text, true));
    folder.write(QStringLiteral("streu.txt"), text.toUtf8() + "\xFC");
    folder.write(QStringLiteral("le.txt"), "\xFF\xFE" + QByteArray("a\0", 2));
    const CliRun result = run({"classify", folder.native("be.txt"), folder.native("streu.txt"),
                               folder.native("le.txt"), "--why"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    const QStringList lines = result.out.split(u'\n');
    ASSERT_GE(lines.size(), 10) << result.out.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("kein Unicode\tAnsi\t") + folder.native("be.txt"));
    EXPECT_EQ(lines[1], QStringLiteral("  kein Byte-Order-Mark"));
    EXPECT_EQ(lines[2], QStringLiteral("  die ersten 28 Bytes: kein gültiges UTF-8: Ansi"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("  die ganze Datei besteht den nachsichtigen "
                                                   "UTF-8-Test nicht")));
    const qsizetype streu =
        lines.indexOf(QStringLiteral("kein Unicode\tAnsi\t") + folder.native("streu.txt"));
    ASSERT_GT(streu, 0) << result.out.toStdString();
    EXPECT_EQ(lines[streu + 2], QStringLiteral("  die ersten %1 Bytes: kein gültiges UTF-8: Ansi")
                                    .arg(text.toUtf8().size() + 1));
    EXPECT_TRUE(result.out.contains(QStringLiteral("  Byte-Order-Mark am Anfang: UTF16 - "
                                                   "LittleEndian\n")));
}

// Classify goes on after a file it cannot read and says in German what is wrong with it, not
// just "gibt es nicht".
TEST(CommandLineTest, ClassifySaysWhyAFileCannotBeReadAndGoesOn)
{
    TempFolder folder;
    folder.write(QStringLiteral("ansi.txt"), "Gr\xFC\xDF"
                                             "e");
    folder.write(QStringLiteral("rtf.txt"), "{\\rtf1}");
    folder.makeFolder(QStringLiteral("ordner.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.native("pipe.txt")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(folder.native("weg.txt"), folder.native("verweis.txt")));
    folder.write(QStringLiteral("gesperrt.txt"), "x");
    QFile(folder.native("gesperrt.txt")).setPermissions({});
    std::vector<std::pair<const char*, const char*>> cases = {
        {"ordner.txt", "ist ein Ordner."},
        {"pipe.txt", "ist keine gewöhnliche Datei"},
        {"verweis.txt", "ist ein Verweis auf eine Datei, die es nicht gibt."},
        {"weg.txt", "gibt es nicht."}};
    if (::geteuid() != 0) // root reads every file
        cases.push_back({"gesperrt.txt", "kann nicht gelesen werden: Zugriff verweigert."});
    QStringList args{"classify", folder.native("ansi.txt")};
    for (const auto& [name, reason] : cases)
        args.append(folder.native(QString::fromLatin1(name)));
    const CliRun result = run(args + QStringList{folder.native("rtf.txt")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, QStringLiteral("kein Unicode\tAnsi\t%1\nRTF\t-\t%2\n")
                              .arg(folder.native("ansi.txt"), folder.native("rtf.txt")));
    const QStringList errors = result.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(errors.size(), qsizetype(cases.size())) << result.err.toStdString();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_TRUE(errors[i].startsWith(folder.native(QString::fromLatin1(cases[i].first)) +
                                         QStringLiteral(": ")) &&
                    errors[i].contains(QString::fromUtf8(cases[i].second)))
            << errors[i].toStdString();
    }
}

TEST(CommandLineTest, FindPrintsEveryMatchAndSaysWhenThereIsNone)
{
    TempFolder folder;
    folder.write(QStringLiteral("doc.txt"), "Haus haus HAUS Hausarbeit");
    const QString file = folder.native(QStringLiteral("doc.txt"));
    EXPECT_EQ(run({"find", file, "haus"}).out, QStringLiteral("0 4\n"));
    EXPECT_EQ(run({"find", file, "haus", "--all"}).out, QStringLiteral("0 4\n5 4\n10 4\n15 4\n"));
    EXPECT_EQ(run({"find", file, "haus", "--all", "--whole-words", "--case-sensitive"}).out,
              QStringLiteral("5 4\n"));
    EXPECT_EQ(run({"find", file, "HAUS", "--backward", "--all"}).out,
              QStringLiteral("15 4\n10 4\n5 4\n0 4\n"));
    // Backward again from the match: a short text would meet itself; the listing ends there.
    EXPECT_EQ(run({"find", file, "s", "--backward", "--all"}).out, QStringLiteral("18 1\n"));
    const CliRun none = run({"find", file, "Zxqvw"});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_EQ(run({"find", folder.native(QStringLiteral("gone.txt")), "x"}).status, 2);
    EXPECT_EQ(run({"find", file, "x", "--encoding", "73"}).status, 2);
    // "--help" after the file is a search text.
    folder.write(QStringLiteral("help.txt"), "a --help b");
    const CliRun help = run({"find", folder.native(QStringLiteral("help.txt")), "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, QStringLiteral("2 6\n"));
}

TEST(CommandLineTest, IndexRunsTheCreationPathWithAnExistingDriveList)
{
    IsolatedSettings settings;
    MappedDrive drive(u'D');
    TempFolder base;
    drive.write(QStringLiteral("Texte/a.txt"), "Hallo");
    base.write(QStringLiteral("Datenbank/Haupt_Dateinamen_Liste_Laufwerk_D.txt"),
               "D:\\Texte\\a.txt\r\n");
    const auto index = [&](const QString& name, const QStringList& more = {}) {
        return run(
            QStringList{"--base", base.native(), "index", name, drive.native("Texte"), "*.txt"} +
            more);
    };
    const CliRun result = index("Briefe");
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith(
        QStringLiteral("Datenbank wird neu erstellt.\nTitelPositionen werden erstellt\n"
                       "Fertig mit der Indizierung.\n \nDateien insgesamt: 1\n")));
    EXPECT_EQ(base.read(QStringLiteral("Datenbank/Briefe_Utf8_TitelPositionen.txt")),
              "9 #D:\\Texte\\a.txt\r\n");

    const CliRun again = index("briefe");
    EXPECT_EQ(again.status, 2);
    EXPECT_TRUE(again.err.contains(QStringLiteral("Dieser Name existiert schon!")));
    EXPECT_EQ(index("Briefe", {"--update"}).status, 0);
    EXPECT_EQ(run({"--base", base.native(), "index", "Briefe"}).status, 2);

    // An update needs its database and runs under the listed name whatever the case typed.
    const CliRun missing = index("Fehlt", {"--update"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Die Datenbank \"Fehlt\" gibt es nicht.")))
        << missing.err.toStdString();
    EXPECT_EQ(index("BRIEFE", {"--update"}).status, 0);
    EXPECT_EQ(QDir(base.native(QStringLiteral("Datenbank")))
                  .entryList({QStringLiteral("*.dat")}, QDir::Files),
              QStringList{QStringLiteral("Briefe.dat")});
}

// With the control folder in use, a run reads the drive list the list program writes there,
// not an older one in the base folder; without it, the base folder's.
TEST(CommandLineTest, IndexReadsTheControlFoldersDriveList)
{
    IsolatedSettings settings;
    MappedDrive drive(u'D');
    MappedDrive control(u'E');
    drive.write(QStringLiteral("Daten/neu.txt"), "Hallo");
    control.write(QStringLiteral("Prog/Datenbank/Haupt_Dateinamen_Liste_Laufwerk_D.txt"),
                  "D:\\Daten\\stale.txt\r\n");
    control.write(QStringLiteral("Datenbank/Haupt_Dateinamen_Liste_Laufwerk_D.txt"),
                  "D:\\Daten\\neu.txt\r\n");
    const QString base = control.native(QStringLiteral("Prog"));
    const auto index = [&](const char* name) {
        const CliRun result = run({"--base", base, "index", name, drive.native("Daten"), "*.txt"});
        EXPECT_EQ(result.status, 0) << result.err.toStdString();
        return control.read(QStringLiteral("Prog/Datenbank/%1.dat").arg(QLatin1String(name)));
    };
    EXPECT_TRUE(index("Ohne").contains("stale.txt"));
    settings::SettingsStore().write(settings::kControlFolder, QStringLiteral("E:\\"));
    const QByteArray descriptor = index("Mit");
    EXPECT_TRUE(descriptor.contains("D:\\Daten\\neu.txt")) << descriptor.toStdString();
    EXPECT_FALSE(descriptor.contains("stale.txt"));
}

TEST(CommandLineTest, UsageVersionAndHelpOfEveryVerb)
{
    EXPECT_EQ(run({"frobnicate"}).status, 2);
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"classify"}).status, 2);
    const CliRun version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QStringLiteral("nimbra (Nimbra-Doviruzu) " NIMBRA_VERSION "\n"));
    EXPECT_TRUE(version.err.isEmpty());

    const CliRun overview = run({"--help"});
    EXPECT_EQ(overview.status, 0);
    EXPECT_TRUE(overview.err.isEmpty());
    EXPECT_EQ(run({"-h"}).out, overview.out);
    for (const char* verb :
         {"databases", "classify", "find", "index", "search", "count", "files"}) {
        SCOPED_TRACE(verb);
        const CliRun help = run({verb, "--help"});
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.err.isEmpty());
        const QString usage = help.out.section(u'\n', 0, 0);
        EXPECT_TRUE(usage.startsWith(QStringLiteral("Aufruf: nimbra ")));
        EXPECT_TRUE(usage.contains(QStringLiteral(" ") + verb + QStringLiteral(" ")) ||
                    usage.endsWith(QStringLiteral(" ") + verb));
        EXPECT_TRUE(help.out.contains(QStringLiteral("Exit-Status:")));
        // The overview shows the same form as the verb's own help.
        EXPECT_TRUE(overview.out.contains(QStringLiteral("  ") + usage.mid(8) + u'\n'));
    }
    EXPECT_EQ(run({"frobnicate", "--help"}).status, 2);
}

TEST(CommandLineTest, VerbHelpRunsNothingAndAWrongCallShowsItsFirstLine)
{
    TempFolder base;
    const CliRun help = run({"--base", base.native(), "index", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_FALSE(QFileInfo::exists(base.native(QStringLiteral("Datenbank"))));

    const CliRun wrong = run({"--base", base.native(), "index", "Briefe"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.err, help.out.section(u'\n', 0, 0) + u'\n');
    EXPECT_EQ(run({"count", "x"}).err, run({"count", "--help"}).out.section(u'\n', 0, 0) + u'\n');
}

TEST(CommandLineTest, ARefusedDatabaseNameWritesNothingAnywhere)
{
    MappedDrive drive(u'D');
    drive.write(QStringLiteral("Daten/a.txt"), "Inhalt");
    const QString base = drive.native(QStringLiteral("Basis"));
    QDir().mkpath(base);
    for (const QString& name : {QStringLiteral("../../evil"), QStringLiteral("Zeile\nzwei"),
                                QStringLiteral("C:x"), QStringLiteral("..")}) {
        const QList<QStringList> verbs = {
            {"index", name, drive.native(QStringLiteral("Daten")), "*.txt"},
            {"search", name, "Inhalt"},
            {"count", name, "Inhalt"},
            {"files", name, "a"},
            {"sortlist", name}};
        for (const QStringList& verb : verbs) {
            const CliRun result = run(QStringList{"--base", base} + verb);
            EXPECT_EQ(result.status, 2) << verb.join(' ').toStdString();
            EXPECT_TRUE(result.err.contains(QStringLiteral("nicht möglich")) ||
                        result.err.contains(QStringLiteral("Aufruf")))
                << result.err.toStdString();
        }
    }
    // Not even the Datenbank folder was made, and nothing appeared beside the base folder.
    EXPECT_EQ(QDir(base).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    EXPECT_EQ(QDir(drive.native()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"Basis", "Daten"}));
}

// A broken descriptor or a folder in a document's place: a German message naming the file
// and what to do, exit status 2; never a silent exit.
TEST(CommandLineTest, BrokenFilesOfADatabaseAreNamedWithWhatToDo)
{
    MappedDrive drive(u'D');
    drive.write(QStringLiteral("Texte/a.txt"), "Wort");
    drive.write(QStringLiteral("Datenbank/Haupt_Dateinamen_Liste_Laufwerk_D.txt"),
                "D:\\Texte\\a.txt\r\n");
    const QStringList base{"--base", drive.native()};
    ASSERT_EQ(run(base + QStringList{"index", "Db", drive.native("Texte"), "*.txt"}).status, 0);
    const QByteArray descriptor = drive.read(QStringLiteral("Datenbank/Db.dat"));

    for (const QByteArray& broken :
         {QByteArray(), QByteArray("\x00\x01\xFF", 3), QByteArray("D:\\Texte\\a.txt\r\n")}) {
        drive.write(QStringLiteral("Datenbank/Db.dat"), broken);
        const CliRun result = run(base + QStringList{"search", "Db", "Wort"});
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(result.err.contains(QStringLiteral("Db.dat")) &&
                    result.err.contains(QStringLiteral("neu")))
            << result.err.toStdString();
    }
    drive.write(QStringLiteral("Datenbank/Db.dat"), descriptor);
    // A Temp folder deleted by hand comes back for the result pages.
    QDir(drive.native(QStringLiteral("Datenbank/Temp"))).removeRecursively();
    const CliRun found = run(base + QStringList{"search", "Db", "Wort"});
    EXPECT_EQ(found.status, 0) << found.err.toStdString();
    EXPECT_TRUE(QFile::exists(drive.native(QStringLiteral("Datenbank/Temp/NB_Ergebnis.htm"))));

    QFile::remove(drive.native(QStringLiteral("Datenbank/Db_UTF8Dokument.txt")));
    drive.makeFolder(QStringLiteral("Datenbank/Db_UTF8Dokument.txt"));
    const CliRun folder = run(base + QStringList{"search", "Db", "Wort"});
    EXPECT_EQ(folder.status, 2);
    EXPECT_TRUE(
        folder.err.contains(QStringLiteral("Db_UTF8Dokument.txt kann nicht geöffnet werden.")))
        << folder.err.toStdString();
}
