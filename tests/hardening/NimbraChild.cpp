#include "hardening/NimbraChild.h"

#include "platform/FileFacts.h"
#include "store/DatabasePaths.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

NimbraChild::NimbraChild() = default;

QString NimbraChild::datenbank(const QString& file) const
{
    return m_drive.native(QStringLiteral("Datenbank/") + file);
}

void NimbraChild::start(QProcess& process, const QStringList& arguments,
                        const std::function<void()>& limits) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("NIMBRA_DRIVES"), QStringLiteral("D=") + m_drive.native());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.native());
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_drive.native());
    if (limits)
        process.setChildProcessModifier(limits);
    process.start(QStringLiteral(NIMBRA_PROGRAM),
                  QStringList{QStringLiteral("--base"), m_drive.native()} + arguments);
    EXPECT_TRUE(process.waitForStarted(10000));
}

bool NimbraChild::interrupt(QProcess& process, const QStringList& arguments, int milliseconds,
                            int signal) const
{
    start(process, arguments);
    QThread::msleep(milliseconds);
    ::kill(pid_t(process.processId()), signal);
    return process.waitForFinished(60000);
}

NimbraChild::Finished NimbraChild::run(const QStringList& arguments, int seconds,
                                       const std::function<void()>& limits) const
{
    QProcess process;
    start(process, arguments, limits);
    const bool ended = process.waitForFinished(seconds * 1000);
    EXPECT_TRUE(ended) << "nimbra " << arguments.join(u' ').toStdString() << " hangs";
    if (!ended) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitCode(), process.exitStatus() == QProcess::CrashExit,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

QStringList NimbraChild::indexArguments(const QString& name, const QString& folder,
                                        const QStringList& more) const
{
    return QStringList{QStringLiteral("index"), name, m_drive.native(folder),
                       QStringLiteral("*.txt")} +
           more;
}

std::map<QString, QByteArray> NimbraChild::databaseFiles(const QString& name) const
{
    const DatabasePaths paths(m_drive.program());
    QStringList files{paths.descriptor(name)};
    for (const Family family : kFamilies)
        files.append({paths.document(name, family), paths.titlePositions(name, family)});
    std::map<QString, QByteArray> found;
    for (const QString& file : files) {
        QFile content(platform::nativePath(file));
        if (!content.open(QIODevice::ReadOnly))
            continue;
        QCryptographicHash hash(QCryptographicHash::Sha1);
        hash.addData(&content);
        found[file.mid(file.lastIndexOf(u'\\') + 1)] =
            hash.result().toHex() + ' ' + QByteArray::number(content.size());
    }
    return found;
}

QStringList NimbraChild::leftovers(int seconds) const
{
    QDeadlineTimer deadline(seconds * 1000);
    for (;;) {
        QStringList found;
        for (const QString& entry :
             QDir(datenbank()).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (entry.contains(QStringLiteral(".neu")) ||
                entry.endsWith(QStringLiteral(".commit")) ||
                entry.endsWith(QStringLiteral(".tmp")) || entry.contains(QStringLiteral(".dat.")) ||
                entry.contains(QStringLiteral(".txt.")))
                found.append(entry);
        }
        if (found.isEmpty() || deadline.hasExpired())
            return found;
        QThread::msleep(50);
    }
}
