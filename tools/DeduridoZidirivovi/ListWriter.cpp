#include "ListWriter.h"

#include <QFile>
#include <QString>

namespace {

constexpr std::size_t kFlushSize = 1 << 20;

Status listFailure(const std::string& path, const Status& cause)
{
    return Status::failure(QStringLiteral("Die Liste %1 konnte nicht geschrieben werden: %2")
                               .arg(QString::fromStdString(path), cause.error()));
}

} // namespace

ListWriter::ListWriter(char driveLetter) : m_driveLetter(driveLetter) {}

Status ListWriter::write(const FolderNode& root, const std::string& path)
{
    platform::FileWriter file(QFile::decodeName(path.c_str()));
    if (Status opened = file.open(); !opened)
        return listFailure(path, opened);
    m_file = &file;
    m_path = path;
    m_prefix = {m_driveLetter, ':', '\\'};
    m_buffer.reserve(2 * kFlushSize);
    writeFolder(root);
    flush();
    m_file = nullptr;
    if (!m_status)
        return m_status;
    if (Status committed = file.commit(platform::FileWriter::Durability::Forced); !committed)
        return listFailure(path, committed);
    return {};
}

void ListWriter::writeFolder(const FolderNode& node)
{
    for (std::size_t i = 0; i < node.files.size(); ++i) {
        m_buffer += i == 0 ? std::string_view(m_prefix) : std::string_view("\" ");
        m_buffer += node.files[i];
        m_buffer += "\r\n";
        if (m_buffer.size() >= kFlushSize)
            flush();
    }
    const std::size_t prefixLength = m_prefix.size();
    for (const auto& folder : node.folders) {
        m_prefix += folder->name;
        m_prefix += '\\';
        writeFolder(*folder);
        m_prefix.resize(prefixLength);
    }
}

void ListWriter::flush()
{
    if (m_status) {
        if (Status written = m_file->write(m_buffer); !written)
            m_status = listFailure(m_path, written);
    }
    m_buffer.clear();
}
