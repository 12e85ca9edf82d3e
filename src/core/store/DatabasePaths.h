#pragma once

#include "store/Family.h"

#include <QChar>
#include <QLatin1StringView>
#include <QString>

// Every file name of the program's folder tree, built in one place. Paths are program
// paths (Windows form); the base folder always ends with a backslash.
class DatabasePaths {
public:
    explicit DatabasePaths(QString baseFolder);

    // Without command-line arguments the working directory, otherwise the folder of the
    // program file; both native, the result a program path with a trailing backslash.
    // Empty when no mapped drive holds the folder.
    static QString determineBaseFolder(bool hasArguments, const QString& nativeWorkingFolder,
                                       const QString& nativeProgramFolder);

    const QString& baseFolder() const { return m_base; }
    QChar baseDrive() const { return m_base.isEmpty() ? QChar() : m_base[0]; }

    QString databaseFolder() const;   // Datenbank\ .
    QString searchTermFolder() const; // Datenbank\Suchwoerterlisten\ .
    QString tempFolder() const;       // Datenbank\Temp\ .
    QString zipTempFolder() const;    // Datenbank\Temp\ZipTemp\ .

    QString descriptor(const QString& name) const;
    QString log(const QString& name) const;
    QString document(const QString& name, Family family) const;
    QString titlePositions(const QString& name, Family family) const;
    QString phraseList(const QString& name, Family family) const;
    QString searchTermList(const QString& name, Family family) const;
    QString searchTermListWithoutDocuments(const QString& name) const;
    QString driveList(QChar driveLetter) const;

    // The same folder tree with the database's own files (descriptor, documents,
    // title-position lists) under staging names: a run writes there, and the commit
    // (store/DatabaseCommit) makes them the database's files.
    DatabasePaths staged() const;
    // The commit's journal, present only while a commit is under way or was cut off.
    QString commitJournal(const QString& name) const;

    QString extensionChoices() const; // AuswahlEndungen.txt
    QString exclusionList() const;    // AusnahmeIndizierung.txt
    QString websiteList() const;      // Adressen_Webseiten.txt
    QString helpFile() const;         // Hilfe_Nimbra_Klartext.pdf

    static constexpr QLatin1StringView kStagingSuffix{".neu"};

private:
    QString m_base;
    QLatin1StringView m_staging; // empty, or kStagingSuffix in the staging view
};
