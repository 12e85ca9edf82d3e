#include "app/TMainForm_NB_Klar.h"

#include "app/CloseMessage.h"
#include "app/DatabaseListDelegate.h"
#include "dialogs/TOKBottomDlg.h"
#include "indexer/NewDatabaseScriptedPrompts.h"
#include "searchwindow/TSuchForm.h"
#include "store/Settings.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocalSocket>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Indexing runs from the main window with the real list program, on mapped temporary
// drives: D holds the texts, E the base folder.
class MainFormRunTest : public testing::Test {
protected:
    MainFormRunTest()
    {
        for (int i = 0; i < 40; ++i)
            texts.write(QStringLiteral("Texte/datei%1.txt").arg(i, 2, 10, QLatin1Char('0')),
                        QStringLiteral("Inhalt %1\r\n").arg(i, 2, 10, QLatin1Char('0')).toUtf8());
    }

    std::unique_ptr<TMainForm_NB_Klar> show(const QString& baseFolder = QString())
    {
        TMainForm_NB_Klar::StartInfo start;
        start.nativeWorkingFolder = base.native(baseFolder);
        start.nativeProgramFolder = QCoreApplication::applicationDirPath();
        auto form = std::make_unique<TMainForm_NB_Klar>(start, &ui, &prompts);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        QCoreApplication::processEvents();
        return form;
    }

    // Starts a run as the confirmed dialog does and waits for its end.
    bool run(TMainForm_NB_Klar& form, const IndexRun::Request& request, bool newList = true)
    {
        QSignalSpy ended(&form.runDriver(), &IndexRunDriver::runEnded);
        form.runDriver().start(request, newList);
        return !ended.isEmpty() || ended.wait(30000);
    }
    static IndexRun::Request request(bool update = false)
    {
        return {QStringLiteral("Texte"), QStringLiteral("D:\\Texte"), QStringLiteral("*.txt"),
                update, false};
    }
    QString label(TMainForm_NB_Klar& form, const char* name)
    {
        return form.findChild<QLabel*>(QLatin1String(name))->text();
    }

    IsolatedSettings isolated;
    MappedDrive texts{u'D'};
    MappedDrive base{u'E'};
    // Presses a button of the main window that opens the new-database dialog, fills the
    // dialog as a user would and waits for the run it starts.
    bool runFromButton(TMainForm_NB_Klar& form, const char* button, const QString& name)
    {
        QSignalSpy ended(&form.runDriver(), &IndexRunDriver::runEnded);
        QTimer::singleShot(0, &form, [&form, name] {
            TOKBottomDlg* dialog = form.newDatabaseDialog();
            if (!name.isEmpty()) {
                dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(name);
                dialog->findChild<QPushButton*>(QStringLiteral("OrdnerwaehlenButton"))->click();
            }
            dialog->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        });
        form.findChild<QPushButton*>(QLatin1String(button))->click();
        return !ended.isEmpty() || ended.wait(30000);
    }

    RecordingUserInterface ui;
    ScriptedPrompts prompts;
};

} // namespace

TEST_F(MainFormRunTest, NewDatabaseThroughTheDialogThenReindexThroughTheButton)
{
    auto form = show();
    prompts.folders = {texts.native(QStringLiteral("Texte"))};
    ASSERT_TRUE(runFromButton(*form, "NeuErstellenBtn", QStringLiteral("Briefe")));
    EXPECT_EQ(label(*form, "Label1"), QStringLiteral("Fertig mit der Indizierung."));
    ASSERT_EQ(form->databaseList()->count(), 1);
    EXPECT_EQ(form->databaseList()->currentItem()->text(), QStringLiteral("Briefe"));
    EXPECT_TRUE(base.read(QStringLiteral("Datenbank/Briefe.dat")).startsWith("PFAD_UND_ENDUNGEN="));

    // The re-index keeps the dialog's fields from the descriptor; the drive list exists now,
    // so the dialog asks whether to make it anew ("Nein": the list is read as it is).
    texts.write(QStringLiteral("Texte/spaet.txt"), "Spaeter Inhalt");
    ASSERT_TRUE(runFromButton(*form, "ErneutIndiziereBtn", QString()));
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_FALSE(
        base.read(QStringLiteral("Datenbank/Briefe_UTF8Dokument.txt")).contains("Spaeter"));
    EXPECT_EQ(label(*form, "Label1"), QStringLiteral("Fertig mit der Indizierung."));
    EXPECT_EQ(form->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->text(),
              QStringLiteral("Schli&eßen"));
}

// The control folder E:\ in use by the base folder E:\Prog: the list program writes the
// new drive list there and the run reads that one, not the stale one of the base folder.
TEST_F(MainFormRunTest, WithTheControlFolderTheNewDriveListIsRead)
{
    settings::SettingsStore().write(settings::kControlFolder, QStringLiteral("E:\\"));
    base.write(QStringLiteral("Prog/Datenbank/Haupt_Dateinamen_Liste_Laufwerk_D.txt"),
               "D:\\Texte\\stale.txt\r\n");
    auto form = show(QStringLiteral("Prog"));
    ASSERT_TRUE(run(*form, request()));
    EXPECT_EQ(label(*form, "Label1"), QStringLiteral("Fertig mit der Indizierung."));
    const QByteArray descriptor = base.read(QStringLiteral("Prog/Datenbank/Texte.dat"));
    EXPECT_EQ(descriptor.count("D:\\Texte\\datei"), 40) << descriptor.toStdString();
    EXPECT_FALSE(descriptor.contains("stale.txt"));
}

// While a run lets events through, nothing in the main window opens a modal window that
// would hold the run: "Suchen" and the settings are disabled with the run buttons.
TEST_F(MainFormRunTest, NoModalWindowOpensDuringARun)
{
    auto form = show();
    ASSERT_TRUE(run(*form, request()));
    QStringList enabledDuringTheRun;
    bool searchOpened = false;
    QObject::connect(&form->runDriver(), &IndexRunDriver::progressChanged, form.get(), [&] {
        for (const char* name :
             {"SuchenBtn", "NeuErstellenBtn", "ErneutIndiziereBtn", "SpeedButton2"}) {
            if (form->findChild<QPushButton*>(QLatin1String(name))->isEnabled())
                enabledDuringTheRun.append(QLatin1String(name));
        }
        QTimer::singleShot(0, form.get(),
                           [&] { searchOpened |= form->searchWindow()->isVisible(); });
        form->findChild<QPushButton*>(QStringLiteral("SuchenBtn"))->click();
    });
    ASSERT_TRUE(run(*form, request(true), false));
    EXPECT_TRUE(enabledDuringTheRun.isEmpty()) << enabledDuringTheRun.join(u' ').toStdString();
    EXPECT_FALSE(searchOpened);
    EXPECT_TRUE(form->findChild<QPushButton*>(QStringLiteral("SuchenBtn"))->isEnabled());
}

TEST_F(MainFormRunTest, CreateThenReindexWithTheListProgram)
{
    auto form = show();
    ASSERT_TRUE(run(*form, request()));
    EXPECT_EQ(label(*form, "Label1"), QStringLiteral("Fertig mit der Indizierung."));
    EXPECT_TRUE(
        label(*form, "Label2").startsWith(QStringLiteral("Anzahl Dateien:     40     Zeit: ")));
    ASSERT_EQ(form->databaseList()->count(), 1);
    EXPECT_EQ(form->databaseList()->currentItem()->text(), QStringLiteral("Texte"));
    EXPECT_FALSE(form->model().pathListOnly());
    EXPECT_FALSE(QFile::exists(base.native(QStringLiteral("Datenbank/Texte.lock"))));
    EXPECT_TRUE(
        base.read(QStringLiteral("Datenbank/Texte_UTF8Dokument.txt")).contains("Inhalt 39"));
    EXPECT_TRUE(ui.informations.isEmpty()) << ui.informations.join('\n').toStdString();

    // With a second database whose name holds the first one's, the re-index keeps the
    // stored selection rather than picking the last name that contains "Texte".
    IndexRun::Request other = request();
    other.name = QStringLiteral("Texte2");
    ASSERT_TRUE(run(*form, other, false));
    ASSERT_EQ(form->databaseList()->currentItem()->text(), QStringLiteral("Texte2"));
    form->databaseList()->setCurrentRow(0);
    texts.write(QStringLiteral("Texte/neu.txt"), "Neuer Inhalt");
    ASSERT_TRUE(run(*form, request(true)));
    EXPECT_EQ(form->databaseList()->currentItem()->text(), QStringLiteral("Texte"));
    EXPECT_TRUE(base.read(QStringLiteral("Datenbank/Texte_UTF8Dokument.txt")).contains("Neuer"));
    EXPECT_TRUE(form->findChild<QPushButton*>(QStringLiteral("NeuErstellenBtn"))->isEnabled());
}

TEST_F(MainFormRunTest, CancelAfterTheFirstFileEndsWithTheAbortedText)
{
    auto form = show();
    bool pressed = false;
    QObject::connect(&form->runDriver(), &IndexRunDriver::captionChanged, form.get(),
                     [&](const QString& caption) {
                         if (!pressed && caption.contains(QStringLiteral("-Datei:"))) {
                             pressed = true;
                             form->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
                         }
                     });
    ASSERT_TRUE(run(*form, request(), false));
    // No drive list yet: the list program ran first; then the builder stopped after a file.
    EXPECT_TRUE(pressed);
    EXPECT_EQ(label(*form, "Label1"), QStringLiteral("Fertig mit der abgebrochenen Indizierung."));
    const QByteArray document = base.read(QStringLiteral("Datenbank/Texte_UTF8Dokument.txt"));
    EXPECT_TRUE(document.contains("Inhalt 00"));
    EXPECT_FALSE(document.contains("Inhalt 39"));
    EXPECT_TRUE(form->isVisible());
}

// A close while the documents are finished ("Aufgeteilte Dateien werden zusammengefügt!")
// lets the run end first: its documents are those of an uncut run, and the window closes
// afterwards.
TEST_F(MainFormRunTest, CloseWhileTheDocumentsAreFinishedKeepsThemWhole)
{
    for (int i = 0; i < 3; ++i)
        texts.write(QStringLiteral("Texte/a_gross%1.txt").arg(i),
                    QByteArray(400000, char('a' + i)));
    auto form = show();
    ASSERT_TRUE(run(*form, request()));
    const QByteArray uncut = base.read(QStringLiteral("Datenbank/Texte_UTF8Dokument.txt"));

    bool closed = false;
    QObject::connect(&form->runDriver(), &IndexRunDriver::viewChanged, form.get(), [&] {
        if (!closed && form->runDriver().view().status.startsWith(QStringLiteral("Aufgeteilte"))) {
            closed = true;
            form->close();
        }
    });
    ASSERT_TRUE(run(*form, request(true), false));
    EXPECT_TRUE(closed);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(base.read(QStringLiteral("Datenbank/Texte_UTF8Dokument.txt")) == uncut);
}

TEST_F(MainFormRunTest, CloseMessageFromASocket)
{
    auto form = show();
    const QString server = CloseMessage::serverName(QCoreApplication::applicationPid());
    const auto send = [&](const QByteArray& message) {
        QLocalSocket socket;
        socket.connectToServer(server);
        EXPECT_TRUE(socket.waitForConnected(2000));
        socket.write(message);
        socket.flush();
        socket.disconnectFromServer();
        QTest::qWait(100);
    };
    send("5735 98\n");
    send("\x01\xFFgarbage 5735 99 x");
    EXPECT_TRUE(form->isVisible());
    send("5735 99\n");
    EXPECT_FALSE(form->isVisible());

    EXPECT_TRUE(CloseMessage::isCloseRequest(" 5735  99 "));
    EXPECT_FALSE(CloseMessage::isCloseRequest("5735 99 1"));
    EXPECT_FALSE(CloseMessage::isCloseRequest("5735"));
}

// The selected entry is painted in the darkened window colour (the colour rule itself is
// checked with the colours), the others in the window colour.
TEST(DatabaseListDelegateTest, SelectedEntryIsPaintedDarker)
{
    QListWidget list;
    list.setItemDelegate(new DatabaseListDelegate(&list));
    QPalette palette = list.palette();
    palette.setColor(QPalette::Base, QColor(100, 200, 255));
    list.setPalette(palette);
    list.addItems({QStringLiteral("A"), QStringLiteral("B")});
    list.setCurrentRow(1);
    list.resize(200, 100);
    const QImage shot = list.grab().toImage();
    const QRect second = list.visualItemRect(list.item(1));
    const QPoint inside = list.viewport()->mapTo(&list, second.topRight() - QPoint(3, -3));
    const QPoint firstInside =
        list.viewport()->mapTo(&list, list.visualItemRect(list.item(0)).topRight() - QPoint(3, -3));
    EXPECT_EQ(shot.pixelColor(inside), QColor(93, 186, 237));
    EXPECT_EQ(shot.pixelColor(firstInside), QColor(100, 200, 255));
}

// A list program that takes its time: closing the window ends it and the run at once,
// leaving no database behind.
TEST_F(MainFormRunTest, CloseWhileTheListProgramRunsEndsBoth)
{
    base.write(QStringLiteral("DeduridoZidirivovi"), "#!/bin/sh\nsleep 30\n");
    QFile::setPermissions(base.native(QStringLiteral("DeduridoZidirivovi")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    auto form = show();
    QSignalSpy ended(&form->runDriver(), &IndexRunDriver::runEnded);
    form->runDriver().start(request(), true);
    ASSERT_TRUE(form->runDriver().control().waiting());
    QTest::qWait(600);
    EXPECT_EQ(form->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->text(),
              QStringLiteral("&Abbruch"));
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(ended.size(), 1);
    EXPECT_FALSE(QFile::exists(base.native(QStringLiteral("Datenbank/Texte.dat"))));
}
