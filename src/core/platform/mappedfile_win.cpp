#include "platform/MappedFile.h"

#include <windows.h>

namespace {

QString lastErrorText()
{
    wchar_t* buffer = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, GetLastError(), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const QString text = QString::fromWCharArray(buffer).trimmed();
    LocalFree(buffer);
    return text;
}

} // namespace

MappedFile::~MappedFile()
{
    close();
}

Status MappedFile::open(const QString& nativePath)
{
    close();
    HANDLE file =
        CreateFileW(reinterpret_cast<const wchar_t*>(nativePath.utf16()), GENERIC_READ,
                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Status::failure(lastErrorText());
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    HANDLE mapping = nullptr;
    if (size.QuadPart > 0) {
        mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (!mapping) {
            const QString error = lastErrorText();
            CloseHandle(file);
            return Status::failure(error);
        }
    }
    m_handle = reinterpret_cast<qintptr>(file);
    m_mapping = reinterpret_cast<qintptr>(mapping);
    m_size = size.QuadPart;
    return {};
}

qint64 MappedFile::currentSize() const
{
    LARGE_INTEGER size{};
    return m_handle >= 0 && GetFileSizeEx(reinterpret_cast<HANDLE>(m_handle), &size) ? size.QuadPart
                                                                                     : -1;
}

const unsigned char* MappedFile::mapView(qint64 offset, qint64 length, bool)
{
    unmap();
    if (m_mapping <= 0 || length <= 0 || offset < 0 || offset + length > m_size)
        return nullptr;
    void* view =
        MapViewOfFile(reinterpret_cast<HANDLE>(m_mapping), FILE_MAP_READ,
                      DWORD(quint64(offset) >> 32), DWORD(offset & 0xFFFFFFFF), SIZE_T(length));
    m_view = view;
    m_viewLength = view ? std::size_t(length) : 0;
    return static_cast<const unsigned char*>(view);
}

const unsigned char* MappedFile::map(qint64 offset, qint64 length)
{
    return mapView(offset, length, false);
}

const unsigned char* MappedFile::mapWhole()
{
    return mapView(0, m_size, true);
}

void MappedFile::unmap()
{
    if (m_view)
        UnmapViewOfFile(m_view);
    m_view = nullptr;
    m_viewLength = 0;
}

void MappedFile::close()
{
    unmap();
    if (m_mapping > 0)
        CloseHandle(reinterpret_cast<HANDLE>(m_mapping));
    if (m_handle >= 0)
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    m_mapping = -1;
    m_handle = -1;
    m_size = 0;
}
