#pragma once

#include "common/Result.h"
#include "platform/FileWriter.h"

#include <QByteArrayView>
#include <QString>

// One document of a run, written as it grows. Each part (a buffer's worth of text, or a
// piece of a large file) is appended where it belongs, so the document never has to be
// assembled from part files afterwards. It is written under a temporary name and gets
// its own name only when closed; a stream dropped before that removes what it wrote.
class DocumentStream {
public:
    explicit DocumentStream(QString programPath);
    ~DocumentStream();
    DocumentStream(const DocumentStream&) = delete;
    DocumentStream& operator=(const DocumentStream&) = delete;

    // Starts a part: its mark (the byte-order mark of a Unicode part, else none), its text.
    Status appendPart(QByteArrayView mark, QByteArrayView text);
    // More text of the part begun last.
    Status append(QByteArrayView text);
    // Ends the document and gives it its name; not yet forced to disk. A stream nothing was
    // appended to writes nothing.
    Status close();
    // Forces the closed document to disk; may run on a worker thread while the document is
    // read elsewhere.
    Status forceToDisk() const;

private:
    Status failure(const QString& cause) const;

    QString m_path;
    platform::FileWriter m_file;
    Status m_failure; // of the first write that failed
    bool m_closed = false;
    qint64 m_unsynced = 0; // bytes appended since writeback was last started
};
