#include "platform/FileLock.h"

#include <utility>

namespace platform {

FileLock::~FileLock()
{
    unlock();
}

FileLock::FileLock(FileLock&& other) noexcept
    : m_handle(std::exchange(other.m_handle, kNoHandle)), m_path(std::move(other.m_path))
{
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        unlock();
        m_handle = std::exchange(other.m_handle, kNoHandle);
        m_path = std::move(other.m_path);
    }
    return *this;
}

} // namespace platform
