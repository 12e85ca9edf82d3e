#pragma once

#include "common/Result.h"

#include <string>
#include <string_view>

// A file written under a temporary name beside its target ("<target>.<pid>.tmp") and renamed
// over the target at the end, so a reader sees either the old file or the complete new one.
// The temporary file is removed on any failure, when the object goes without a commit, and
// when SIGINT, SIGTERM or SIGHUP ends the program while it is written.
class PendingFile {
public:
    // Installs the signal handlers that remove an open temporary file; called at start,
    // before any temporary file can exist.
    static void removeOnSignal();

    explicit PendingFile(std::string target);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    Status open();
    Status write(std::string_view bytes);
    // Puts the bytes on the disk, then renames the file to the target.
    Status commit();

private:
    // Removes the temporary file; the message names the list and the system's cause.
    Status failWith(int error);
    void discard();

    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
};
