#include "platform/SystemInfo.h"

#include "support/TempFolder.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

// The scanner wait looks for a program by its file name: a copy of sleep named like the
// scanner is found while it runs, in any case, and no longer once it has ended.
TEST(SystemInfoTest, RunningProcessIsFoundByItsFileName)
{
    const TempFolder folder;
    const QString scanner = folder.native(QStringLiteral("MSMPENG.exe"));
    ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), scanner));
    QFile::setPermissions(scanner, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(platform::processRunning(QStringLiteral("MSMPENG.exe")));

    QProcess process;
    process.start(scanner, {QStringLiteral("30")});
    ASSERT_TRUE(process.waitForStarted());
    EXPECT_TRUE(platform::processRunning(QStringLiteral("msmpeng.EXE")));
    EXPECT_TRUE(platform::processRunning(QStringLiteral("C:\\Programme\\Defender\\MSMPENG.exe")));
    process.kill();
    process.waitForFinished();
    EXPECT_FALSE(platform::processRunning(QStringLiteral("MSMPENG.exe")));
}
