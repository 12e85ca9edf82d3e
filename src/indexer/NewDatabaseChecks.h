#pragma once

#include "common/UserInterface.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// What the new-database dialog checks before a run starts, without the dialog.
namespace newdb {

inline const QString kInvalidCharacters = QStringLiteral("Sie haben ungültige Zeichen eingegeben!");

struct FilteredName {
    QString name;
    bool removedSomething = false;
};

// The name as the ANSI code page holds it, without / \ * ? < > | : ^ and double quotes;
// characters the code page lacks become "?" and go the same way.
FilteredName filterName(const QString& typed);

struct Request {
    QString name;
    QString folder; // a program path
    QString extensions;
    bool updateMode = false;
};

// Every failed check shows its message (the checks go on after a failure); true when
// the run may start. A new database must not take the name of an existing one, whatever
// its case.
bool confirm(const Request& request, const QStringList& existingNames, UserInterface& ui);

// The question whether an existing drive list is to be made anew.
QString driveListQuestion(QChar driveLetter, const QDateTime& lastWrite);

} // namespace newdb
