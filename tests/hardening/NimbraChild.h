#pragma once

#include "support/TempFolder.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>

// The `nimbra` command run as a child process on a temporary drive D: (mapped in this
// process too) whose root is the base folder, with its own settings folder.
class NimbraChild {
public:
    struct Finished {
        int exitCode = -1;
        bool crashed = false;
        QByteArray out;
        QByteArray err;
    };

    NimbraChild();

    // D:\ + relative as seen by the child; native paths below the drive.
    const MappedDrive& drive() const { return m_drive; }
    QString datenbank(const QString& file = QString()) const;

    // Starts `nimbra --base D:\ ARGS`; `limits` runs in the child before it starts.
    void start(QProcess& process, const QStringList& arguments,
               const std::function<void()>& limits = {}) const;
    // The limit of a step catches a hang, not slowness: a sanitizer build on a busy machine
    // takes minutes for what a release build does in seconds.
    static constexpr int kHangSeconds = 300;

    // Starts ARGS and sends `signal` after `milliseconds`; false when it then hangs.
    bool interrupt(QProcess& process, const QStringList& arguments, int milliseconds,
                   int signal) const;
    // Runs it to its end; fails the test when it takes longer than `seconds`.
    Finished run(const QStringList& arguments, int seconds = kHangSeconds,
                 const std::function<void()>& limits = {}) const;

    // `index NAME D:\FOLDER *.txt` followed by `more`.
    QStringList indexArguments(const QString& name, const QString& folder,
                               const QStringList& more = {}) const;
    // The database's own files (descriptor, documents, title-position lists) by name, as
    // SHA-1 and size; a missing file is left out.
    std::map<QString, QByteArray> databaseFiles(const QString& name) const;
    // Files of Datenbank whose names mark them as unfinished writes, once none is left or
    // when `seconds` have passed: a stopped list program may still be removing its own.
    QStringList leftovers(int seconds = 10) const;

private:
    MappedDrive m_drive;
    TempFolder m_config;
};
