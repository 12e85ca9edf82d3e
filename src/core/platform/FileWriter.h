#pragma once

#include "common/Result.h"

#include <QByteArrayView>
#include <QString>

// The one way the program writes a file whole: the bytes go to "<target>.<pid>.tmp" beside
// the target, every write and the close are checked, the file is forced to the disk when
// asked, and only then renamed over the target. A reader sees the old file or the complete
// new one. Dropped without a commit, the writer removes its temporary file. Errors are the
// cause in German (a full disk, a size limit, no access, ...), for the caller to name the file.
namespace platform {

class FileWriter {
public:
    explicit FileWriter(QString nativeTarget);
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Creates the temporary file, registered for removal on SIGTERM, SIGHUP and SIGINT where
    // the program asks for that (removeTemporaryFilesOnSignal) before it exists.
    Status open();
    bool isOpen() const;
    Status write(QByteArrayView bytes);
    // Starts writing what was written so far to the disk, without waiting.
    void startWriteback();
    enum class Durability { Forced, NotForced };
    // Closes and renames the file over the target; forced to disk first when asked.
    Status commit(Durability durability);
    // Removes the temporary file; the target stays as it was.
    void discard();

    // The name the file is written under until the commit.
    static QString temporaryNameOf(const QString& nativeTarget);

private:
    QString m_target;
    QString m_temporary;
    long long m_handle = -1;
    bool m_created = false;
    int m_slot = -1; // where the signal handler finds the temporary name
};

// Writes the bytes as the whole file through a FileWriter.
Status writeWholeFile(const QString& nativeTarget, QByteArrayView bytes,
                      FileWriter::Durability durability);

// Installs handlers that remove the open temporary files of this process's writers when
// SIGTERM, SIGHUP or SIGINT ends it, for programs that have no use of their own for them.
void removeTemporaryFilesOnSignal();

// Removes the temporary files ("*.<pid>.tmp") of writers that no longer run from a folder
// (native path), so a killed writer's file does not stay for good.
void removeDeadWritersFiles(const QString& nativeFolder);
// A file named "*.<pid>.tmp" whose writer is another process that still runs.
bool isLiveWorkOfAnotherProcess(const QString& fileName);

} // namespace platform
