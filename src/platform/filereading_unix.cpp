#include "platform/FileFacts.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
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

namespace {

// The common causes in German; the system's own text for the rest.
QString causeOf(int error)
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
    return causeOf(error);
}

QString temporaryNameOf(const QString& nativeTarget)
{
    return nativeTarget + u'.' + QString::number(::getpid()) + QStringLiteral(".tmp");
}

Status writeWholeFile(const QString& nativeTarget, QByteArrayView bytes, bool forced)
{
    const QByteArray target = QFile::encodeName(nativeTarget);
    const QByteArray temporary = QFile::encodeName(temporaryNameOf(nativeTarget));
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return Status::failure(causeOf(errno));
    const auto fail = [&](int error, bool open) {
        if (open)
            ::close(fd);
        ::unlink(temporary.constData());
        return Status::failure(causeOf(error));
    };
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, std::size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        // A short write is where a full disk or a size limit shows first.
        if (written <= 0)
            return fail(written < 0 ? errno : ENOSPC, true);
        data += written;
        left -= written;
    }
    if (forced && ::fdatasync(fd) != 0)
        return fail(errno, true);
    if (::close(fd) != 0)
        return fail(errno, false);
    if (::rename(temporary.constData(), target.constData()) != 0)
        return fail(errno, false);
    return {};
}

void removeDeadWritersFiles(const QString& nativeFolder)
{
    const QDir folder(nativeFolder);
    static const QRegularExpression kTemporary(QStringLiteral("\\.([0-9]{1,9})\\.tmp$"));
    for (const QString& entry :
         folder.entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = kTemporary.match(entry);
        if (!match.hasMatch())
            continue;
        const pid_t writer = pid_t(match.captured(1).toLongLong());
        if (writer != ::getpid() && ::kill(writer, 0) != 0 && errno == ESRCH)
            QFile::remove(folder.filePath(entry));
    }
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

void startWriteback(QFileDevice& file)
{
#ifdef Q_OS_LINUX
    if (file.handle() >= 0)
        ::sync_file_range(file.handle(), 0, 0, SYNC_FILE_RANGE_WRITE);
#else
    Q_UNUSED(file);
#endif
}

} // namespace platform
