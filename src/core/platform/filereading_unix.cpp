#include "platform/FileFacts.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// An open descriptor of a regular file, closed on every path out.
class RegularFile {
public:
    explicit RegularFile(const QString& programPath)
    {
        const QString native = nativePath(programPath);
        if (native.isEmpty())
            return;
        // Non-blocking, so that opening a pipe named *.txt returns at once.
        m_fd = ::open(QFile::encodeName(native).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        struct stat facts {};
        if (m_fd >= 0 && ::fstat(m_fd, &facts) == 0 && S_ISREG(facts.st_mode))
            m_size = facts.st_size;
    }
    ~RegularFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    std::optional<qint64> size() const { return m_size; }
    int descriptor() const { return m_fd; }

private:
    int m_fd = -1;
    std::optional<qint64> m_size;
};

} // namespace

std::optional<qint64> openableFileSize(const QString& programPath)
{
    return RegularFile(programPath).size();
}

bool readRegularFile(const QString& programPath, QByteArray& into)
{
    const RegularFile file(programPath);
    if (!file.size())
        return false;
    // Read what the file holds now; it may have shrunk or grown since the size was taken.
    into.resize(*file.size());
    qint64 filled = 0;
    for (;;) {
        if (filled == into.size())
            into.resize(filled + std::max<qint64>(filled / 2, 4096));
        const ssize_t got = ::read(file.descriptor(), into.data() + filled, into.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        filled += got;
    }
    into.resize(filled);
    return true;
}

// The common causes in German; the system's own text for the rest.
QString errorCause(int error)
{
    switch (error) {
    case ENOSPC: return QStringLiteral("Auf dem Datenträger ist kein Platz mehr frei.");
    case EFBIG: return QStringLiteral("Datei zu groß: die erlaubte Dateigröße ist erreicht.");
    case EDQUOT: return QStringLiteral("Das Speicherkontingent ist erschöpft.");
    case EROFS: return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case EACCES:
    case EPERM: return QStringLiteral("Zugriff verweigert.");
    case EIO: return QStringLiteral("Ein- oder Ausgabefehler des Datenträgers.");
    case ENOENT: return QStringLiteral("Der Ordner existiert nicht.");
    default: break;
    }
    return QString::fromLocal8Bit(std::strerror(error));
}

namespace {

bool isKnownCause(int error)
{
    return error == ENOSPC || error == EFBIG || error == EDQUOT || error == EROFS ||
           error == EACCES || error == EPERM || error == EIO;
}

} // namespace

QString writeFailureCause(const QFileDevice& file)
{
    const int error = errno;
    if (!isKnownCause(error) && file.error() != QFileDevice::NoError)
        return file.errorString();
    return errorCause(error);
}

bool replaceFile(const QString& nativeFrom, const QString& nativeTo)
{
    return ::rename(QFile::encodeName(nativeFrom).constData(),
                    QFile::encodeName(nativeTo).constData()) == 0;
}

bool syncFile(const QString& nativePath)
{
    const int fd = ::open(QFile::encodeName(nativePath).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool synced = ::fdatasync(fd) == 0;
    ::close(fd);
    return synced;
}

void syncFolder(const QString& nativeFolder)
{
    const int fd = ::open(QFile::encodeName(nativeFolder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace platform
