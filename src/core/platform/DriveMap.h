#pragma once

#include <QChar>
#include <QList>
#include <QString>

#include <map>
#include <optional>

// Maps the drive letters of program paths (D:\Texte\Brief.txt) to native folders. Every
// path inside the program and in its files is a Windows path; only the I/O boundary asks
// this map for the native one. On Windows the map is the identity. Elsewhere C: is "/" and
// NIMBRA_DRIVES ("D=/srv/texte;E=/mnt/usb") adds or replaces letters.
class DriveMap {
public:
    DriveMap() = default;

    // The map of this process, read from the environment on first use.
    static const DriveMap& current();
    // Replaces the process's map; tests map letters to temporary folders this way.
    static void setCurrent(const DriveMap& map);
    // The host's default map plus the entries of a NIMBRA_DRIVES text.
    static DriveMap fromText(const QString& drives);

    void setRoot(QChar letter, const QString& nativeFolder);
    std::optional<QString> rootOf(QChar letter) const;
    QList<QChar> letters() const;
    // The map as a NIMBRA_DRIVES text, so a child process sees the drives this one sees.
    QString toText() const;

    // Native path of a program path; empty when the path has no mapped drive letter.
    QString toNative(const QString& programPath) const;
    // Program path of an absolute native path: the letter whose folder is its longest
    // prefix. Nothing when no mapped folder contains it.
    std::optional<QString> toProgram(const QString& nativePath) const;

private:
    static DriveMap hostDefault();

    // Upper-case letter -> native folder without trailing separator ("" stands for "/").
    std::map<char16_t, QString> m_roots;
};
