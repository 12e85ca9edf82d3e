#include "PseudoFileSystems.h"

#include <linux/magic.h>
#include <sys/vfs.h>

#include <algorithm>
#include <array>

namespace pseudoFileSystems {
namespace {

constexpr unsigned long kConfigFsMagic = 0x62656570;
constexpr unsigned long kFuseControlMagic = 0x65735543;
constexpr unsigned long kMqueueMagic = 0x19800202;
constexpr unsigned long kRpcPipeFsMagic = 0x67596969;

constexpr std::array<unsigned long, 21> kMagics = {
    PROC_SUPER_MAGIC, SYSFS_MAGIC,   DEVPTS_SUPER_MAGIC, CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC,
    DEBUGFS_MAGIC,    TRACEFS_MAGIC, SECURITYFS_MAGIC,   PSTOREFS_MAGIC,     BPF_FS_MAGIC,
    SELINUX_MAGIC,    SMACK_MAGIC,   EFIVARFS_MAGIC,     BINFMTFS_MAGIC,     NSFS_MAGIC,
    HUGETLBFS_MAGIC,  DEVMEM_MAGIC,  kConfigFsMagic,     kFuseControlMagic,  kMqueueMagic,
    kRpcPipeFsMagic,
};

} // namespace

bool holds(int folderFd)
{
    struct statfs info {};
    if (::fstatfs(folderFd, &info) != 0)
        return true;
    const auto magic = static_cast<unsigned long>(info.f_type);
    return std::find(kMagics.begin(), kMagics.end(), magic) != kMagics.end();
}

bool isSystemFolder(std::string_view nameInRoot)
{
    return nameInRoot == "proc" || nameInRoot == "sys" || nameInRoot == "dev" ||
           nameInRoot == "run";
}

} // namespace pseudoFileSystems
