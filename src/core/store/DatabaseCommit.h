#pragma once

#include "common/Result.h"
#include "store/Database.h"
#include "store/DatabasePaths.h"

#include <QString>

// A run writes the database's files (descriptor, documents, title-position lists) under
// staging names and makes them the database's files only at its end, in one step that a
// crash cannot cut in half: a journal names every rename and deletion before any is done,
// and a journal found later is carried out again. The database is thus always either the
// one before the run or the one the run finished, never a mix.
//
// The caller holds the database's lock (store/DatabaseLock) for every call.
namespace dbcommit {

// Replaces the database's files with the staged ones; a file the run did not stage is
// deleted. A failure leaves the journal, so the next recover() completes the commit.
Status commit(const Database& database);

// Deletes the staged files of a run that does not commit, and what a cut-off write of
// them left; nothing while a journal names them.
void discard(const Database& database);

// Carries out the journal of a commit that was cut off; nothing when there is none.
Status recover(const Database& database);

// recover() for a database unless a run holds it; for readers of a database.
Status recoverUnlessBusy(const Database& database);

// recoverUnlessBusy() for every database with a journal; for the list of databases.
void recoverAll(const DatabasePaths& paths);

} // namespace dbcommit
