#include "store/Catalogue.h"

#include "platform/FileFacts.h"
#include "platform/FileWriter.h"
#include "store/DatabaseCommit.h"

#include <QDir>

#include <algorithm>

namespace catalogue {

namespace {

QString withoutTrailingBackslash(QString path)
{
    if (path.endsWith(u'\\'))
        path.chop(1);
    return path;
}

// NTFS lists a folder in the order of its upper-cased names.
bool ntfsLess(const QString& a, const QString& b)
{
    const int folded = QString::compare(a.toUpper(), b.toUpper(), Qt::CaseSensitive);
    return folded != 0 ? folded < 0 : a < b;
}

} // namespace

void ensureFolderTree(const DatabasePaths& paths, UserInterface& ui)
{
    for (const QString& folder :
         {paths.databaseFolder(), paths.searchTermFolder(), paths.tempFolder()}) {
        const QString path = withoutTrailingBackslash(folder);
        if (platform::isFolder(path))
            continue;
        const QString native = platform::nativePath(path);
        if (native.isEmpty() || !QDir().mkdir(native))
            ui.warning(QStringLiteral("Kann das Verzeichnis ") + path +
                       QStringLiteral(" nicht anlegen!"));
    }
    removeDeadWritersFiles(paths);
}

void removeDeadWritersFiles(const DatabasePaths& paths)
{
    for (const QString& folder : {paths.databaseFolder(), paths.tempFolder()})
        platform::removeDeadWritersFiles(platform::nativePath(withoutTrailingBackslash(folder)));
}

QStringList databaseNames(const DatabasePaths& paths)
{
    const QDir folder(platform::nativePath(paths.databaseFolder()));
    QStringList names;
    const auto entries =
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        // A backslash in a native name would split the program path.
        if (!entry.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive) || entry.contains(u'\\'))
            continue;
        if (entry.toLower().contains(QStringLiteral("_mht.dat")))
            continue;
        // Only what opens under the name the program writes: "X.DAT" does on Windows, not
        // on a file system that tells case apart.
        if (entry.size() > 4 && platform::exists(paths.descriptor(entry.chopped(4))))
            names.append(entry.chopped(4));
    }
    std::sort(names.begin(), names.end(), ntfsLess);
    return names;
}

Listing LiesNamenDatenbanken(const DatabasePaths& paths, bool updateMode,
                             const QString& storedSelection, const QString& newDatabaseName)
{
    // A run cut off in its commit is completed before its database is listed.
    dbcommit::recoverAll(paths);
    Listing listing;
    listing.names = databaseNames(paths);
    const QString stored = storedSelection.isEmpty() ? QStringLiteral("0") : storedSelection;
    if (updateMode && !listing.names.isEmpty()) {
        bool ok = false;
        const int index = stored.toInt(&ok);
        listing.selectedIndex = ok && index >= 0 && index < listing.names.size() ? index : 0;
        return listing;
    }
    if (newDatabaseName.isEmpty())
        return listing;
    for (int i = 0; i < listing.names.size(); ++i) {
        if (listing.names[i].contains(newDatabaseName)) {
            listing.selectedIndex = i;
            listing.runSelectionHandler = true;
        }
    }
    return listing;
}

bool isPathListOnly(const Database& database)
{
    return !std::all_of(kFamilies.begin(), kFamilies.end(),
                        [&](Family family) { return platform::exists(database.document(family)); });
}

QString deleteDatabaseQuestion(const QString& name)
{
    return QStringLiteral("Möchten Sie die Datenbank \"") + name +
           QStringLiteral("\" wirklich löschen?");
}

QString deleteDocumentsQuestion(const QString& name)
{
    return QStringLiteral("Möchten Sie die Daten von \"") + name +
           QStringLiteral(
               "\" wirklich löschen?\r\nDie Suche funktioniert danach noch, aber langsamer.");
}

void deleteDatabaseFiles(const Database& database)
{
    QStringList files = {database.log(), database.descriptor()};
    for (const Family family : kFamilies)
        files.append(database.document(family));
    for (const Family family : kFamilies)
        files.append(database.titlePositions(family));
    for (const Family family : {Family::Ansi, Family::Unicode, Family::Utf8})
        files.append(database.phraseList(family));
    for (const Family family : kFamilies)
        files.append(database.searchTermList(family));
    files.append(database.searchTermListWithoutDocuments());
    for (const QString& file : files)
        platform::removeFileQuietly(file);
    // Nothing a cut-off run left may bring the database back.
    platform::removeFileQuietly(database.commitJournal());
    dbcommit::discard(database);
}

void deleteDocumentFiles(const Database& database)
{
    for (const Family family : kFamilies)
        platform::removeFileQuietly(database.document(family));
    for (const Family family : kFamilies)
        platform::removeFileQuietly(database.titlePositions(family));
    platform::removeFileQuietly(database.log());
}

bool emptyTempFolder(const DatabasePaths& paths)
{
    return platform::emptyFolder(withoutTrailingBackslash(paths.tempFolder()));
}

} // namespace catalogue
