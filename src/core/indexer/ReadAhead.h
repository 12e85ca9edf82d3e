#pragma once

#include "store/EncodingDetection.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

// Reads source files on a worker thread, in list order, ahead of the one consuming them:
// opening, reading and the class decision overlap with appending and writing. At most
// `depth` files are held at a time, their buffers reused, so memory stays bounded by
// depth times the largest file read. Either side that has to wait is woken once half of the
// files are ready for it, or earlier when the other side waits as well. A consumer may hold
// up to depth - 1 files at a time.
class ReadAhead {
public:
    struct File {
        QString path;
        bool readable = false; // a regular file that could be read (else skipped)
        QByteArray bytes;
        ClassDecision decision;
    };

    explicit ReadAhead(QStringList paths, int depth = 6);
    ~ReadAhead(); // stops the worker; files not yet taken are dropped
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next file of the list, once read; nullptr after the last.
    std::unique_ptr<File> next();
    // Hands a taken file's buffer back for a later read.
    void recycle(std::unique_ptr<File> file);

private:
    void work();

    const QStringList m_paths;
    const std::size_t m_batch;
    qsizetype m_taken = 0;
    std::mutex m_mutex;
    std::condition_variable m_filled; // files were read
    std::condition_variable m_freed;  // buffers came back
    std::deque<std::unique_ptr<File>> m_ready;
    std::deque<std::unique_ptr<File>> m_free;
    bool m_stop = false;
    bool m_consumerWaiting = false;
    bool m_workerWaiting = false;
    std::thread m_worker; // last: starts once everything above exists
};
