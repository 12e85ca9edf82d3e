#pragma once

#include "FolderNode.h"
#include "common/Result.h"
#include "platform/FileWriter.h"

#include <string>

// Writes a folder tree as a drive list: UTF-8, CR LF, folders in depth-first pre-order; the
// first file of a folder as a full program path (D:\Texte\Brief.txt), the following files
// of the same folder as `" name`.
class ListWriter {
public:
    explicit ListWriter(char driveLetter);

    // Writes the list to path through a temporary file renamed at the end.
    Status write(const FolderNode& root, const std::string& path);

private:
    void writeFolder(const FolderNode& node);
    void flush();

    char m_driveLetter;
    std::string m_prefix; // program path of the folder being written, with its last backslash
    std::string m_buffer;
    platform::FileWriter* m_file = nullptr;
    std::string m_path;
    Status m_status;
};
