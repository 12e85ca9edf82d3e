#pragma once

#include <QString>

// An exclusive lock the kernel holds on an open file (an open-file-description lock on Linux,
// LockFileEx on Windows). It ends with its holder however the holder ends, so a lock file
// that a killed process left behind, empty or not, never refuses anyone.
namespace platform {

class FileLock {
public:
    FileLock() = default;
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    enum class Outcome { Taken, HeldElsewhere, CannotCreate };
    // Creates the file when missing and takes the lock without waiting.
    Outcome tryLock(const QString& nativePath);
    // Another holder has the lock on the file right now; false when the file is missing.
    static bool isHeldElsewhere(const QString& nativePath);
    // Removes the file and lets the lock go.
    void unlock();
    bool isLocked() const { return m_handle != kNoHandle; }

private:
    static constexpr long long kNoHandle = -1;
    long long m_handle = kNoHandle;
    QString m_path;
};

} // namespace platform
