#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

// The mount points of the process's mount table (/proc/self/mountinfo): only there can
// another file system begin, so only those folders need a look at their file system.
class MountPoints {
public:
    // The current table; when it cannot be read, every folder counts as a mount point.
    static MountPoints read();

    bool isMountPoint(const std::string& nativePath) const;

private:
    static std::string unescaped(std::string_view field);

    bool m_known = false;
    std::unordered_set<std::string> m_paths;
};
