#pragma once

#include "dialogs/TAnzeige_Anzahl_FundstellenForm.h"
#include "indexer/IndexRun.h"
#include "results/RecordingBrowserLauncher.h"
#include "store/Catalogue.h"
#include "support/RecordingTaskProgress.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace searchwindowtest {

inline QByteArray utf16le(const QString& text)
{
    return QByteArray("\xFF\xFE", 2) +
           QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// A database "DB" made by the indexing code: the texts on drive D, the base folder on E.
class DatabaseFixture : public testing::Test {
protected:
    DatabaseFixture() : paths(base.program()) { catalogue::ensureFolderTree(paths, ui); }

    void write(const QString& file, const QByteArray& bytes)
    {
        texts.write(QStringLiteral("Texte/") + file, bytes);
        list += "D:\\Texte\\" + file.toUtf8() + "\r\n";
    }
    void index(bool withoutDocuments = false, const QString& name = QStringLiteral("DB"))
    {
        base.write(QStringLiteral("Datenbank/Haupt_Dateinamen_Liste_Laufwerk_D.txt"), list);
        RecordingTaskProgress indexing;
        IndexRun run(paths, QString(), ui, indexing);
        const IndexRun::Request request{name, QStringLiteral("D:\\Texte"), QStringLiteral("*.txt"),
                                        false, withoutDocuments};
        ASSERT_TRUE(run.start(request).ok());
        ASSERT_TRUE(run.readList().ok());
        ASSERT_TRUE(run.finish(false).ok());
    }
    QByteArray document(Family family) const
    {
        return base.read(
            QStringLiteral("Datenbank/DB_%1Dokument.txt").arg(documentFamilyName(family)));
    }

    IsolatedSettings settings;
    MappedDrive texts{u'D'};
    MappedDrive base{u'E'};
    DatabasePaths paths;
    RecordingUserInterface ui;
    RecordingBrowserLauncher launcher;
    QByteArray list;
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
