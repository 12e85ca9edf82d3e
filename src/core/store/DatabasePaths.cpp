#include "store/DatabasePaths.h"

#include "platform/FileFacts.h"

DatabasePaths::DatabasePaths(QString baseFolder) : m_base(std::move(baseFolder))
{
    if (!m_base.isEmpty() && !m_base.endsWith(u'\\'))
        m_base += u'\\';
}

QString DatabasePaths::determineBaseFolder(bool hasArguments, const QString& nativeWorkingFolder,
                                           const QString& nativeProgramFolder)
{
    QString base = platform::programPath(hasArguments ? nativeProgramFolder : nativeWorkingFolder);
    if (!base.isEmpty() && !base.endsWith(u'\\'))
        base += u'\\';
    return base;
}

QString DatabasePaths::databaseFolder() const
{
    return m_base + QStringLiteral("Datenbank\\");
}

QString DatabasePaths::searchTermFolder() const
{
    return databaseFolder() + QStringLiteral("Suchwoerterlisten\\");
}

QString DatabasePaths::tempFolder() const
{
    return databaseFolder() + QStringLiteral("Temp\\");
}

QString DatabasePaths::zipTempFolder() const
{
    return tempFolder() + QStringLiteral("ZipTemp\\");
}

QString DatabasePaths::descriptor(const QString& name) const
{
    return databaseFolder() + name + QStringLiteral(".dat") + m_staging;
}

DatabasePaths DatabasePaths::staged() const
{
    DatabasePaths paths(*this);
    paths.m_staging = kStagingSuffix;
    return paths;
}

QString DatabasePaths::commitJournal(const QString& name) const
{
    return databaseFolder() + name + QStringLiteral(".commit");
}

QString DatabasePaths::log(const QString& name) const
{
    return databaseFolder() + name + QStringLiteral(".log") + m_staging;
}

QString DatabasePaths::document(const QString& name, Family family) const
{
    return databaseFolder() + name + u'_' + documentFamilyName(family) +
           QStringLiteral("Dokument.txt") + m_staging;
}

QString DatabasePaths::titlePositions(const QString& name, Family family) const
{
    return databaseFolder() + name + u'_' + familyName(family) +
           QStringLiteral("_TitelPositionen.txt") + m_staging;
}

QString DatabasePaths::phraseList(const QString& name, Family family) const
{
    return databaseFolder() + name + QStringLiteral("_Phrasen_Woerter_") + familyName(family) +
           QStringLiteral("Liste.txt");
}

QString DatabasePaths::searchTermList(const QString& name, Family family) const
{
    return searchTermFolder() + name + u'_' + familyName(family) +
           QStringLiteral("_Suchwoerterliste.txt");
}

QString DatabasePaths::searchTermListWithoutDocuments(const QString& name) const
{
    return searchTermFolder() + name + QStringLiteral("_Gesamt_OhneDB_Suchwoerterliste.txt");
}

QString DatabasePaths::driveList(QChar driveLetter) const
{
    return databaseFolder() + QStringLiteral("Haupt_Dateinamen_Liste_Laufwerk_") + driveLetter +
           QStringLiteral(".txt");
}

QString DatabasePaths::extensionChoices() const
{
    return m_base + QStringLiteral("AuswahlEndungen.txt");
}

QString DatabasePaths::exclusionList() const
{
    return m_base + QStringLiteral("AusnahmeIndizierung.txt");
}

QString DatabasePaths::websiteList() const
{
    return m_base + QStringLiteral("Adressen_Webseiten.txt");
}

QString DatabasePaths::helpFile() const
{
    return m_base + QStringLiteral("Hilfe_Nimbra_Klartext.pdf");
}
