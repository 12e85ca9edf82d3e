#pragma once

#include "indexer/NewDatabasePrompts.h"

#include <QList>
#include <QStringList>

// Answers the folder browser and the yes/no window from a script and records the calls.
class ScriptedPrompts : public NewDatabasePrompts {
public:
    QList<std::optional<QString>> folders; // taken in order; unscripted: cancelled
    QList<bool> answers;                   // taken in order; unscripted: "Nein"
    QStringList startFolders;
    QStringList questions;

    std::optional<QString> chooseFolder(const QString& nativeStart) override
    {
        startFolders.append(nativeStart);
        return folders.isEmpty() ? std::nullopt : folders.takeFirst();
    }
    bool askYesNo(const QString& text) override
    {
        questions.append(text);
        return !answers.isEmpty() && answers.takeFirst();
    }
};
