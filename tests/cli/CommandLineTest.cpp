#include "cli/CommandLine.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

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

TEST(CommandLineTest, ClassifyGoesOnAfterAFileThatCannotBeRead)
{
    TempFolder folder;
    folder.write(QStringLiteral("ansi.txt"), "Gr\xFC\xDF" "e");
    folder.write(QStringLiteral("rtf.txt"), "{\\rtf1}");
    const CliRun result = run({"classify", folder.native("ansi.txt"), folder.native("gone.txt"),
                            folder.native("rtf.txt")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, QStringLiteral("kein Unicode\tAnsi\t%1\nRTF\t-\t%2\n")
                              .arg(folder.native("ansi.txt"), folder.native("rtf.txt")));
    EXPECT_TRUE(result.err.startsWith(folder.native("gone.txt") + QStringLiteral(": ")));
}

TEST(CommandLineTest, UnknownVerbShowsUsage)
{
    EXPECT_EQ(run({"frobnicate"}).status, 2);
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"classify"}).status, 2);
}
