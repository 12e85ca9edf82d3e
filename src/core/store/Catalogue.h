#pragma once

#include "common/UserInterface.h"
#include "store/Database.h"
#include "store/DatabasePaths.h"

#include <QString>
#include <QStringList>

// The databases below a base folder: the folder tree, the list of databases and the
// operations that delete a database or its documents.
namespace catalogue {

// Creates Datenbank, Datenbank\Suchwoerterlisten and Datenbank\Temp where missing; warns
// "Kann das Verzeichnis <path> nicht anlegen!" for each that cannot be made, and goes on.
void ensureFolderTree(const DatabasePaths& paths, UserInterface& ui);
// Removes what writers that were killed left in Datenbank and its Temp folder.
void removeDeadWritersFiles(const DatabasePaths& paths);

// Every Datenbank\*.dat but *_mht.dat, without ".dat", ordered as an NTFS folder lists
// them (names compared without regard to case), so a stored index stays valid.
QStringList databaseNames(const DatabasePaths& paths);

struct Listing {
    QStringList names;
    int selectedIndex = -1;           // -1: nothing selected
    bool runSelectionHandler = false; // the selection came from the new-database name
};

// The list of databases and the entry to select: in update mode the stored index (outside
// the list: 0); otherwise the last entry that contains the name of the new-database
// dialog, which also runs the selection handler.
Listing LiesNamenDatenbanken(const DatabasePaths& paths, bool updateMode,
                             const QString& storedSelection, const QString& newDatabaseName);

// Not all three documents exist: the database is searched file by file.
bool isPathListOnly(const Database& database);

QString deleteDatabaseQuestion(const QString& name);
QString deleteDocumentsQuestion(const QString& name);

// Every file of the database, in the order of deletion; missing files are skipped. The
// whole-drive lists stay: they belong to the drive, not to the database.
void deleteDatabaseFiles(const Database& database);
// The three documents, the three title-position lists and the log; the descriptor stays.
void deleteDocumentFiles(const Database& database);

// Empties Datenbank\Temp, subfolders included, silently. True on success.
bool emptyTempFolder(const DatabasePaths& paths);

} // namespace catalogue
