#include "widgets/TATFileNotification.h"

#include <QFileInfo>

TATFileNotification::TATFileNotification(QObject* parent) : QObject(parent)
{
    m_coalesce.setSingleShot(true);
    m_coalesce.setInterval(100);
    connect(&m_coalesce, &QTimer::timeout, this, &TATFileNotification::OnChanged);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &TATFileNotification::check);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &TATFileNotification::check);
}

void TATFileNotification::start(const QString& nativePath)
{
    stop();
    m_path = nativePath;
    m_snapshot = snapshotOf(m_path);
    watchPaths();
}

void TATFileNotification::stop()
{
    m_coalesce.stop();
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    if (!watched.isEmpty())
        m_watcher.removePaths(watched);
    m_path.clear();
}

TATFileNotification::Snapshot TATFileNotification::snapshotOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified()};
}

// The folder is watched too: a file that is replaced or comes back is no longer the one
// the system watched.
void TATFileNotification::watchPaths()
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!m_watcher.directories().contains(folder))
        m_watcher.addPath(folder);
    if (QFileInfo::exists(m_path) && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
}

void TATFileNotification::check()
{
    if (m_path.isEmpty())
        return;
    watchPaths();
    const Snapshot now = snapshotOf(m_path);
    if (now == m_snapshot)
        return;
    m_snapshot = now;
    if (!m_coalesce.isActive())
        m_coalesce.start();
}
