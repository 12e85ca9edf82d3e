#pragma once

#include "common/Result.h"

#include <QByteArrayView>
#include <QString>

#include <memory>

class QSaveFile;

// One document of a run, written as it grows. Each part (a buffer's worth of text, or a
// piece of a large file) is appended where it belongs, so the document never has to be
// assembled from part files afterwards; the file becomes the document under its name only
// when committed, and is dropped when the stream goes without a commit.
class DocumentStream {
public:
    explicit DocumentStream(QString programPath);
    ~DocumentStream(); // without a commit: the file written so far is removed
    DocumentStream(const DocumentStream&) = delete;
    DocumentStream& operator=(const DocumentStream&) = delete;

    // Starts a part: its mark (the byte-order mark of a Unicode part, else none), its text.
    Status appendPart(QByteArrayView mark, QByteArrayView text);
    // More text of the part begun last.
    Status append(QByteArrayView text);
    // Forces the document to disk and gives it its name. A stream nothing was appended to
    // writes nothing. Safe to call from a worker thread while the owner waits.
    Status commit();

private:
    Status open();

    QString m_path;
    std::unique_ptr<QSaveFile> m_file;
    qint64 m_unsynced = 0; // bytes appended since writeback was last started
};
