#include "platform/FileLock.h"

#include <windows.h>

namespace platform {

namespace {

HANDLE asHandle(long long handle)
{
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(handle));
}

} // namespace

FileLock::Outcome FileLock::tryLock(const QString& nativePath)
{
    unlock();
    // FILE_FLAG_DELETE_ON_CLOSE: the file goes with the last handle, so it cannot outlive
    // its holder.
    const HANDLE file = ::CreateFileW(reinterpret_cast<const wchar_t*>(nativePath.utf16()),
                                      GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_SHARING_VIOLATION ? Outcome::HeldElsewhere
                                                           : Outcome::CannotCreate;
    OVERLAPPED whole{};
    if (!::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
        ::CloseHandle(file);
        return Outcome::HeldElsewhere;
    }
    m_handle = static_cast<long long>(reinterpret_cast<intptr_t>(file));
    m_path = nativePath;
    return Outcome::Taken;
}

bool FileLock::isHeldElsewhere(const QString& nativePath)
{
    const HANDLE file = ::CreateFileW(
        reinterpret_cast<const wchar_t*>(nativePath.utf16()), GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_SHARING_VIOLATION;
    OVERLAPPED whole{};
    const bool free = ::LockFileEx(file, LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole);
    if (free)
        ::UnlockFileEx(file, 0, 1, 0, &whole);
    ::CloseHandle(file);
    return !free;
}

void FileLock::unlock()
{
    if (m_handle == kNoHandle)
        return;
    ::CloseHandle(asHandle(m_handle));
    m_handle = kNoHandle;
    m_path.clear();
}

} // namespace platform
