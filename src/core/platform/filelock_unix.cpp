#include "platform/FileLock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

struct flock wholeFile(short type)
{
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    return range;
}

// The lock holds only while the name still leads to the locked file: a holder removes the
// file when it lets go, and a taker that opened it just before holds a lock nobody sees.
bool nameLeadsTo(const QByteArray& path, int fd)
{
    struct stat byName {
    }, byHandle{};
    return ::stat(path.constData(), &byName) == 0 && ::fstat(fd, &byHandle) == 0 &&
           byName.st_dev == byHandle.st_dev && byName.st_ino == byHandle.st_ino;
}

} // namespace

FileLock::Outcome FileLock::tryLock(const QString& nativePath)
{
    unlock();
    const QByteArray path = QFile::encodeName(nativePath);
    for (;;) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0)
            return Outcome::CannotCreate;
        struct flock range = wholeFile(F_WRLCK);
        if (::fcntl(fd, F_OFD_SETLK, &range) != 0) {
            const int error = errno;
            ::close(fd);
            return error == EAGAIN || error == EACCES ? Outcome::HeldElsewhere
                                                      : Outcome::CannotCreate;
        }
        if (nameLeadsTo(path, fd)) {
            m_handle = fd;
            m_path = nativePath;
            return Outcome::Taken;
        }
        ::close(fd);
    }
}

bool FileLock::isHeldElsewhere(const QString& nativePath)
{
    const int fd = ::open(QFile::encodeName(nativePath).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct flock range = wholeFile(F_WRLCK);
    const bool held = ::fcntl(fd, F_OFD_GETLK, &range) == 0 && range.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

void FileLock::unlock()
{
    if (m_handle == kNoHandle)
        return;
    // Removed while still locked, so no taker can lock the name's file after this.
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(int(m_handle));
    m_handle = kNoHandle;
    m_path.clear();
}

} // namespace platform
