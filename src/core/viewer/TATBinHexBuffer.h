#pragma once

#include "platform/MappedFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>
#include <optional>

// The viewer's file and the part of it held in memory: three consecutive blocks starting
// at the buffer start. Memory stays at three blocks whatever the file size.
class TATBinHexBuffer {
public:
    // Called after every failed read of the blocks.
    explicit TATBinHexBuffer(std::function<void()> onReadFailed);

    // Opens an existing file read-only and reads its first three blocks.
    bool open(const QString& nativePath, qint64 blockSize, FileAccess access = FileAccess::Read);
    void close();
    bool isOpen() const { return m_file.isOpen() || m_mapped.isOpen(); }
    // The size when the file was opened.
    qint64 fileSize() const { return m_fileSize; }
    qint64 capacity() const { return m_capacity; }
    qint64 blockSize() const { return m_blockSize; }
    qint64 start() const { return m_start; }
    bool lastReadOk() const { return m_readOk; }

    // Keeps a view position inside [start, start + two blocks): otherwise the buffer
    // start becomes the position minus one block and the blocks are read again.
    void follow(qint64 viewPos);
    // The bytes [pos, pos + count), reading the blocks around pos when they are not held;
    // null beyond the data read.
    const unsigned char* bytesAt(qint64 pos, int count)
    {
        const qint64 offset = pos - m_start;
        if (offset >= 0 && offset + count <= m_length)
            return m_bytes + offset;
        return bytesAtAfterFill(pos, count);
    }
    // Reads a range straight from the file; nothing when it cannot be read whole.
    std::optional<QByteArray> readRange(qint64 pos, qint64 length);

private:
    const unsigned char* bytesAtAfterFill(qint64 pos, int count);
    void fill(qint64 start);
    bool readInto(qint64 start, qint64 wanted);
    bool mapFrom(qint64 start, qint64 wanted);

    std::function<void()> m_onReadFailed;
    QFile m_file;
    MappedFile m_mapped;
    QByteArray m_data;
    const unsigned char* m_bytes = nullptr; // the bytes held, from m_start on
    qint64 m_fileSize = 0;
    qint64 m_blockSize = 0;
    qint64 m_capacity = 0;
    qint64 m_start = 0;
    qint64 m_length = 0; // bytes held
    bool m_readOk = true;
};
