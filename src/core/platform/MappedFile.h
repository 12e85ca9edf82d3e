#pragma once

#include "common/Result.h"

#include <QString>

#include <cstddef>

// How a reader takes a file's bytes. Read copies them into its own memory and copes with a
// file shortened meanwhile. Mapped maps windows of the file and copies nothing; only for the
// database's documents, which are replaced whole (renamed over) and never shortened in
// place, since a mapping of a file shortened under it faults.
enum class FileAccess { Read, Mapped };

// A read-only file mapping with views at multiples of the allocation granularity
// (64 KiB, as on Windows), so window offsets and sizes are the same on every system.
class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    static constexpr qint64 kGranularity = 65536;

    // Opens an existing file for reading; the error is the system's message.
    Status open(const QString& nativePath);
    bool isOpen() const { return m_handle >= 0; }
    qint64 size() const { return m_size; }
    // The file's size now (another program may have shortened it); -1 when unknown.
    qint64 currentSize() const;

    // Maps [offset, offset + length), replacing the previous view. The offset must be a
    // multiple of the granularity. Returns null for an empty range or on failure.
    const unsigned char* map(qint64 offset, qint64 length);
    // Maps the whole file and asks the system to read it ahead (whole-file scans).
    const unsigned char* mapWhole();
    void unmap();
    void close();

private:
    const unsigned char* mapView(qint64 offset, qint64 length, bool sequential);

    qintptr m_handle = -1;
    qintptr m_mapping = -1; // Windows mapping object; unused elsewhere
    qint64 m_size = 0;
    void* m_view = nullptr;
    std::size_t m_viewLength = 0;
};
