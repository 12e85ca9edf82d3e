#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

// Collects bytes for an open file and writes them in large blocks; remembers why a write
// failed, in German: a full disk, a file-size limit, or the system's text.
class BlockWriter {
public:
    BlockWriter(QFileDevice& file, qsizetype blockSize) : m_file(file), m_blockSize(blockSize) {}

    QByteArray& buffer() { return m_buffer; }
    // Writes the buffer once it holds a block; false when the write failed.
    bool flushWhenFull() { return m_buffer.size() < m_blockSize || flush(); }
    bool flush();
    QString failureCause() const;

private:
    QFileDevice& m_file;
    qsizetype m_blockSize;
    QByteArray m_buffer;
    int m_errno = 0;
};
