#pragma once

#include "FolderNode.h"
#include "FolderReader.h"
#include "HeldFolderBudget.h"
#include "MountPoints.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Reads a folder tree with a pool of threads. Each folder is read once, by whichever thread
// takes it, and keeps its entries sorted in its own node, so the tree comes out the same
// however the threads interleave.
class FolderWalker {
public:
    struct Counts {
        std::uint64_t files = 0;
        std::uint64_t folders = 0;
        std::uint64_t skippedNames = 0;
        std::uint64_t skippedFolders = 0;
    };
    using ProgressFunction = std::function<void(const Counts&)>;

    explicit FolderWalker(unsigned threadCount);

    // The tree below rootPath. Calls progress about five times a second while it walks.
    std::unique_ptr<FolderNode> walk(const std::string& rootPath, const ProgressFunction& progress);
    Counts counts() const;

private:
    void work();
    void add(const std::vector<std::unique_ptr<FolderNode>>& folders);
    void tally(const FolderReader::Outcome& outcome);
    void waitReportingProgress(const ProgressFunction& progress);
    bool finished() const { return m_pending.empty() && m_busy == 0; }

    unsigned m_threadCount;
    MountPoints m_mounts;
    std::mutex m_mutex;
    std::condition_variable m_workAdded; // wakes idle threads, only when some wait
    std::condition_variable m_done;
    std::vector<FolderNode*> m_pending; // taken from the back: depth first, small
    unsigned m_busy = 0;
    unsigned m_idle = 0;
    HeldFolderBudget m_openFolders;

    std::atomic<std::uint64_t> m_files{0};
    std::atomic<std::uint64_t> m_folders{0};
    std::atomic<std::uint64_t> m_skippedNames{0};
    std::atomic<std::uint64_t> m_skippedFolders{0};
};
