#include "dialogs/TAnzeige_Anzahl_FundstellenForm.h"
#include "dialogs/THinweisForm.h"
#include "dialogs/WindowPlacement.h"

#include <QPlainTextEdit>
#include <QPushButton>
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

QString focusedName(const QWidget& window)
{
    return window.focusWidget() ? window.focusWidget()->objectName() : QString();
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

TEST(HitCountFormTest, FocusFollowsTheSearchWindowsChoice)
{
    TAnzeige_Anzahl_FundstellenForm form;
    for (const bool focusOnYes : {true, false}) {
        QString focused;
        whileModal([&] {
            focused = focusedName(form);
            form.reject();
        });
        (void)form.ask(QStringLiteral("12 Fundstellen"), focusOnYes);
        EXPECT_EQ(focused, focusOnYes ? QStringLiteral("JAButton") : QStringLiteral("NeinButton"));
    }
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
