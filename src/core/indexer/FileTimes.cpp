#include "indexer/FileTimes.h"

#include "platform/FileFacts.h"

#include <QFile>
#include <QFileInfo>

std::optional<FileTimes> fileTimes(const QString& programPath)
{
    const QString native = platform::nativePath(programPath);
    if (native.isEmpty())
        return std::nullopt;
    // The times are read before the open, which may touch the access time.
    const QFileInfo info(native);
    const FileTimes times{info.fileTime(QFileDevice::FileBirthTime).toLocalTime(),
                          info.fileTime(QFileDevice::FileAccessTime).toLocalTime(),
                          info.fileTime(QFileDevice::FileModificationTime).toLocalTime()};
    QFile file(native);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return times;
}
