#include "MountPoints.h"

#include <fstream>
#include <sstream>

MountPoints MountPoints::read()
{
    MountPoints mounts;
    std::ifstream table("/proc/self/mountinfo");
    std::string line;
    while (std::getline(table, line)) {
        // ID, parent ID, device, root within its file system, mount point, options, ...
        std::istringstream fields(line);
        std::string skipped;
        std::string mountPoint;
        if (fields >> skipped >> skipped >> skipped >> skipped >> mountPoint)
            mounts.m_paths.insert(unescaped(mountPoint));
    }
    mounts.m_known = !table.bad() && !mounts.m_paths.empty();
    return mounts;
}

bool MountPoints::isMountPoint(const std::string& nativePath) const
{
    return !m_known || m_paths.contains(nativePath);
}

// The table writes blank, tab, line feed and backslash as a backslash and three octal digits.
std::string MountPoints::unescaped(std::string_view field)
{
    std::string path;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            path +=
                char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            path += field[i];
        }
    }
    return path;
}
