#include "FolderReader.h"

#include "FileNames.h"
#include "PseudoFileSystems.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace {

// Large enough that most folders come in one call, and big ones in few.
constexpr std::size_t kBufferSize = 256 * 1024;

// The entry's type from its inode, for file systems that leave d_type unknown.
unsigned char typeByStat(int folderFd, const char* name)
{
    struct stat info {};
    if (::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return DT_UNKNOWN;
    if (S_ISREG(info.st_mode))
        return DT_REG;
    return S_ISDIR(info.st_mode) ? DT_DIR : DT_UNKNOWN;
}

} // namespace

FolderReader::FolderReader(const MountPoints& mounts, HeldFolderBudget& openFolders)
    : m_mounts(mounts), m_openFolders(openFolders), m_buffer(new char[kBufferSize])
{
}

FolderReader::Outcome FolderReader::read(FolderNode& node)
{
    const int fd = open(node);
    releaseParent(node);
    if (fd < 0)
        return {State::Unreadable};
    const Outcome outcome =
        onListableFileSystem(fd, node) ? readEntries(fd, node) : Outcome{State::PseudoFileSystem};
    keepOpenForFolders(fd, node);
    std::string().swap(node.nativePath);
    return outcome;
}

int FolderReader::open(const FolderNode& node)
{
    // The drive root may itself be a link the user mapped; below it no link is followed.
    if (node.isRoot())
        return ::open(node.nativePath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    constexpr int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW;
    const int parentFd = node.parent->fd;
    return parentFd >= 0 ? ::openat(parentFd, node.name.c_str(), flags)
                         : ::open(node.nativePath.c_str(), flags);
}

void FolderReader::releaseParent(const FolderNode& node)
{
    FolderNode* parent = node.parent;
    if (!parent || parent->fd < 0 ||
        parent->foldersToOpen.fetch_sub(1, std::memory_order_acq_rel) != 1)
        return;
    ::close(parent->fd);
    parent->fd = -1;
    m_openFolders.giveBack();
}

void FolderReader::keepOpenForFolders(int fd, FolderNode& node)
{
    if (!node.folders.empty() && m_openFolders.take()) {
        node.foldersToOpen.store(node.folders.size(), std::memory_order_relaxed);
        node.fd = fd;
        return;
    }
    ::close(fd);
}

// The drive root and the mount points are where a pseudo file system can begin.
bool FolderReader::onListableFileSystem(int fd, const FolderNode& node) const
{
    const bool mayBeginFileSystem = node.isRoot() || m_mounts.isMountPoint(node.nativePath);
    return !mayBeginFileSystem || !pseudoFileSystems::holds(fd);
}

FolderReader::Outcome FolderReader::readEntries(int fd, FolderNode& node)
{
    Outcome outcome;
    m_names.clear();
    m_fileSpans.clear();
    for (;;) {
        const ssize_t got = ::getdents64(fd, m_buffer.get(), kBufferSize);
        if (got < 0) {
            node.folders.clear();
            return {State::Unreadable};
        }
        if (got == 0)
            break;
        for (ssize_t at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(m_buffer.get() + at);
            at += entry->d_reclen;
            takeEntry(fd, node, *entry, outcome);
        }
    }
    outcome.files = m_fileSpans.size();
    sortEntries(node);
    return outcome;
}

void FolderReader::takeEntry(int fd, FolderNode& node, const dirent64& entry, Outcome& outcome)
{
    const std::string_view name(entry.d_name);
    const unsigned char type =
        entry.d_type == DT_UNKNOWN ? typeByStat(fd, entry.d_name) : entry.d_type;
    if (type != DT_REG && type != DT_DIR)
        return;
    if (type == DT_DIR && (name == "." || name == ".." ||
                           (node.nativePath == "/" && pseudoFileSystems::isSystemFolder(name))))
        return;
    if (!fileNames::isListable(name)) {
        ++outcome.skippedNames;
        return;
    }
    if (type == DT_REG)
        addFile(name);
    else
        addFolder(node, name);
}

void FolderReader::addFile(std::string_view name)
{
    m_fileSpans.emplace_back(std::uint32_t(m_names.size()), std::uint32_t(name.size()));
    m_names += name;
}

void FolderReader::addFolder(FolderNode& node, std::string_view name)
{
    auto folder = std::make_unique<FolderNode>();
    folder->name = name;
    folder->nativePath.reserve(node.nativePath.size() + 1 + name.size());
    folder->nativePath = node.nativePath;
    if (!folder->nativePath.ends_with('/'))
        folder->nativePath += '/';
    folder->nativePath += name;
    folder->parent = &node;
    node.folders.push_back(std::move(folder));
}

void FolderReader::sortEntries(FolderNode& node) const
{
    node.nameBytes = m_names; // one allocation of the exact size
    node.files.reserve(m_fileSpans.size());
    for (const auto& [offset, length] : m_fileSpans)
        node.files.emplace_back(node.nameBytes.data() + offset, length);
    std::sort(node.files.begin(), node.files.end(), fileNames::listsBefore);
    std::sort(node.folders.begin(), node.folders.end(), [](const auto& a, const auto& b) {
        return fileNames::listsBefore(a->name, b->name);
    });
}
