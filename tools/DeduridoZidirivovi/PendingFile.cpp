#include "PendingFile.h"

#include <QString>

#include <dirent.h>
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

// The writer's process id in "<prefix>...<pid>.tmp", or 0 when the name is not of that form.
pid_t writerOf(std::string_view name, std::string_view prefix)
{
    constexpr std::string_view suffix = ".tmp";
    if (name.size() <= prefix.size() + suffix.size() || name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - suffix.size()) != suffix)
        return 0;
    name.remove_suffix(suffix.size());
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot + 1 == name.size())
        return 0;
    pid_t pid = 0;
    for (const char digit : name.substr(dot + 1)) {
        if (digit < '0' || digit > '9' || pid > 100000000)
            return 0;
        pid = pid * 10 + (digit - '0');
    }
    return pid;
}

} // namespace

void PendingFile::removeOnSignal()
{
    for (const int number : {SIGINT, SIGTERM, SIGHUP})
        ::signal(number, removeTemporaryAndDie);
}

void PendingFile::removeDeadWritersFiles(const std::string& folder, std::string_view prefix)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t writer = writerOf(entry->d_name, prefix);
        if (writer > 0 && writer != ::getpid() && ::kill(writer, 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
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
