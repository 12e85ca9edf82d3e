#include "platform/MappedFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

MappedFile::~MappedFile()
{
    close();
}

Status MappedFile::open(const QString& nativePath)
{
    close();
    const QByteArray name = QFile::encodeName(nativePath);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return Status::failure(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISREG(st.st_mode) ? errno : EINVAL;
        ::close(fd);
        return Status::failure(QString::fromLocal8Bit(std::strerror(error)));
    }
    m_handle = fd;
    m_size = st.st_size;
    return {};
}

qint64 MappedFile::currentSize() const
{
    struct stat st {};
    return m_handle >= 0 && ::fstat(int(m_handle), &st) == 0 ? qint64(st.st_size) : -1;
}

const unsigned char* MappedFile::mapView(qint64 offset, qint64 length, bool sequential)
{
    unmap();
    if (m_handle < 0 || length <= 0 || offset < 0 || offset + length > m_size)
        return nullptr;
    void* view =
        ::mmap(nullptr, std::size_t(length), PROT_READ, MAP_PRIVATE, int(m_handle), off_t(offset));
    if (view == MAP_FAILED)
        return nullptr;
    if (sequential) {
        ::madvise(view, std::size_t(length), MADV_SEQUENTIAL);
        ::madvise(view, std::size_t(length), MADV_WILLNEED);
    }
    m_view = view;
    m_viewLength = std::size_t(length);
    return static_cast<const unsigned char*>(view);
}

const unsigned char* MappedFile::map(qint64 offset, qint64 length)
{
    Q_ASSERT(offset % kGranularity == 0);
    return mapView(offset, length, false);
}

const unsigned char* MappedFile::mapWhole()
{
    return mapView(0, m_size, true);
}

void MappedFile::unmap()
{
    if (m_view)
        ::munmap(m_view, m_viewLength);
    m_view = nullptr;
    m_viewLength = 0;
}

void MappedFile::close()
{
    unmap();
    if (m_handle >= 0)
        ::close(int(m_handle));
    m_handle = -1;
    m_size = 0;
}
