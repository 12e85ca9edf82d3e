#include "indexer/FileTimes.h"

#include "support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <ctime>

namespace {

// Runs a test in a zone with summer time, the previous zone back afterwards.
struct BerlinTime {
    BerlinTime() : m_previous(qgetenv("TZ")), m_hadZone(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }
    ~BerlinTime()
    {
        if (m_hadZone)
            qputenv("TZ", m_previous);
        else
            qunsetenv("TZ");
        tzset();
    }
    QByteArray m_previous;
    bool m_hadZone;
};

void setLastWrite(const QString& native, const QDateTime& when)
{
    QFile file(native);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace

TEST(FileTimesTest, EachTimeTakesTheZoneRulesOfItsOwnDateAndOnlyFilesHaveTimes)
{
    BerlinTime berlin;
    MappedDrive drive{u'D'};
    drive.write(QStringLiteral("Sommer.txt"), "x");
    drive.write(QStringLiteral("Winter.txt"), "x");
    setLastWrite(drive.native(QStringLiteral("Sommer.txt")),
                 QDateTime(QDate(2024, 7, 15), QTime(10, 0), Qt::UTC));
    setLastWrite(drive.native(QStringLiteral("Winter.txt")),
                 QDateTime(QDate(2024, 1, 15), QTime(10, 0), Qt::UTC));

    const auto summer = fileTimes(drive.program(QStringLiteral("Sommer.txt")));
    const auto winter = fileTimes(drive.program(QStringLiteral("Winter.txt")));
    ASSERT_TRUE(summer && winter);
    EXPECT_EQ(summer->lastWrite.timeSpec(), Qt::LocalTime);
    EXPECT_EQ(summer->lastWrite.time(), QTime(12, 0));
    EXPECT_EQ(winter->lastWrite.time(), QTime(11, 0));
    EXPECT_TRUE(summer->lastAccess.isValid());

    // Nothing for what cannot be opened as a file.
    drive.makeFolder(QStringLiteral("Ordner"));
    EXPECT_FALSE(fileTimes(drive.program(QStringLiteral("Fehlt.txt"))));
    EXPECT_FALSE(fileTimes(drive.program(QStringLiteral("Ordner"))));
    EXPECT_FALSE(fileTimes(QStringLiteral("Q:\\Ungemappt.txt")));
}
