#include "FolderWalker.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr std::chrono::milliseconds kProgressInterval(200);

} // namespace

FolderWalker::FolderWalker(unsigned threadCount)
    : m_threadCount(threadCount), m_mounts(MountPoints::read())
{
}

std::unique_ptr<FolderNode> FolderWalker::walk(const std::string& rootPath,
                                               const ProgressFunction& progress)
{
    auto root = std::make_unique<FolderNode>();
    root->nativePath = rootPath;
    m_pending.push_back(root.get());
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < m_threadCount; ++i)
        threads.emplace_back(&FolderWalker::work, this);
    waitReportingProgress(progress);
    for (std::thread& thread : threads)
        thread.join();
    return root;
}

FolderWalker::Counts FolderWalker::counts() const
{
    return {m_files.load(std::memory_order_relaxed), m_folders.load(std::memory_order_relaxed),
            m_skippedNames.load(std::memory_order_relaxed),
            m_skippedFolders.load(std::memory_order_relaxed)};
}

void FolderWalker::work()
{
    FolderReader reader(m_mounts, m_openFolders);
    std::unique_lock lock(m_mutex);
    for (;;) {
        ++m_idle;
        m_workAdded.wait(lock, [this] { return !m_pending.empty() || m_busy == 0; });
        --m_idle;
        if (m_pending.empty())
            return;
        FolderNode* node = m_pending.back();
        m_pending.pop_back();
        ++m_busy;
        lock.unlock();
        tally(reader.read(*node));
        lock.lock();
        --m_busy;
        add(node->folders);
    }
}

void FolderWalker::add(const std::vector<std::unique_ptr<FolderNode>>& folders)
{
    for (const auto& folder : folders)
        m_pending.push_back(folder.get());
    if (finished()) {
        m_workAdded.notify_all();
        m_done.notify_all();
        return;
    }
    for (std::size_t i = 0; i < std::min<std::size_t>(folders.size(), m_idle); ++i)
        m_workAdded.notify_one();
}

void FolderWalker::tally(const FolderReader::Outcome& outcome)
{
    switch (outcome.state) {
    case FolderReader::State::Read: m_folders.fetch_add(1, std::memory_order_relaxed); break;
    case FolderReader::State::Unreadable:
        m_skippedFolders.fetch_add(1, std::memory_order_relaxed);
        break;
    case FolderReader::State::PseudoFileSystem: break;
    }
    m_files.fetch_add(outcome.files, std::memory_order_relaxed);
    m_skippedNames.fetch_add(outcome.skippedNames, std::memory_order_relaxed);
}

void FolderWalker::waitReportingProgress(const ProgressFunction& progress)
{
    std::unique_lock lock(m_mutex);
    while (!m_done.wait_for(lock, kProgressInterval, [this] { return finished(); })) {
        lock.unlock();
        progress(counts());
        lock.lock();
    }
}
