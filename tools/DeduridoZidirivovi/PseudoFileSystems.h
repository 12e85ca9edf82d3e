#pragma once

#include <string_view>

// The kernel's own file systems (proc, sysfs, devpts, cgroup, ...): they hold no user
// files, and walking them is slow or can block.
namespace pseudoFileSystems {

// The open folder lies on such a file system (or its file system cannot be told).
bool holds(int folderFd);

// Folders of the system root that the kernel and the service manager fill, skipped by
// name even where their file system looks ordinary (a tmpfs on /dev or /run).
bool isSystemFolder(std::string_view nameInRoot);

} // namespace pseudoFileSystems
