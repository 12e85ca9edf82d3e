#include "lists/BlockWriter.h"

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
    if (m_errno == ENOSPC || m_file.error() == QFileDevice::ResourceError)
        return QStringLiteral("Auf dem Datenträger ist kein Platz mehr frei.");
    if (m_errno == EFBIG)
        return QStringLiteral("Die Datei würde größer, als das System erlaubt.");
#ifdef EDQUOT
    if (m_errno == EDQUOT)
        return QStringLiteral("Der zugeteilte Speicherplatz auf dem Datenträger ist erschöpft.");
#endif
    return QStringLiteral("Schreibfehler (%1).").arg(m_file.errorString());
}
