#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Watches one file for changes of its name (it appears or goes), size and last write.
// Changes within 100 ms give one OnChanged.
class TATFileNotification : public QObject {
    Q_OBJECT

public:
    explicit TATFileNotification(QObject* parent = nullptr);

    void start(const QString& nativePath);
    void stop();
    bool isActive() const { return !m_path.isEmpty(); }

signals:
    void OnChanged();

private:
    struct Snapshot {
        bool exists = false;
        qint64 size = 0;
        QDateTime lastWrite;
        bool operator==(const Snapshot&) const = default;
    };
    static Snapshot snapshotOf(const QString& path);
    void check();
    void watchPaths();

    QFileSystemWatcher m_watcher;
    QTimer m_coalesce;
    QString m_path;
    Snapshot m_snapshot;
};
