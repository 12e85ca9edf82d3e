#include "indexer/NewDatabaseChecks.h"

#include "indexer/NewDatabaseScriptedPrompts.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString kNoName = QStringLiteral("Sie haben keinen Namen für die Datenbank angegeben");
const QString kNoFolder = QStringLiteral("Sie haben keinen Pfad angegeben");
const QString kMissingFolder = QStringLiteral("Der angegebene Ordner existiert nicht");
const QString kNoExtension = QStringLiteral("Sie haben keine Dateiendung angegeben");
const QString kDuplicate =
    QStringLiteral("Dieser Name existiert schon! Geben Sie einen anderen ein!");

class ConfirmTest : public testing::Test {
protected:
    ConfirmTest() { drive.makeFolder(QStringLiteral("Texte")); }

    bool confirm(const QString& name, bool updateMode = false, const QString& original = {})
    {
        const newdb::Request request{name, drive.program(QStringLiteral("Texte")),
                                     QStringLiteral("*.txt"), updateMode, original};
        return newdb::confirm(request, existing, ui);
    }

    MappedDrive drive{u'D'};
    RecordingUserInterface ui;
    QStringList existing{QStringLiteral("Briefe"), QStringLiteral("Notizen")};
};

} // namespace

TEST_F(ConfirmTest, EmptyFieldsGiveFourMessagesInOrderInBothModes)
{
    for (const bool updateMode : {false, true}) {
        ui.informations.clear();
        EXPECT_FALSE(newdb::confirm({QStringLiteral("  "), QString(), QStringLiteral(" "),
                                     updateMode, QStringLiteral("Notizen")},
                                    existing, ui));
        EXPECT_EQ(ui.informations, QStringList({kNoName, kNoFolder, kMissingFolder, kNoExtension}));
    }
}

TEST_F(ConfirmTest, ListedNamesInAnyCaseAreTakenOnlyByAnUpdateOfThatDatabase)
{
    EXPECT_FALSE(confirm(QStringLiteral("notizen")));
    EXPECT_FALSE(confirm(QStringLiteral("BRIEFE")));
    EXPECT_EQ(ui.informations, QStringList({kDuplicate, kDuplicate}));
    EXPECT_TRUE(confirm(QStringLiteral("Notizen2")));
    ASSERT_EQ(ui.informations.size(), 2);
    ui.informations.clear();

    EXPECT_TRUE(confirm(QStringLiteral("Notizen"), true, QStringLiteral("Notizen")));
    EXPECT_TRUE(confirm(QStringLiteral("notizen"), true, QStringLiteral("Notizen")));
    EXPECT_TRUE(confirm(QStringLiteral("Notizen"), true)); // no original: the name itself
    EXPECT_TRUE(confirm(QStringLiteral("Neu"), true, QStringLiteral("Notizen")));
    EXPECT_TRUE(ui.informations.isEmpty());

    EXPECT_FALSE(confirm(QStringLiteral("briefe"), true, QStringLiteral("Notizen")));
    EXPECT_EQ(ui.informations, QStringList{kDuplicate});

    // Nothing to update: refused, never created.
    EXPECT_FALSE(confirm(QStringLiteral("Fehlt"), true));
    EXPECT_EQ(ui.informations.last(), QStringLiteral("Die Datenbank \"Fehlt\" gibt es nicht."));
    // The run writes under the listed name.
    EXPECT_EQ(newdb::catalogueName(QStringLiteral("notizen"), existing), QStringLiteral("Notizen"));
    EXPECT_EQ(newdb::catalogueName(QStringLiteral("Neu"), existing), QStringLiteral("Neu"));
}

TEST_F(ConfirmTest, NamesTheCatalogueWouldNeverListAreRefused)
{
    for (const char* name : {"Archiv_mht", "ARCHIV_MHT", "a_mht.datei"}) {
        ui.informations.clear();
        EXPECT_FALSE(confirm(QString::fromUtf8(name))) << name;
        ASSERT_EQ(ui.informations.size(), 1) << name;
        EXPECT_TRUE(ui.informations[0].contains(QStringLiteral("_mht"))) << name;
    }
    for (const char* name : {"mht", "Archiv_mh", "Archiv_mhtx", "_mht2"})
        EXPECT_TRUE(confirm(QString::fromUtf8(name))) << name;
}

TEST(NewDatabaseNameTest, FilterKeepsWhatTheAnsiCodePageHoldsWithoutInvalidCharacters)
{
    struct Case {
        const char* typed;
        const char* kept;
        bool removed;
    };
    const Case cases[] = {
        {"Bericht:2024", "Bericht2024", true},
        {"/\\*?\"<>|:^", "", true},
        {"日本", "", true}, // not in the code page: "?" and removed
        {"Grüße € 1:2", "Grüße € 12", true},
        {"Grüße €", "Grüße €", false},
        {"", "", false},
    };
    for (const Case& c : cases) {
        const newdb::FilteredName filtered = newdb::filterName(QString::fromUtf8(c.typed));
        EXPECT_EQ(filtered.name, QString::fromUtf8(c.kept)) << c.typed;
        EXPECT_EQ(filtered.removedSomething, c.removed) << c.typed;
    }
}

// Only a list that opens is asked about: byte for byte, with its own time.
TEST(NewDatabaseQuestionTest, AsksOnlyAboutAnOpenableList)
{
    MappedDrive base{u'E'};
    ScriptedPrompts prompts;
    EXPECT_TRUE(newdb::wantsNewDriveList(QString(), u'D', prompts));
    base.makeFolder(QStringLiteral("Liste"));
    EXPECT_TRUE(newdb::wantsNewDriveList(base.program(QStringLiteral("Liste")), u'D', prompts));
    EXPECT_TRUE(prompts.questions.isEmpty());

    base.write(QStringLiteral("Liste.txt"), "D:\\a.txt\r\n");
    const QString list = base.program(QStringLiteral("Liste.txt"));
    const QDateTime written(QDate(2024, 3, 5), QTime(7, 8, 9), Qt::LocalTime);
    QFile file(base.native(QStringLiteral("Liste.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(written, QFileDevice::FileModificationTime));
    file.close();

    prompts.answers = {false, true};
    EXPECT_FALSE(newdb::wantsNewDriveList(list, u'D', prompts));
    EXPECT_TRUE(newdb::wantsNewDriveList(list, u'D', prompts));
    ASSERT_EQ(prompts.questions.size(), 2);
    const QByteArray expected =
        "\r\n\r\n\r\nDie \"Haupt_Dateinamen_Liste_Laufwerk_D.txt\" ist schon vorhanden.\r\n\r\n"
        "\tSie wurde am: 05.03.2024 07:08:09 erstellt.\r\n\r\n"
        "\t\tSoll sie neu erstellt werden?\r\n"
        "\t\t--------------------------------------\r\n\r\n"
        "  Das geht relativ schnell. F\xC3\xBCr 300.000 Dateien etwa 25 Sekunden.\r\n\r\n"
        "             Test-PC:  Prozessor: Intel Core i5-7400 4 x 3.00 GHz\r\n\r\n"
        "Die Geschwindigkeit ist abh\xC3\xA4ngig von der Leistungsf\xC3\xA4higkeit des PC.";
    EXPECT_EQ(prompts.questions[0].toUtf8(), expected);
    EXPECT_EQ(prompts.questions[1], prompts.questions[0]);
}
