#include "platform/FileWriter.h"

#include "platform/FileFacts.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <utility>

namespace platform {

namespace {

// The temporary names a signal handler removes: fixed storage, read without locks, so the
// handler stays async-signal-safe. A slot is filled before its file is created.
constexpr int kSlots = 16;
// States of a slot: free, being filled, holding a name.
enum : int { kFree, kFilling, kHolding };
struct Slot {
    char path[PATH_MAX];
    std::atomic<int> state;
};
std::array<Slot, kSlots> s_slots{};
static_assert(std::atomic<int>::is_always_lock_free, "read in a signal handler");

int claimSlot(const QByteArray& path)
{
    if (path.size() >= PATH_MAX)
        return -1;
    for (int i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (s_slots[i].state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(s_slots[i].path, path.constData(), std::size_t(path.size()) + 1);
            s_slots[i].state = kHolding;
            return i;
        }
    }
    return -1; // more writers at once than slots: such a file is left to the next start
}

void releaseSlot(int& slot)
{
    if (slot >= 0)
        s_slots[slot].state = kFree;
    slot = -1;
}

void removeAndDie(int number)
{
    for (Slot& slot : s_slots) {
        if (slot.state == kHolding)
            ::unlink(slot.path);
    }
    ::signal(number, SIG_DFL);
    ::raise(number);
}

} // namespace

Status FileWriter::open()
{
    discard();
    const QByteArray temporary = QFile::encodeName(m_temporary);
    m_slot = claimSlot(temporary);
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        releaseSlot(m_slot);
        return Status::failure(errorCause(error));
    }
    m_handle = fd;
    m_created = true;
    return {};
}

bool FileWriter::isOpen() const
{
    return m_handle >= 0;
}

Status FileWriter::write(QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(int(m_handle), data, std::size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        // A short write is where a full disk or a size limit shows first.
        if (written <= 0) {
            const int error = written < 0 ? errno : ENOSPC;
            discard();
            return Status::failure(errorCause(error));
        }
        data += written;
        left -= written;
    }
    return {};
}

void FileWriter::startWriteback()
{
#ifdef SYNC_FILE_RANGE_WRITE
    if (m_handle >= 0)
        ::sync_file_range(int(m_handle), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

Status FileWriter::commit(Durability durability)
{
    const auto fail = [this](int error) {
        discard();
        return Status::failure(errorCause(error));
    };
    if (m_handle < 0)
        return fail(EBADF); // never opened, or a write failed and removed it
    if (durability == Durability::Forced && ::fdatasync(int(m_handle)) != 0)
        return fail(errno);
    const int fd = int(std::exchange(m_handle, -1));
    if (::close(fd) != 0)
        return fail(errno);
    if (::rename(QFile::encodeName(m_temporary).constData(),
                 QFile::encodeName(m_target).constData()) != 0)
        return fail(errno);
    m_created = false;
    releaseSlot(m_slot);
    return {};
}

void FileWriter::discard()
{
    if (m_handle >= 0)
        ::close(int(std::exchange(m_handle, -1)));
    if (std::exchange(m_created, false))
        ::unlink(QFile::encodeName(m_temporary).constData());
    releaseSlot(m_slot);
}

void removeTemporaryFilesOnSignal()
{
    for (const int number : {SIGINT, SIGTERM, SIGHUP})
        ::signal(number, removeAndDie);
}

namespace {

// The writer of "*.<pid>.tmp"; 0 for any other name.
pid_t writerOf(const QString& fileName)
{
    static const QRegularExpression kTemporary(QStringLiteral("\\.([0-9]{1,9})\\.tmp$"));
    const QRegularExpressionMatch match = kTemporary.match(fileName);
    return match.hasMatch() ? pid_t(match.captured(1).toLongLong()) : 0;
}

bool runs(pid_t process)
{
    return ::kill(process, 0) == 0 || errno != ESRCH;
}

} // namespace

void removeDeadWritersFiles(const QString& nativeFolder)
{
    if (nativeFolder.isEmpty())
        return; // an unmapped drive; QDir would take the working folder
    const QDir folder(nativeFolder);
    for (const QString& entry :
         folder.entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden)) {
        const pid_t writer = writerOf(entry);
        if (writer > 0 && writer != ::getpid() && !runs(writer))
            QFile::remove(folder.filePath(entry));
    }
}

bool isLiveWorkOfAnotherProcess(const QString& fileName)
{
    const pid_t writer = writerOf(fileName);
    return writer > 0 && writer != ::getpid() && runs(writer);
}

} // namespace platform
