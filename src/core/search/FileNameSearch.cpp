#include "search/FileNameSearch.h"

#include "platform/FileFacts.h"

#include <QFile>

#include <optional>

namespace {

// Reads a file's lines in step with ascending offsets, one line in memory at a time.
class LineFollower {
public:
    explicit LineFollower(const QString& programPath) : m_file(platform::nativePath(programPath))
    {
        (void)m_file.open(QIODevice::ReadOnly); // unopened, it has no lines
    }

    // The line holding the offset, or nothing when it was the previous one's.
    std::optional<QString> lineAt(qint64 offset)
    {
        if (offset < m_nextLine)
            return std::nullopt;
        QByteArray line;
        do {
            line = m_file.readLine();
            m_nextLine += line.size();
        } while (!line.isEmpty() && m_nextLine <= offset);
        if (line.isEmpty())
            return std::nullopt;
        // The line end: LF, and one CR before it, as the descriptor's reader takes it.
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        return QString::fromUtf8(line);
    }

private:
    QFile m_file;
    qint64 m_nextLine = 0;
};

} // namespace

HitCounter::Outcome searchFileNames(const HitCounter& counter, const QString& descriptorPath,
                                    const QString& text, const FileNameLineHandler& onLine)
{
    LineFollower lines(descriptorPath);
    return counter.visit(descriptorPath, DocumentPattern::forFileList(text),
                         [&](qint64 occurrence) {
                             if (std::optional<QString> line = lines.lineAt(occurrence))
                                 onLine(occurrence, *line);
                         });
}
