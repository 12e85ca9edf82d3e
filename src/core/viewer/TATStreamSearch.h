#pragma once

#include "common/Result.h"
#include "viewer/BlockSearch.h"
#include "viewer/TATEncoding.h"

#include <QByteArray>
#include <QString>

#include <deque>
#include <functional>
#include <memory>

class QIODevice;

enum TATStreamSearchOption : unsigned {
    ssoCaseSensitive = 1,
    ssoWholeWords = 2,
    ssoBackward = 4,
    // The single-byte text and stream are UTF-8: case folds by character.
    ssoUtf8 = 8,
};
using TATStreamSearchOptions = unsigned;

// Progress of a running search: the current position and the stream size. Setting
// `continueSearching` to false stops the search.
using TATStreamSearchProgress =
    std::function<void(qint64 currentPos, qint64 maximalPos, bool& continueSearching)>;

// What a search for the next match takes from the search window that runs it: the state
// of its two check boxes and, during its search in the title-position lists, its texts.
class StreamSearchSettings {
public:
    virtual ~StreamSearchSettings() = default;
    virtual bool caseSensitive() const = 0;
    virtual bool wholeWords() const = 0;
    // The search term, and the text the window is looking for right now; whole words do not
    // apply when the first starts the second.
    virtual QString currentSearchTerm() const = 0;
    virtual QString textLookedFor() const = 0;
    // A search in the title-position lists runs: the next match is of textLookedFor().
    virtual bool titlePositionSearch() const = 0;
};

// Finds a text in a file or stream of any size, block by block: 65,536 bytes at a time,
// converted from the search encoding, with an overlap of the text's length plus one
// character so that a match across a block edge is not lost. Remembers the last search
// so that FindNext continues from the last match.
class TATStreamSearch {
public:
    static constexpr qint64 kBlockSize = 65536;

    // Tests use small blocks to put many block edges into short texts.
    explicit TATStreamSearch(qint64 blockSize = kBlockSize);
    ~TATStreamSearch();
    TATStreamSearch(const TATStreamSearch&) = delete;
    TATStreamSearch& operator=(const TATStreamSearch&) = delete;

    // Opens the file (a program path) read-only, sharing it with all others, and forgets the
    // last search. An empty name only closes the file the search opened itself.
    Status setFileName(const QString& programPath);
    const QString& FileName() const { return m_fileName; }
    // Searches a stream the caller owns; forgets the last search and the file name.
    void setStream(QIODevice* stream);
    // Releases the file the search opened, so that it can be rewritten or deleted.
    void close();

    // Searches from startPos (backward with start 0: from the end). True when found; an
    // error text when a block cannot be read ("Read error at offset N").
    Result<bool> FindFirst(const QString& text, TATEncoding encoding,
                           TATStreamSearchOptions options, qint64 startPos);
    // Searches again from the last match; backward when findPrevious.
    Result<bool> FindNext(bool findPrevious = false);

    qint64 FoundStart() const { return m_foundStart; }
    qint64 FoundLength() const { return m_foundLength; }

    TATStreamSearchProgress OnProgress;
    // Without settings, FindNext keeps the options of FindFirst.
    void setSettings(const StreamSearchSettings* settings) { m_settings = settings; }

private:
    class BlockReader;
    struct PreparedSearcher {
        QString text;
        TATEncoding encoding;
        TATStreamSearchOptions options;
        BlockSearcher searcher;
        bool unconvertible; // a code page without a decoder: blocks read as "?"
    };

    const PreparedSearcher& searcherFor(const QString& text, TATEncoding encoding,
                                        TATStreamSearchOptions options);

    Result<qint64> search(const QString& text, TATEncoding encoding, TATStreamSearchOptions options,
                          qint64 startPos);
    bool progress(qint64 currentPos, qint64 size);
    void forgetSearch();

    qint64 m_blockSize;
    std::unique_ptr<QIODevice> m_ownedStream;
    QIODevice* m_stream = nullptr;
    std::unique_ptr<BlockReader> m_reader;
    std::deque<PreparedSearcher> m_searchers;
    QString m_fileName;
    qint64 m_foundStart = -1;
    qint64 m_foundLength = 0;
    QString m_savedText;
    TATEncoding m_savedEncoding = vEncANSI;
    TATStreamSearchOptions m_savedOptions = 0;
    const StreamSearchSettings* m_settings = nullptr;
};
