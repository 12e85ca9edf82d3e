#include "indexer/ReadAhead.h"

#include "platform/FileFacts.h"

ReadAhead::ReadAhead(QStringList paths, int depth) : m_paths(std::move(paths))
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
    m_changed.notify_all();
    m_worker.join();
}

std::unique_ptr<ReadAhead::File> ReadAhead::next()
{
    if (m_taken == m_paths.size())
        return nullptr;
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_ready.empty(); });
    std::unique_ptr<File> file = std::move(m_ready.front());
    m_ready.pop_front();
    ++m_taken;
    return file;
}

void ReadAhead::recycle(std::unique_ptr<File> file)
{
    {
        const std::lock_guard lock(m_mutex);
        m_free.push_back(std::move(file));
    }
    m_changed.notify_all();
}

void ReadAhead::work()
{
    for (const QString& path : m_paths) {
        std::unique_ptr<File> file;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stop || !m_free.empty(); });
            if (m_stop)
                return;
            file = std::move(m_free.front());
            m_free.pop_front();
        }
        file->path = path;
        file->readable = platform::readRegularFile(path, file->bytes);
        if (file->readable)
            file->decision = decideClass(path, file->bytes);
        {
            const std::lock_guard lock(m_mutex);
            m_ready.push_back(std::move(file));
        }
        m_changed.notify_all();
    }
}
