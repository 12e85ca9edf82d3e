#pragma once

#include "common/Result.h"
#include "platform/MappedFile.h"

#include <QByteArray>
#include <QString>

#include <memory>

// Reads a source file line by line through a read-only mapping, one window at a time, so
// no file is copied into memory by the reader. Windows are 224, 16 or 1 times the 64 KiB
// granularity (the largest the file can fill), placed at multiples of it.
class TMyFileReader {
public:
    static constexpr qint64 kGranularity = MappedFile::kGranularity;

    // Opens the file; the error text is "Es ist ein Fehler aufgetreten:" CR LF + the
    // system's message. With openNow the first window is mapped at once.
    static Result<std::unique_ptr<TMyFileReader>> create(const QString& programPath,
                                                         bool openNow = true);

    qint64 fileSize() const { return m_fileSize; }
    qint64 windowSize() const { return m_windowSize; }
    qint64 position() const { return m_windowBase + m_windowOffset; }
    bool atEnd() const { return position() >= m_fileSize; }
    // The file starts with FF FE: lines are read as 16-bit units.
    bool isWide() const { return m_wide; }

    // CR after creation; the document builder uses 0x10 to read a whole file at once.
    void setDelimiter(char16_t delimiter) { m_delimiter = delimiter; }
    void seek(qint64 offset);

    // The next line without its delimiter, as the file's bytes (in wide mode the bytes of
    // its UTF-16 LE units, without the leading FF FE of the file). The position then moves
    // past the delimiter and one more character, the LF of a CR LF pair.
    QByteArray readLine();

private:
    TMyFileReader() = default;
    void mapWindowAt(qint64 offset);
    void noticeShortening();
    qint64 windowEnd() const { return m_windowBase + m_windowLength; }

    MappedFile m_file;
    const unsigned char* m_view = nullptr;
    qint64 m_fileSize = 0;
    qint64 m_windowBase = 0;
    qint64 m_windowOffset = 0;
    qint64 m_windowSize = 0;
    qint64 m_windowLength = 0;
    bool m_wide = false;
    char16_t m_delimiter = u'\r';
};
