#include "dialogs/TOKBottomDlg.h"

#include "indexer/NewDatabaseScriptedPrompts.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kDriveList = QStringLiteral("Datenbank/Haupt_Dateinamen_Liste_Laufwerk_D.txt");

class TOKBottomDlgTest : public testing::Test {
protected:
    TOKBottomDlgTest()
    {
        drive.makeFolder(QStringLiteral("Texte"));
        base.write(QStringLiteral("AuswahlEndungen.txt"), "*.md\r\n");
        dialog = std::make_unique<TOKBottomDlg>(
            DatabasePaths(base.program()), control.program(), ui, &prompts,
            [this](int milliseconds) { pauses.append(milliseconds); });
    }

    template <typename T> T* child(const char* name) const
    {
        T* found = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* edit(const char* name) const { return child<QLineEdit>(name); }
    QString text(const char* name) const { return edit(name)->text(); }
    bool image1Shown() const { return child<QLabel>("Image1")->isVisibleTo(dialog.get()); }

    void fillNew(const QString& name)
    {
        dialog->prepareForNew(existing);
        edit("Edit1")->setText(name);
        prompts.folders = {drive.native(QStringLiteral("Texte"))};
        child<QPushButton>("OrdnerwaehlenButton")->click();
    }
    void fillUpdate(const QString& name, const QString& extensions = QStringLiteral("*.TXT"))
    {
        dialog->prepareForUpdate(name, drive.program(QStringLiteral("Texte")), extensions, true,
                                 existing);
    }
    void pressOK() { child<QPushButton>("OKBtn")->click(); }

    MappedDrive drive{u'D'};
    MappedDrive base{u'E'};
    MappedDrive control{u'F'};
    RecordingUserInterface ui;
    ScriptedPrompts prompts;
    QList<int> pauses;
    QStringList existing{QStringLiteral("Briefe"), QStringLiteral("Notizen")};
    std::unique_ptr<TOKBottomDlg> dialog;
};

} // namespace

// Each showing puts the focus into the name field.
TEST_F(TOKBottomDlgTest, StartsWithItsDefaultsAndTheFocusInTheName)
{
    EXPECT_EQ(text("Edit2"), QStringLiteral("C:\\"));
    EXPECT_EQ(text("Edit3"), QStringLiteral("*.txt"));
    EXPECT_TRUE(child<QCheckBox>("AuswahlMitOhneIndizierung")->isChecked());
    for (const char* hidden : {"ComboBox1", "BitBtn1", "Image1"})
        EXPECT_FALSE(child<QWidget>(hidden)->isVisibleTo(dialog.get())) << hidden;
    for (int shown = 0; shown < 2; ++shown) {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        EXPECT_EQ(dialog->focusWidget(), edit("Edit1"));
        edit("Edit3")->setFocus(); // where the last use left it
        dialog->hide();
    }
}

TEST_F(TOKBottomDlgTest, NameFieldDropsInvalidCharactersOnceAndKeepsTheCursor)
{
    QLineEdit* name = edit("Edit1");
    QTest::keyClicks(name, QStringLiteral("Bericht:2024"));
    EXPECT_EQ(name->text(), QStringLiteral("Bericht2024"));
    EXPECT_EQ(ui.informations,
              QStringList{QStringLiteral("Sie haben ungültige Zeichen eingegeben!")});

    name->setCursorPosition(7);
    name->insert(QStringLiteral("<a|b>"));
    EXPECT_EQ(name->text(), QStringLiteral("Berichtab2024"));
    EXPECT_EQ(name->cursorPosition(), 9);
    EXPECT_EQ(ui.informations.size(), 2);

    name->setText(QStringLiteral("日本"));
    EXPECT_EQ(name->text(), QString());
    EXPECT_EQ(ui.informations.size(), 3);
}

TEST_F(TOKBottomDlgTest, FolderOnADriveTheListProgramCannotReadIsCleared)
{
    dialog->prepareForUpdate(QStringLiteral("Alt"), QStringLiteral("Q:\\Texte"),
                             QStringLiteral("*.TXT"), true, existing);
    EXPECT_EQ(text("Edit2"), QString());
    EXPECT_EQ(ui.informations,
              QStringList{QStringLiteral("Das Laufwerk: \"Q\" hat kein NTFS-Dateisystem! Nimbra "
                                         "kann es deshalb nicht indizieren.")});
}

TEST_F(TOKBottomDlgTest, PatternChoicesAppendToTheExtensionField)
{
    auto* choices = child<QComboBox>("ComboBox1");
    ASSERT_EQ(choices->count(), 3);
    EXPECT_EQ(choices->itemText(0), QStringLiteral("*.csv"));
    EXPECT_EQ(choices->itemText(1), QStringLiteral("*.md"));
    EXPECT_EQ(choices->itemText(2), QStringLiteral("*.txt"));

    emit choices->activated(1);
    EXPECT_EQ(text("Edit3"), QStringLiteral("*.txt *.md"));
    child<QPushButton>("Button1")->click();
    EXPECT_EQ(text("Edit3"), QString());
    emit choices->activated(0);
    EXPECT_EQ(text("Edit3"), QStringLiteral("*.csv"));

    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    child<QPushButton>("BitBtn2")->click();
    EXPECT_TRUE(choices->view()->isVisible());
    // It drops down at the extension field, not at the dialog's corner.
    const auto* field = child<QLineEdit>("Edit3");
    const QPoint fieldAt = field->mapToGlobal(QPoint(0, 0));
    const QRect popup = choices->view()->window()->geometry();
    EXPECT_NEAR(popup.left(), fieldAt.x(), 4);
    EXPECT_GE(popup.top(), fieldAt.y() - popup.height());
    EXPECT_GT(popup.top(), dialog->mapToGlobal(QPoint(0, 0)).y() + field->y() / 2);
    choices->hidePopup();
}

TEST_F(TOKBottomDlgTest, CheckBoxSwitchesCaptionsColorAndPreference)
{
    auto* box = child<QCheckBox>("AuswahlMitOhneIndizierung");
    auto* panel = child<QFrame>("Panel1");
    const QString withCaption = box->text();
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(255, 255, 0));
    box->click();
    EXPECT_EQ(box->text(),
              QStringLiteral("Ohne Datenbankerstellung (keine Indizierung der Daten)"));
    EXPECT_EQ(child<QLabel>("Label7")->text(),
              QStringLiteral("Wenig Speicherbedarf, aber Suche langsamer als mit Indizierung."));
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(128, 128, 128));
    EXPECT_TRUE(dialog->choice().pathListOnly);
    box->click();
    EXPECT_EQ(box->text(), withCaption);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(255, 255, 0));
    EXPECT_FALSE(dialog->choice().pathListOnly);
}

TEST_F(TOKBottomDlgTest, ClickAndKeysInTheFolderFieldOpenTheChooser)
{
    QLineEdit* folder = edit("Edit2");
    prompts.folders = {drive.native(QStringLiteral("Texte"))};
    QTest::mouseClick(folder, Qt::LeftButton);
    EXPECT_EQ(folder->text(), QStringLiteral("D:\\Texte"));
    EXPECT_EQ(prompts.startFolders,
              QStringList{QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)});
    EXPECT_TRUE(prompts.questions.isEmpty()); // no drive list yet

    QTest::keyClick(folder, Qt::Key_Tab);
    EXPECT_EQ(prompts.startFolders.size(), 1);
    QTest::keyClick(folder, Qt::Key_A); // cancelled: the field stays
    ASSERT_EQ(prompts.startFolders.size(), 2);
    EXPECT_EQ(prompts.startFolders[1], drive.native(QStringLiteral("Texte")));
    EXPECT_EQ(folder->text(), QStringLiteral("D:\\Texte"));
    EXPECT_TRUE(dialog->choice().runListProgram);
}

TEST_F(TOKBottomDlgTest, ChooserAsksAboutAnExistingDriveList)
{
    base.write(kDriveList, "D:\\Texte\\a.txt\r\n");
    prompts.answers = {false, true};
    prompts.folders = {drive.native(QStringLiteral("Texte")), drive.native()};
    child<QPushButton>("OrdnerwaehlenButton")->click();
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_TRUE(prompts.questions[0].contains(QStringLiteral("Haupt_Dateinamen_Liste_Laufwerk_D")));
    EXPECT_FALSE(dialog->choice().runListProgram);
    EXPECT_TRUE(image1Shown());
    EXPECT_EQ(pauses, QList<int>{2000});

    child<QPushButton>("OrdnerwaehlenButton")->click();
    EXPECT_EQ(text("Edit2"), QStringLiteral("D:\\"));
    EXPECT_TRUE(dialog->choice().runListProgram);
    EXPECT_FALSE(image1Shown());
    EXPECT_EQ(pauses.size(), 1);
}

TEST_F(TOKBottomDlgTest, ClipboardPathStartsTheChooser)
{
    QGuiApplication::clipboard()->setText(drive.native(QStringLiteral("Texte")));
    child<QAction>("PfadausZwischenablageeinfgen1")->trigger();
    EXPECT_EQ(text("Edit2"), QStringLiteral("D:\\Texte"));
    EXPECT_EQ(prompts.startFolders, QStringList{drive.native(QStringLiteral("Texte"))});

    QGuiApplication::clipboard()->setText(QStringLiteral("kein Pfad"));
    child<QAction>("PfadausZwischenablageeinfgen1")->trigger();
    EXPECT_EQ(text("Edit2"), QStringLiteral("kein Pfad"));
    EXPECT_EQ(prompts.startFolders.last(),
              QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    edit("Edit1")->setText(QStringLiteral("Neu"));
    pressOK();
    EXPECT_EQ(ui.informations,
              QStringList{QStringLiteral("Der angegebene Ordner existiert nicht")});
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(TOKBottomDlgTest, NewDatabaseHandsOverItsChoice)
{
    fillNew(QStringLiteral("Berichte"));
    child<QCheckBox>("AuswahlMitOhneIndizierung")->click();
    pressOK();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const TOKBottomDlg::Choice choice = dialog->choice();
    EXPECT_EQ(choice.name, QStringLiteral("Berichte"));
    EXPECT_EQ(choice.folder, QStringLiteral("D:\\Texte"));
    EXPECT_EQ(choice.extensions, QStringLiteral("*.txt"));
    EXPECT_TRUE(choice.pathListOnly);
    EXPECT_TRUE(choice.runListProgram);
    EXPECT_TRUE(ui.informations.isEmpty());
}

TEST_F(TOKBottomDlgTest, UpdateAsksAboutTheListTheRunWillRead)
{
    control.write(kDriveList, "D:\\Texte\\a.txt\r\n");
    fillUpdate(QStringLiteral("Notizen"));
    EXPECT_EQ(text("Edit1"), QStringLiteral("Notizen"));
    EXPECT_EQ(text("Edit3"), QStringLiteral("*.TXT"));
    pressOK();
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->choice().name, QStringLiteral("Notizen"));
    EXPECT_FALSE(dialog->choice().runListProgram);
    EXPECT_TRUE(image1Shown());
    EXPECT_EQ(pauses, QList<int>{1000});

    control.write(kDriveList, QByteArray()); // still there: asked again, "Ja" this time
    prompts.answers = {true};
    fillUpdate(QStringLiteral("Notizen"));
    pressOK();
    EXPECT_EQ(prompts.questions.size(), 2);
    EXPECT_TRUE(dialog->choice().runListProgram);
    EXPECT_FALSE(image1Shown());
}

TEST_F(TOKBottomDlgTest, UpdateWithoutListOrAfterAFailedCheckAsksNothing)
{
    fillUpdate(QStringLiteral("Notizen"));
    pressOK();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog->choice().runListProgram);

    base.write(kDriveList, "D:\\Texte\\a.txt\r\n");
    fillUpdate(QStringLiteral("Notizen"), QString());
    pressOK();
    fillUpdate(QStringLiteral("Notizen"));
    edit("Edit1")->setText(QStringLiteral("Briefe"));
    pressOK();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(dialog->choice().name, QString());
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_EQ(ui.informations,
              QStringList({QStringLiteral("Sie haben keine Dateiendung angegeben"),
                           QStringLiteral("Dieser Name existiert schon! Geben Sie einen anderen "
                                          "ein!")}));
}
