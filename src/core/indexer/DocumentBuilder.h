#pragma once

#include "common/Result.h"
#include "common/TaskPacer.h"
#include "common/UserInterface.h"
#include "indexer/DocumentSelection.h"
#include "indexer/DocumentStream.h"
#include "indexer/ReadAhead.h"
#include "store/DatabasePaths.h"
#include "store/EncodingDetection.h"
#include "store/Utf8Repair.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class QFile;

// Builds the three plain-text documents of a database from its descriptor: every selected
// source file's text, classified by encoding, appended as a section to the document of
// its class; large files read in pieces; the in-memory part of a document written out as
// the document's next part whenever it reaches a million characters.
class DocumentBuilder {
public:
    static constexpr qint64 kPartThreshold = 1000000; // characters
    static constexpr qint64 kSplitThreshold = 10000000;
    static constexpr qint64 kPieceSize = 10000000;

    DocumentBuilder(const DatabasePaths& paths, const QString& name, const QStringList& patterns,
                    UserInterface& ui, TaskProgress& task);

    // Reads the descriptor and writes the documents. Ends early after a cancel (what was
    // read is kept) or when the database would be too large (then path-list-only). A file
    // that cannot be written ends the build with the message.
    Status build();
    // Gives the documents their names; until then they are not there, and without it they
    // are dropped with the builder.
    Status completeDocuments();
    // Forces the completed documents to disk; may run on a worker thread while they are
    // read.
    Status forceDocumentsToDisk() const;

    bool pathListOnly() const { return m_pathListOnly; }
    // The build did not run to its end (cancel, size limit): no title positions then.
    bool endedEarly() const { return m_endedEarly; }
    qint64 processedCount() const { return m_processedCount; }
    qint64 totalSize() const { return m_totalSize; }

private:
    // One document's text not yet written: bytes in the document's encoding (UTF-16 LE
    // without byte-order mark for the Unicode one) and its length in characters.
    struct ClassBuffer {
        QByteArray bytes;
        qint64 chars = 0;
    };

    // The passes over the files; each ends early, without an error, after a cancel.
    Status readLargeFiles();
    Status readNormalFiles();
    Status readFile(const ReadAhead::File& file);
    // A file above the split threshold, read piece by piece straight into its document.
    Status readLargeFile(const QString& path, qint64 size);
    // The next piece of a large file into the piece buffer; false when nothing was read.
    bool readPiece(QFile& source);
    // The three blank lines, the title line and the rule; writes the class's text out as a
    // part first when it has reached the threshold.
    Status startSection(Family family, const QString& path, const QString& rule);
    // One item of the text, followed by a line break.
    void appendItem(Family family, QByteArrayView item, qint64 chars);
    void appendText(Family family, const QString& text);
    void appendPiece(Family family, QByteArrayView piece, Utf8Repair& repair);
    // A section of the pieces of a file's text, a line each; none without pieces.
    Status appendSection(Family family, EncodingClass cls, const QString& path,
                         const QList<QByteArrayView>& pieces);
    Status writePart(Family family);
    Status writeFinalDocuments();
    void progress(EncodingClass cls, const QString& path);

    const DatabasePaths& m_paths;
    QString m_name;
    UserInterface& m_ui;
    TaskProgress& m_task;
    TaskPacer m_pacer; // the estimate's and the passes' looks at a cancel, remembered
    DocumentSelection m_selection;

    QStringList m_lines; // the descriptor
    QStringList m_largeFiles;
    QString m_sourceFolder;
    std::array<ClassBuffer, 3> m_buffers;
    QByteArray m_fileBytes; // a large file's piece being read, its memory reused
    QByteArray m_repaired;  // a large file's piece made valid UTF-8
    std::array<std::unique_ptr<DocumentStream>, 3> m_documents;
    bool m_partsWritten = false;
    bool m_pathListOnly = false;
    bool m_endedEarly = false;
    qint64 m_processedCount = 0;
    qint64 m_totalSize = 0;
};
