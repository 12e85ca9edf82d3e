#include "lists/SortedListBuilder.h"

#include "lists/DocumentPieces.h"
#include "lists/SectionSorter.h"
#include "platform/FileFacts.h"
#include "platform/FileWriter.h"
#include "store/ByteSize.h"
#include "store/TextWriter.h"
#include "store/Windows1252.h"

#include <algorithm>
#include <future>
#include <optional>
#include <utility>

using sortlist::SortMode;

namespace {

constexpr qsizetype kWriteBuffer = 1 << 20;

// The list file, written to a temporary file that replaces the old list only when whole.
class ListWriter {
public:
    ListWriter(QString programPath, Family family)
        : m_path(std::move(programPath)), m_family(family), m_file(platform::nativePath(m_path))
    {
    }

    Status open()
    {
        if (Status opened = m_file.open(); !opened) {
            m_cause = opened.error();
            return failure();
        }
        if (m_family == Family::Unicode)
            m_buffer.append("\xFF\xFE", 2);
        return {};
    }

    bool append(QStringView entry)
    {
        switch (m_family) {
        case Family::Ansi: m_buffer.append(cp1252::encode(entry)); break;
        case Family::Utf8: m_buffer.append(entry.toUtf8()); break;
        case Family::Unicode: appendUtf16LE(m_buffer, entry); break;
        }
        m_buffer.append(m_family == Family::Unicode ? QByteArrayView("\r\0\n\0", 4)
                                                    : QByteArrayView("\r\n", 2));
        return m_buffer.size() < kWriteBuffer || flush();
    }

    // Forcing the list to disk can take a moment: the task is asked meanwhile, and a cancel
    // then applies to the lists still to come.
    Status commit(TaskProgress& task)
    {
        if (!flush())
            return failure();
        std::future<Status> done = std::async(std::launch::async, [this] {
            return m_file.commit(platform::FileWriter::Durability::Forced);
        });
        if (Status committed = awaitAsking(task, done); !committed) {
            m_cause = committed.error();
            return failure();
        }
        return {};
    }

    Status failure() const
    {
        return Status::failure(
            QStringLiteral("Die sortierte Liste %1 konnte nicht geschrieben werden: %2 Die "
                           "bisherige Liste bleibt unverändert.")
                .arg(m_path, m_cause));
    }

private:
    bool flush()
    {
        Status written = m_file.write(m_buffer);
        m_buffer.clear();
        if (!written)
            m_cause = written.error();
        return written.ok();
    }

    QString m_path;
    Family m_family;
    platform::FileWriter m_file;
    QByteArray m_buffer;
    QString m_cause;
};

// The entries in list order into the writer. Of the UTF8 list only: a single header line
// gets a line holding one blank beside it, in collation order.
class ListSink {
public:
    ListSink(ListWriter& writer, Family family, const QCollator& collator)
        : m_writer(writer), m_family(family), m_collator(collator)
    {
    }

    bool operator()(int section, QStringView entry)
    {
        if (section != sortlist::kHeaderSection || m_family != Family::Utf8)
            return m_writer.append(entry);
        ++m_headers;
        if (m_headers == 1) {
            m_firstHeader = entry.toString();
            return true;
        }
        return (m_headers > 2 || m_writer.append(m_firstHeader)) && m_writer.append(entry);
    }

    bool close()
    {
        if (m_headers != 1)
            return true;
        const QString blank = QStringLiteral(" ");
        const int order = m_collator.compare(blank, m_firstHeader);
        if (order < 0)
            return m_writer.append(blank) && m_writer.append(m_firstHeader);
        return m_writer.append(m_firstHeader) && (order == 0 || m_writer.append(blank));
    }

private:
    ListWriter& m_writer;
    Family m_family;
    const QCollator& m_collator;
    int m_headers = 0;
    QString m_firstHeader;
};

} // namespace

QCollator sortedListCollator()
{
    QCollator collator(numberLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

SortedListBuilder::SortedListBuilder(const DatabasePaths& paths, const QCollator& collator,
                                     TaskProgress& task, TaskPacer& pacer, Limits limits)
    : m_paths(paths), m_collator(collator), m_task(task), m_pacer(pacer), m_limits(limits)
{
}

QString SortedListBuilder::fileCaption(Family family, qint64 counter, const QString& total,
                                       const QString& path)
{
    static const char* const kWords[] = {"ANSI ", "UTF8 ", "Unicode "};
    return QLatin1String(kWords[int(family)]) + QString::number(counter) + QStringLiteral(" von ") +
           total + u' ' + path;
}

Result<qint64> SortedListBuilder::countHeaderLines(const QString& document, Family family)
{
    DocumentPieces pieces(document, family, m_limits.pieceSize);
    if (Status opened = pieces.open(); !opened)
        return Result<qint64>::failure(opened.error());
    qint64 count = 0;
    QString text;
    while (!pieces.atEnd() && !m_pacer.cancelled()) {
        if (Status read = pieces.next(text); !read)
            return Result<qint64>::failure(read.error());
        forEachLine(text, [&](QStringView line) {
            if (!m_pacer.poll() && sortlist::isHeaderLine(line))
                ++count;
        });
        m_task.progress(10, count);
    }
    return count;
}

Result<SortedListBuilder::Outcome> SortedListBuilder::build(const Database& database, Family family,
                                                            SortMode mode)
{
    using R = Result<Outcome>;
    const QString document = database.document(family);
    const Result<qint64> total = countHeaderLines(document, family);
    if (!total)
        return R::failure(total.error());
    if (m_pacer.cancelled())
        return Outcome::Cancelled;
    const QString totalText = numberLocale().toString(*total);

    qint64 processed = 0;
    QString caption;
    m_pacer.setOnTick([&] {
        if (!caption.isEmpty())
            m_task.caption(caption);
        if (processed > 10 && processed < *total)
            m_task.progress(processed, *total);
    });
    SectionSorter sorter(m_collator, m_paths.tempFolder(), m_limits.runBudget, m_pacer);
    sortlist::LineSplitter splitter(mode);
    Status added; // the first failure to keep an entry (a run that cannot be written)
    const auto add = [&](int section, QStringView entry) {
        if (added)
            added = sorter.add(section, entry);
    };
    DocumentPieces pieces(document, family, m_limits.pieceSize);
    if (Status opened = pieces.open(); !opened)
        return R::failure(opened.error());
    QString text;
    bool afterTitle = false; // the line before was a title line
    while (!pieces.atEnd() && added && !m_pacer.cancelled()) {
        if (Status read = pieces.next(text); !read)
            return R::failure(read.error());
        forEachLine(text, [&](QStringView rawLine) {
            if (!added || m_pacer.poll())
                return;
            const QStringView line = trimmedBlanksAndControls(rawLine);
            const bool mayBeRule = std::exchange(afterTitle, false);
            if (line.isEmpty() || line.contains(u"=========="))
                return;
            // The rule under a title line is as long as the path less ten: a short path's
            // rule has fewer than ten "=".
            if (mayBeRule &&
                std::all_of(line.begin(), line.end(), [](QChar c) { return c == u'='; }))
                return;
            if (!sortlist::isHeaderLine(line)) {
                splitter.split(line, add);
                return;
            }
            afterTitle = true;
            const QString path = line.sliced(1).toString();
            if (!platform::exists(path))
                return;
            add(sortlist::kHeaderSection, line);
            ++processed;
            caption = fileCaption(family, processed, totalText, path);
        });
    }
    m_pacer.setOnTick({});
    if (!added)
        return R::failure(added.error());
    if (m_pacer.cancelled())
        return Outcome::Cancelled;
    if (!platform::exists(document))
        return R::failure(QStringLiteral("Das Dokument %1 ist während des Sortierens entfernt "
                                         "worden; die sortierte Liste wurde nicht geschrieben.")
                              .arg(document));

    ListWriter writer(database.phraseList(family), family);
    if (Status opened = writer.open(); !opened)
        return R::failure(opened.error());
    ListSink sink(writer, family, m_collator);
    const Status sorted =
        sorter.finish([&sink](int section, QStringView entry) { return sink(section, entry); });
    sorter.removeRuns();
    if (!sorted)
        return R::failure(sorted.error().isEmpty() ? writer.failure().error() : sorted.error());
    if (m_pacer.cancelled())
        return Outcome::Cancelled;
    if (!sink.close())
        return R::failure(writer.failure().error());
    if (Status committed = writer.commit(m_task); !committed)
        return R::failure(committed.error());
    return Outcome::Written;
}
