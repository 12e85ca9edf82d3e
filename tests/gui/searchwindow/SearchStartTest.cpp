#include "app/TMainForm_NB_Klar.h"

#include "indexer/NewDatabaseScriptedPrompts.h"
#include "searchwindow/SearchWindowFixture.h"
#include "searchwindow/TSuchForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

using namespace searchwindowtest;

namespace {

// The search started from the main window's button: the modal window is driven from a
// timer as a user would drive it.
class SearchStartTest : public DatabaseFixture {
protected:
    std::unique_ptr<TMainForm_NB_Klar> showMain()
    {
        TMainForm_NB_Klar::StartInfo start;
        start.nativeWorkingFolder = base.native();
        start.nativeProgramFolder = QCoreApplication::applicationDirPath();
        auto form = std::make_unique<TMainForm_NB_Klar>(start, &ui, &prompts);
        form->searchWindow()->setBrowserLauncher(&launcher);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        QCoreApplication::processEvents();
        return form;
    }
    // Presses "Suchen"; `act` runs on the shown search window and closes it.
    void search(TMainForm_NB_Klar& main, const std::function<void(TSuchForm&)>& act)
    {
        TSuchForm* window = main.searchWindow();
        QTimer::singleShot(0, window, [window, act] {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
            act(*window);
        });
        main.findChild<QPushButton*>(QStringLiteral("SuchenBtn"))->click();
    }
    static void searchFor(TSuchForm& window, const QString& text)
    {
        window.findChild<QLineEdit*>(QStringLiteral("TntEdit2"))->setText(text);
        window.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
    }
    QStringList savedList() const
    {
        const QByteArray bytes = base.read(
            QStringLiteral("Datenbank/Suchwoerterlisten/DB_Gesamt_OhneDB_Suchwoerterliste.txt"));
        return QString::fromUtf8(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    ScriptedPrompts prompts;
};

QString word(int i)
{
    return QStringLiteral("wort%1").arg(i, 2, 10, QLatin1Char('0'));
}

} // namespace

// A database without documents: no count first; the main window writes the pages and files
// each text at the top of the history, an older one again moves up once. (The limit of 50:
// SearchTermListTest.)
TEST_F(SearchStartTest, EachSearchFilesItsTextAtTheTopOfTheHistory)
{
    write(QStringLiteral("a.txt"), "wort00 wort01 wort02");
    index(true);
    auto main = showMain();
    for (const int i : {0, 1, 2, 0})
        search(*main, [i](TSuchForm& window) { searchFor(window, word(i)); });
    const QStringList expected = {word(0), word(2), word(1)};
    EXPECT_EQ(savedList(), expected);
    EXPECT_EQ(main->searchWindow()->historyItems(), expected);
    EXPECT_EQ(main->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
              QStringLiteral("Fertig mit der Suche."));
    EXPECT_EQ(launcher.calls.size(), 4);
}

// Esc during the search only cancels it: the run closes the window, and the main window and
// the pages say that it was cancelled.
TEST_F(SearchStartTest, EscDuringTheSearchIsReportedAsCancelled)
{
    for (int i = 0; i < 30; ++i)
        write(QStringLiteral("d%1.txt").arg(i, 2, 10, QLatin1Char('0')), "Wort im Text");
    index(true); // file by file: no count first
    auto main = showMain();
    TSuchForm* window = main->searchWindow();
    bool pressed = false;
    QObject::connect(window, &QWidget::windowTitleChanged, window, [&](const QString& title) {
        if (pressed || !title.startsWith(QStringLiteral("Bisher in 3 ")))
            return;
        pressed = true;
        QTest::keyClick(window->findChild<QLineEdit*>(QStringLiteral("TntEdit1")), Qt::Key_Escape);
        window->Timer3Timer();
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("CancelBtn"))->toolTip(),
                  QStringLiteral("Suche abbrechen. Wenn Klicken nicht geht, Taste Esc drücken!"));
    });
    search(*main, [](TSuchForm& shown) { searchFor(shown, QStringLiteral("Text")); });
    EXPECT_TRUE(pressed);
    EXPECT_LT(window->hitList().size(), 30);
    EXPECT_TRUE(window->searchCancelled());
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(main->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
              QStringLiteral("Suche abgebrochen."));
    const QByteArray page = base.read(QStringLiteral("Datenbank/Temp/NB_Ergebnis.htm"));
    EXPECT_TRUE(
        page.contains("wurde bisher in 3 Dateien gefunden.<br>Die Suche wurde abgebrochen."))
        << page.toStdString();
}

// What the window showed of one database stays with it: after the ANSI document of "Briefe"
// was shown, a search in "Notizen" (no documents) opens nothing of "Notizen"'s that does
// not exist and files its text in that database's own list.
TEST_F(SearchStartTest, NothingOfTheLastDatabaseCarriesOverToTheNext)
{
    write(QStringLiteral("a.txt"), "Gr\xFC\xDF"
                                   "e im Text"); // ANSI
    index(false, QStringLiteral("Briefe"));
    index(true, QStringLiteral("Notizen"));
    auto main = showMain();
    auto* list = main->findChild<QListWidget*>(QStringLiteral("ListBox1"));
    const auto select = [&](const QString& name) {
        list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
        list->itemClicked(list->currentItem());
    };
    select(QStringLiteral("Briefe"));
    search(*main, [](TSuchForm& window) {
        window.findChild<QPushButton*>(QStringLiteral("AnsiLadenButton"))->click();
        EXPECT_EQ(window.shownDocument(), Family::Ansi);
        window.findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
    });
    select(QStringLiteral("Notizen"));
    search(*main, [](TSuchForm& window) {
        EXPECT_EQ(window.shownDocument(), std::nullopt);
        searchFor(window, QStringLiteral("Text"));
    });
    EXPECT_TRUE(ui.warnings.isEmpty()) << ui.warnings.join(u'|').toStdString();
    EXPECT_EQ(QString::fromUtf8(base.read(QStringLiteral(
                  "Datenbank/Suchwoerterlisten/Notizen_Gesamt_OhneDB_Suchwoerterliste.txt"))),
              QStringLiteral("Text\r\n"));
    for (const char* family : {"Ansi", "Utf8", "Unicode"})
        EXPECT_FALSE(QFile::exists(base.native(
            QStringLiteral("Datenbank/Suchwoerterlisten/Notizen_%1_Suchwoerterliste.txt")
                .arg(QLatin1String(family)))))
            << family;
}

// The handed-over text fills the field; "Abbrechen" then files nothing and writes no page.
TEST_F(SearchStartTest, HandedOverTextIsTakenOnceAndItsFileDeleted)
{
    write(QStringLiteral("a.txt"), "Wort");
    index(true);
    const settings::SettingsStore store;
    store.write(settings::kControlFolder, QStringLiteral("E:\\"));
    base.write(QStringLiteral("Datenbank/Suchtext.txt"), "M\xFCller\r\n"); // not UTF-8
    auto main = showMain();
    QString field;
    QString caption;
    search(*main, [&](TSuchForm& window) {
        field = window.searchField();
        caption = window.findChild<QLabel*>(QStringLiteral("Label8"))->text();
        window.findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
    });
    EXPECT_EQ(field, QStringLiteral("Müller"));
    EXPECT_TRUE(savedList().isEmpty());
    EXPECT_TRUE(launcher.calls.isEmpty());
    EXPECT_FALSE(QFile::exists(base.native(QStringLiteral("Datenbank/Temp/NB_Ergebnis.htm"))));
    EXPECT_EQ(caption, QStringLiteral("DB: \"DB\"  Position: "));
    EXPECT_FALSE(QFile::exists(base.native(QStringLiteral("Datenbank/Suchtext.txt"))));
    // The next start finds no file: the field starts empty.
    search(*main, [&](TSuchForm& window) {
        field = window.searchField();
        window.reject();
    });
    EXPECT_TRUE(field.isEmpty());
}

TEST_F(SearchStartTest, NoDatabaseSelectedShowsTheMessage)
{
    auto main = showMain();
    main->findChild<QPushButton*>(QStringLiteral("SuchenBtn"))->click();
    EXPECT_EQ(ui.informations, QStringList{QStringLiteral("Es existiert noch keine Datenbank! ")});
}
