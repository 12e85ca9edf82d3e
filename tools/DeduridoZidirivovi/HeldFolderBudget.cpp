#include "HeldFolderBudget.h"

#include <sys/resource.h>

#include <algorithm>

namespace {

// The walk goes depth first, so few folders are held at a time in practice.
constexpr rlim_t kMostHeld = 256;
// Standard streams, the threads' folders being read, the mount table, the list.
constexpr rlim_t kReserved = 32;

} // namespace

HeldFolderBudget::HeldFolderBudget()
{
    struct rlimit limit {};
    const rlim_t open = ::getrlimit(RLIMIT_NOFILE, &limit) == 0 ? limit.rlim_cur : 0;
    m_limit = int(open > kReserved ? std::min((open - kReserved) / 2, kMostHeld) : 0);
}

bool HeldFolderBudget::take()
{
    if (m_held.fetch_add(1, std::memory_order_relaxed) < m_limit)
        return true;
    giveBack();
    return false;
}

void HeldFolderBudget::giveBack()
{
    m_held.fetch_sub(1, std::memory_order_relaxed);
}
