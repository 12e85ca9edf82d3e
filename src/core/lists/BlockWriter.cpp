#include "lists/BlockWriter.h"

#include "platform/FileFacts.h"

#include <cerrno>

bool BlockWriter::flush()
{
    errno = 0;
    const bool written = m_file.write(m_buffer) == m_buffer.size();
    m_buffer.clear();
    // The file device keeps only a text, and not always the right one for a short write.
    if (!written)
        m_errno = errno;
    return written;
}

QString BlockWriter::failureCause() const
{
    if (m_errno == 0 && m_file.error() == QFileDevice::ResourceError)
        return platform::errorCause(ENOSPC);
    return m_errno != 0 ? platform::errorCause(m_errno) : m_file.errorString();
}
