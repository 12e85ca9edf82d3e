#pragma once

#include "platform/DriveMap.h"
#include "support/QtPrinting.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder, removed with its content when the test ends.
class TempFolder {
public:
    TempFolder();
    // Native path of a file or folder below the temporary folder ("a/b.txt").
    QString native(const QString& relative = QString()) const;
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    void makeFolder(const QString& relative) const;

private:
    QTemporaryDir m_dir;
};

// Maps a drive letter to a fresh temporary folder for the test's lifetime, so a test can
// use D:\Texte literally. The previous drive map comes back afterwards.
class MappedDrive : public TempFolder {
public:
    explicit MappedDrive(QChar letter = u'D');
    ~MappedDrive();
    // "D:\" + relative, with "/" turned into "\".
    QString program(const QString& relative = QString()) const;

private:
    QChar m_letter;
    DriveMap m_previous;
};

// Keeps the settings of the test in a temporary folder, never the user's own.
class IsolatedSettings : public TempFolder {
public:
    IsolatedSettings();
};
