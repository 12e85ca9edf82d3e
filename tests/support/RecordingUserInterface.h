#pragma once

#include "common/UserInterface.h"

#include <QList>
#include <QString>
#include <QStringList>

// Records what the core tells the user and answers its questions from a script.
class RecordingUserInterface : public UserInterface {
public:
    QStringList informations;
    QStringList warnings;
    QStringList questions;
    QList<bool> answers; // taken in order; an unscripted question is answered No

    void information(const QString& text) override { informations.append(text); }
    void warning(const QString& text) override { warnings.append(text); }
    bool question(const QString& text) override
    {
        questions.append(text);
        return answers.isEmpty() ? false : answers.takeFirst();
    }
};
