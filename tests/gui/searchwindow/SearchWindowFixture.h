#pragma once

#include "dialogs/TAnzeige_Anzahl_FundstellenForm.h"
#include "results/RecordingBrowserLauncher.h"
#include "support/IndexedDatabase.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace searchwindowtest {

using testdb::utf16le;

// The indexed database "DB" with the browser launcher the search window is given.
class DatabaseFixture : public testdb::IndexedDatabase {
protected:
    RecordingBrowserLauncher launcher;
};

// Answers the next hit-count dialog of `owner` with "Ja" or "Nein"; `seen` gets the
// dialog's text and the name of the button that had the focus.
struct CountAnswer {
    bool asked = false;
    QString text;
    QString focused;
};

inline void answerCountDialog(QWidget* owner, bool yes, CountAnswer* seen)
{
    auto* poll = new QTimer(owner);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, owner, [=] {
        auto* dialog = owner->findChild<TAnzeige_Anzahl_FundstellenForm*>();
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        seen->asked = true;
        seen->text = dialog->findChild<QWidget*>(QStringLiteral("TntMemo1"))
                         ->property("plainText")
                         .toString();
        QWidget* focus = dialog->focusWidget();
        seen->focused = focus ? focus->objectName() : QString();
        dialog
            ->findChild<QPushButton*>(yes ? QStringLiteral("JAButton")
                                          : QStringLiteral("NeinButton"))
            ->click();
    });
    poll->start();
}

} // namespace searchwindowtest
