#pragma once

#include "FolderNode.h"
#include "HeldFolderBudget.h"
#include "MountPoints.h"

#include <dirent.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Reads one folder into its node: the regular files and subfolders with listable names,
// each sorted in list order. Symbolic links, pipes, sockets and devices are left out, and
// a folder on a pseudo file system is not read at all. Each thread owns one reader, for
// its large directory buffer; the readers share the budget of folders held open.
class FolderReader {
public:
    enum class State { Read, Unreadable, PseudoFileSystem };
    struct Outcome {
        State state = State::Read;
        std::uint64_t files = 0;
        std::uint64_t skippedNames = 0;
    };

    FolderReader(const MountPoints& mounts, HeldFolderBudget& openFolders);

    Outcome read(FolderNode& node);

private:
    static int open(const FolderNode& node);
    void releaseParent(const FolderNode& node);
    void keepOpenForFolders(int fd, FolderNode& node);
    bool onListableFileSystem(int fd, const FolderNode& node) const;
    Outcome readEntries(int fd, FolderNode& node);
    void takeEntry(int fd, FolderNode& node, const dirent64& entry, Outcome& outcome);
    void addFile(std::string_view name);
    static void addFolder(FolderNode& node, std::string_view name);
    void sortEntries(FolderNode& node) const;

    const MountPoints& m_mounts;
    HeldFolderBudget& m_openFolders;
    std::unique_ptr<char[]> m_buffer;
    std::string m_names; // the file names of the folder being read
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_fileSpans; // offset, length
};
