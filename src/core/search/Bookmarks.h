#pragma once

#include "store/Family.h"
#include "store/Settings.h"

#include <QString>

#include <optional>

// One reading position per database and document, kept in the settings store as a decimal
// byte offset under "Lesezeichen_Ansi_<db>" and its two twins.
namespace bookmarks {

// A stored text is a bookmark only when it is a decimal number from 0 up that fits the
// viewer's 64-bit offsets: no sign, no blanks, no other characters.
std::optional<qint64> parse(const QString& stored);

// Whether the save button keeps a position now: only while a document has finished
// loading, not while the file list or a sorted list is shown in its place.
bool maySave(bool documentLoaded, bool fileListShown, bool sortedListShown);

void save(const settings::SettingsStore& store, Family family, const QString& database,
          qint64 position);

// Where a loaded document opens: the stored position when it is above 0 and inside the
// document; nothing otherwise (the document opens at its start).
std::optional<qint64> restore(const settings::SettingsStore& store, Family family,
                              const QString& database, qint64 documentSize);

} // namespace bookmarks
