#pragma once

#include "common/UserInterface.h"
#include "indexer/NewDatabasePrompts.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// What the new-database dialog checks and asks, without the dialog.
namespace newdb {

inline const QString kInvalidCharacters = QStringLiteral("Sie haben ungültige Zeichen eingegeben!");

struct FilteredName {
    QString name;
    bool removedSomething = false;
};

// The name as the ANSI code page holds it, without / \ * ? < > | : ^ and double quotes;
// characters the code page lacks become "?" and go the same way.
FilteredName filterName(const QString& typed);
// filterName, telling the user once when something was removed.
QString removeInvalidCharacters(const QString& typed, UserInterface& ui);

// A folder on a drive the list program cannot read is refused with a message; false then.
// Texts without a drive ("C:\" at the start) pass.
bool checkDrive(const QString& folder, UserInterface& ui);

// A remembered pattern added to the extension field, one blank apart.
QString appendPattern(const QString& field, const QString& pattern);

struct Request {
    QString name;
    QString folder; // a program path
    QString extensions;
    bool updateMode = false;
    // In update mode the database being updated; empty: the one named `name`.
    QString originalName = {};
};

// Every failed check shows its message (the checks go on after a failure); true when
// the run may start. No database may take the name of another listed one, whatever its
// case, nor a name whose descriptor would never be listed ("*_mht.dat"); an update needs
// the database it updates.
bool confirm(const Request& request, const QStringList& existingNames, UserInterface& ui);
// The name a confirmed run writes under: the listed database's own name when one differs
// from the typed name only in case, so that no twin comes into being.
QString catalogueName(const QString& name, const QStringList& existingNames);

// The question whether an existing drive list is to be made anew.
QString driveListQuestion(QChar driveLetter, const QDateTime& lastWrite);

// Whether the list program has to write the drive list anew: without a list (empty path)
// or one that cannot be opened it has; otherwise the user is asked.
bool wantsNewDriveList(const QString& driveList, QChar driveLetter, NewDatabasePrompts& prompts);

} // namespace newdb
