#include "PendingFile.h"

#include <QString>

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace {

// The temporary file a signal handler removes; set only while one is open.
char s_temporaryPath[PATH_MAX];
volatile sig_atomic_t s_temporaryOpen = 0;

void removeTemporaryAndDie(int number)
{
    if (s_temporaryOpen)
        ::unlink(s_temporaryPath);
    ::signal(number, SIG_DFL);
    ::raise(number);
}

// Set before the file is created: a signal between the open and the guard would leave it.
void guardTemporary(const std::string& path)
{
    if (path.size() >= sizeof s_temporaryPath)
        return;
    s_temporaryOpen = 0;
    std::memcpy(s_temporaryPath, path.c_str(), path.size() + 1);
    s_temporaryOpen = 1;
}

} // namespace

void PendingFile::removeOnSignal()
{
    for (const int number : {SIGINT, SIGTERM, SIGHUP})
        ::signal(number, removeTemporaryAndDie);
}

PendingFile::PendingFile(std::string target)
    : m_target(std::move(target)), m_temporary(m_target + '.' + std::to_string(::getpid()) + ".tmp")
{
}

PendingFile::~PendingFile()
{
    discard();
}

Status PendingFile::open()
{
    guardTemporary(m_temporary);
    m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (m_fd < 0)
        return failWith(errno);
    return {};
}

Status PendingFile::write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return failWith(written < 0 ? errno : ENOSPC);
        bytes.remove_prefix(std::size_t(written));
    }
    return {};
}

Status PendingFile::commit()
{
    if (::fdatasync(m_fd) != 0)
        return failWith(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 || ::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        return failWith(errno);
    s_temporaryOpen = 0;
    m_temporary.clear();
    return {};
}

Status PendingFile::failWith(int error)
{
    discard();
    return Status::failure(
        QStringLiteral("Die Liste %1 konnte nicht geschrieben werden: %2")
            .arg(QString::fromStdString(m_target), QString::fromLocal8Bit(std::strerror(error))));
}

void PendingFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty())
        ::unlink(m_temporary.c_str());
    m_temporary.clear();
    s_temporaryOpen = 0;
}
