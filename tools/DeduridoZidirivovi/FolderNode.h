#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One folder of a drive: the regular files and subfolders found in it, both in list order
// once the folder has been read. Nodes stay where they were allocated, so the views into
// nameBytes stay valid.
struct FolderNode {
    bool isRoot() const { return name.empty(); }

    std::string name;       // as it appears in the program path; empty for the drive root
    std::string nativePath; // released once the folder has been read
    FolderNode* parent = nullptr;

    // Kept open while subfolders still have to be opened, so they are opened relative to it
    // rather than by walking their whole path again; the last one to open closes it.
    int fd = -1;
    std::atomic<std::size_t> foldersToOpen{0};

    std::string nameBytes; // the file names, one after the other
    std::vector<std::string_view> files;
    std::vector<std::unique_ptr<FolderNode>> folders;
};
