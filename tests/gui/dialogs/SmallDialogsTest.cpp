#include "app/GermanTranslations.h"
#include "app/GuiUserInterface.h"
#include "dialogs/TAnzeige_Anzahl_FundstellenForm.h"
#include "dialogs/THinweisForm.h"
#include "dialogs/WindowPlacement.h"
#include "search/HitCount.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs an action once the modal loop of a dialog has started.
void whileModal(std::function<void()> action)
{
    QTimer::singleShot(0, std::move(action));
}

} // namespace

TEST(HinweisFormTest, JaAcceptsWhileEscAndTheTitleBarCloseAnswerNein)
{
    THinweisForm form;
    whileModal([&] { form.findChild<QPushButton*>(QStringLiteral("Button1"))->click(); });
    EXPECT_TRUE(form.ask(QStringLiteral("Erste Frage")));

    whileModal([&] { QTest::keyClick(&form, Qt::Key_Escape); });
    EXPECT_FALSE(form.ask(QStringLiteral("Zweite Frage")));

    whileModal([&] { form.close(); });
    EXPECT_FALSE(form.ask(QStringLiteral("Dritte Frage")));

    whileModal([&] { form.findChild<QPushButton*>(QStringLiteral("Button2"))->click(); });
    EXPECT_FALSE(form.ask(QStringLiteral("Vierte\r\nFrage")));
    EXPECT_EQ(form.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText(),
              QStringLiteral("Vierte\nFrage"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Information"));
}

// The whole message shows without scrolling, also with the option line a search adds.
TEST(HitCountFormTest, TheWholeMessageFitsWithoutScrolling)
{
    const QString message =
        hitCountMessage(QStringLiteral("Müller"), HitCount{{3, 4, 5}, false}, true, true);
    TAnzeige_Anzahl_FundstellenForm form;
    int scrollRange = -1;
    whileModal([&] {
        auto* memo = form.findChild<QPlainTextEdit*>(QStringLiteral("TntMemo1"));
        scrollRange = memo->verticalScrollBar()->maximum();
        form.reject();
    });
    (void)form.ask(message, true);
    EXPECT_EQ(scrollRange, 0);
}

TEST(HitCountFormTest, AnswerFlagsFollowEveryWayOfClosing)
{
    TAnzeige_Anzahl_FundstellenForm form;
    whileModal([&] { form.findChild<QPushButton*>(QStringLiteral("JAButton"))->click(); });
    EXPECT_TRUE(form.ask(QStringLiteral("3 Fundstellen"), false));
    EXPECT_TRUE(form.answer().yesChosen);
    EXPECT_FALSE(form.answer().noChosen);

    const std::function<void()> nein[] = {
        [&] { form.findChild<QPushButton*>(QStringLiteral("NeinButton"))->click(); },
        [&] { QTest::keyClick(&form, Qt::Key_Escape); },
        [&] { form.close(); },
    };
    for (const auto& answer : nein) {
        whileModal([&] { form.findChild<QPushButton*>(QStringLiteral("JAButton"))->click(); });
        ASSERT_TRUE(form.ask(QStringLiteral("3 Fundstellen"), true));
        whileModal(answer);
        EXPECT_FALSE(form.ask(QStringLiteral("3 Fundstellen"), true));
        EXPECT_FALSE(form.answer().yesChosen);
        EXPECT_TRUE(form.answer().noChosen);
    }
    EXPECT_EQ(form.findChild<QPlainTextEdit*>(QStringLiteral("TntMemo1"))->toPlainText(),
              QStringLiteral("3 Fundstellen"));
}

TEST(ForceForegroundWindowTest, RestoresAMinimisedWindowFirst)
{
    QWidget window;
    window.resize(200, 100);
    window.showMinimized();
    ASSERT_TRUE(window.isMinimized());
    ForceForegroundWindow(&window);
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());
}

// The standard dialogs speak German: Qt's own translations are loaded, and the questions'
// buttons say "Ja" and "Nein" as the questions' texts do.
TEST(GermanDialogsTest, StandardDialogsAndQuestionsSpeakGerman)
{
    ASSERT_TRUE(installGermanQtTranslations(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Suchen in:"));
    EXPECT_NE(QCoreApplication::translate("QColorDialog", "Select Color"),
              QStringLiteral("Select Color"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));

    GuiUserInterface ui(nullptr);
    QStringList buttons;
    whileModal([&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons())
            buttons.append(button->text());
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(ui.question(QStringLiteral("Datenbank löschen?")));
    buttons.sort();
    EXPECT_EQ(buttons, QStringList({"&Ja", "&Nein"}));
}
