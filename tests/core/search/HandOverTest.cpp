#include "search/HandOver.h"

#include "support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(HandOverTest, TextIsReadBeforeTheFileOfTheControlFolderIsDeleted)
{
    EXPECT_EQ(handover::file(QString()), QString());
    EXPECT_EQ(handover::file(QStringLiteral("D:\\Nimbra")),
              QStringLiteral("D:\\Nimbra\\Datenbank\\Suchtext.txt"));
    EXPECT_EQ(handover::file(QStringLiteral("D:\\Nimbra\\")),
              QStringLiteral("D:\\Nimbra\\Datenbank\\Suchtext.txt"));
    MappedDrive drive;
    const QString file = handover::file(drive.program());
    struct Case {
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"M\xC3\xBCller\r\n", QStringLiteral("Müller")},
        {"M\xFCller", QStringLiteral("Müller")}, // not UTF-8: Windows-1252
        {"", QString()},
        {"  zwei\r\nZeilen \r\n", QStringLiteral("zwei Zeilen")},
    };
    for (const Case& c : cases) {
        drive.write(QStringLiteral("Datenbank/Suchtext.txt"), c.bytes);
        EXPECT_EQ(handover::read(file), c.text);
        EXPECT_EQ(handover::take(file), c.text);
        EXPECT_FALSE(QFile::exists(drive.native(QStringLiteral("Datenbank/Suchtext.txt"))));
        EXPECT_EQ(handover::take(file), std::nullopt);
    }
}
