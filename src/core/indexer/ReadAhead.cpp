#include "indexer/ReadAhead.h"

#include "platform/FileFacts.h"

ReadAhead::ReadAhead(QStringList paths, int depth)
    : m_paths(std::move(paths)), m_batch(std::max(1, depth / 2))
{
    for (int i = 0; i < depth; ++i)
        m_free.push_back(std::make_unique<File>());
    m_worker = std::thread([this] { work(); });
}

ReadAhead::~ReadAhead()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_freed.notify_all();
    m_worker.join();
}

std::unique_ptr<ReadAhead::File> ReadAhead::next()
{
    const qsizetype remaining = m_paths.size() - m_taken;
    if (remaining == 0)
        return nullptr;
    std::unique_lock lock(m_mutex);
    // A wait lasts until a batch is ready, not one file: each wake-up costs a switch of
    // threads. It ends early when the worker waits too: a consumer that holds several files
    // leaves the worker too few buffers for a whole batch.
    if (m_ready.empty()) {
        m_consumerWaiting = true;
        if (m_workerWaiting)
            m_freed.notify_one();
        m_filled.wait(lock, [&] {
            return m_ready.size() >= m_batch || qsizetype(m_ready.size()) == remaining ||
                   (!m_ready.empty() && m_workerWaiting);
        });
        m_consumerWaiting = false;
    }
    std::unique_ptr<File> file = std::move(m_ready.front());
    m_ready.pop_front();
    ++m_taken;
    return file;
}

void ReadAhead::recycle(std::unique_ptr<File> file)
{
    bool wake = false;
    {
        const std::lock_guard lock(m_mutex);
        m_free.push_back(std::move(file));
        wake = m_workerWaiting && (m_free.size() >= m_batch || m_consumerWaiting);
    }
    if (wake)
        m_freed.notify_one();
}

void ReadAhead::work()
{
    for (qsizetype i = 0; i < m_paths.size(); ++i) {
        std::unique_ptr<File> file;
        {
            std::unique_lock lock(m_mutex);
            if (m_free.empty()) {
                m_workerWaiting = true;
                if (m_consumerWaiting && !m_ready.empty())
                    m_filled.notify_one();
                m_freed.wait(lock, [this] {
                    return m_stop || m_free.size() >= m_batch ||
                           (!m_free.empty() && m_consumerWaiting);
                });
                m_workerWaiting = false;
            }
            if (m_stop)
                return;
            file = std::move(m_free.front());
            m_free.pop_front();
        }
        file->path = m_paths[i];
        file->readable = platform::readRegularFile(file->path, file->bytes);
        if (file->readable)
            file->decision = decideClass(file->path, file->bytes);
        bool wake = false;
        {
            const std::lock_guard lock(m_mutex);
            m_ready.push_back(std::move(file));
            wake = m_consumerWaiting &&
                   (m_ready.size() >= m_batch || i + 1 == m_paths.size() || m_free.empty());
        }
        if (wake)
            m_filled.notify_one();
    }
}
