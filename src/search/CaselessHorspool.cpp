#include "search/CaselessHorspool.h"

#include "store/Windows1252.h"

CaselessHorspool::CaselessHorspool(QByteArrayView pattern)
    : m_pattern(pattern.toByteArray()), m_lower(cp1252::lowerTable())
{
    Q_ASSERT(!m_pattern.isEmpty());
    for (char& byte : m_pattern)
        byte = char(m_lower[static_cast<unsigned char>(byte)]);
    std::array<std::size_t, 256> byLower;
    byLower.fill(length());
    for (std::size_t i = 0; i + 1 < length(); ++i)
        byLower[static_cast<unsigned char>(m_pattern[qsizetype(i)])] = length() - 1 - i;
    // Every byte whose lower case is a pattern byte shifts as that byte does.
    for (std::size_t byte = 0; byte < 256; ++byte)
        m_shift[byte] = byLower[m_lower[byte]];
}
