#include "lists/SectionSorter.h"

#include "lists/BlockWriter.h"
#include "platform/FileFacts.h"

#include <QCoreApplication>
#include <QFile>
#include <QHashFunctions>

#include <algorithm>
#include <cstring>
#include <memory>
#include <queue>

namespace {

// Entries sorted in one go between two looks at the cancel request: a few milliseconds.
constexpr std::size_t kBlockSize = 8192;
// Runs merged at once; more are first merged into fewer, oldest first.
constexpr std::size_t kMaxFanIn = 32;
constexpr qsizetype kRunBuffer = 256 * 1024;
constexpr qsizetype kRecordHeader = 5; // section byte, 32-bit length in UTF-16 units
constexpr std::size_t kInitialTable = 1024;

Status runFailure(const QString& path, const QString& cause)
{
    return Status::failure(
        QStringLiteral("Die Zwischendatei %1 des Sortierens konnte nicht geschrieben werden: %2")
            .arg(path, cause));
}

// A run file: records of section, length and UTF-16 units, sorted, without duplicates.
class RunWriter {
public:
    explicit RunWriter(const QString& programPath)
        : m_path(programPath), m_file(platform::nativePath(programPath)),
          m_writer(m_file, kRunBuffer)
    {
    }
    Status open()
    {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return runFailure(m_path, failure());
        return {};
    }
    bool append(int section, QStringView text)
    {
        const auto length = std::uint32_t(text.size());
        QByteArray& buffer = m_writer.buffer();
        buffer.append(char(section));
        buffer.append(reinterpret_cast<const char*>(&length), sizeof length);
        buffer.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        return m_writer.flushWhenFull();
    }
    Status close()
    {
        if (!m_writer.flush())
            return runFailure(m_path, failure());
        m_file.close();
        return {};
    }
    QString failure() const { return m_writer.failureCause(); }

private:
    QString m_path;
    QFile m_file;
    BlockWriter m_writer;
};

} // namespace

// One sorted stream of the merge.
class SectionSorter::Source {
public:
    virtual ~Source() = default;
    // Moves to the next entry; false at the end (or on a read error, see failed()).
    virtual bool next() = 0;
    virtual bool failed() const { return false; }
    int section = 0;
    QStringView text;
};

// A block of entries in memory, sorted by the indices given.
class SectionSorter::BlockSource : public Source {
public:
    BlockSource(const SectionSorter& sorter, const std::uint32_t* begin, const std::uint32_t* end)
        : m_sorter(sorter), m_at(begin), m_end(end)
    {
    }
    bool next() override
    {
        if (m_at == m_end)
            return false;
        const Entry& entry = m_sorter.m_entries[*m_at++];
        section = entry.section;
        text = m_sorter.textOf(entry);
        return true;
    }

private:
    const SectionSorter& m_sorter;
    const std::uint32_t* m_at;
    const std::uint32_t* m_end;
};

class SectionSorter::RunSource : public Source {
public:
    explicit RunSource(const QString& programPath) : m_file(platform::nativePath(programPath))
    {
        m_failed = !m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool next() override
    {
        if (m_failed || !fill(kRecordHeader))
            return false;
        std::uint32_t length = 0;
        std::memcpy(&length, m_buffer.constData() + m_at + 1, sizeof length);
        const qsizetype bytes = kRecordHeader + qsizetype(length) * 2;
        if (!fill(bytes)) {
            m_failed = true; // a record cut off: the run file was changed
            return false;
        }
        section = m_buffer[m_at];
        m_text.resize(length);
        std::memcpy(m_text.data(), m_buffer.constData() + m_at + kRecordHeader, length * 2);
        text = m_text;
        m_at += bytes;
        return true;
    }
    bool failed() const override { return m_failed; }

private:
    // At least `bytes` unread bytes in the buffer; false at the end of the file.
    bool fill(qsizetype bytes)
    {
        if (m_buffer.size() - m_at >= bytes)
            return true;
        m_buffer.remove(0, m_at);
        m_at = 0;
        const qsizetype wanted = std::max(bytes, kRunBuffer) - m_buffer.size();
        const qsizetype kept = m_buffer.size();
        m_buffer.resize(kept + wanted);
        const qint64 read = m_file.read(m_buffer.data() + kept, wanted);
        m_failed = m_failed || read < 0;
        m_buffer.resize(kept + std::max<qint64>(read, 0));
        return m_buffer.size() >= bytes;
    }

    QFile m_file;
    QByteArray m_buffer;
    qsizetype m_at = 0;
    QString m_text;
    bool m_failed = false;
};

SectionSorter::SectionSorter(const QCollator& collator, QString runFolder, qint64 memoryBudget,
                             TaskPacer& pacer)
    : m_collator(collator), m_runFolder(std::move(runFolder)), m_budget(memoryBudget),
      m_pacer(pacer)
{
    // Reserved, not touched: the memory grows with the entries, without copies on the way.
    m_units.reserve(std::size_t(m_budget / qint64(sizeof(char16_t))));
    m_entries.reserve(std::size_t(m_budget / qint64(sizeof(Entry))));
    m_table.assign(kInitialTable, 0);
}

SectionSorter::~SectionSorter()
{
    removeRuns();
}

void SectionSorter::removeRuns()
{
    for (const QString& run : m_runs)
        platform::removeFileQuietly(run);
    m_runs.clear();
}

QStringView SectionSorter::textOf(const Entry& entry) const
{
    return QStringView(m_units.data() + entry.offset, qsizetype(entry.length));
}

qint64 SectionSorter::memoryUsed() const
{
    // The sort needs one index per entry on top.
    return qint64(m_units.size() * sizeof(char16_t) +
                  m_entries.size() * (sizeof(Entry) + sizeof(std::uint32_t)) +
                  m_table.size() * sizeof(std::uint32_t));
}

bool SectionSorter::containsExactly(int section, QStringView entry, std::uint32_t hash)
{
    const std::size_t mask = m_table.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t held = m_table[slot];
        if (held == 0) {
            m_table[slot] = std::uint32_t(m_entries.size() + 1);
            return false;
        }
        const Entry& other = m_entries[held - 1];
        if (other.hash == hash && other.section == section && textOf(other) == entry)
            return true;
    }
}

void SectionSorter::growTable()
{
    std::vector<std::uint32_t> table(m_table.size() * 2, 0);
    const std::size_t mask = table.size() - 1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        std::size_t slot = m_entries[i].hash & mask;
        while (table[slot] != 0)
            slot = (slot + 1) & mask;
        table[slot] = std::uint32_t(i + 1);
    }
    m_table.swap(table);
}

Status SectionSorter::add(int section, QStringView entry)
{
    // The same form again (the usual case) costs a hash look-up, no compare.
    const auto hash = std::uint32_t(qHash(entry) ^ (std::size_t(section) * 0x9E3779B9u));
    if (containsExactly(section, entry, hash))
        return {};
    m_entries.push_back(
        {std::uint32_t(m_units.size()), std::uint32_t(entry.size()), hash, std::uint8_t(section)});
    m_units.insert(m_units.end(), entry.utf16(), entry.utf16() + entry.size());
    if (m_entries.size() * 2 > m_table.size())
        growTable();
    if (memoryUsed() > m_budget)
        return spill();
    return {};
}

std::vector<std::uint32_t>
SectionSorter::sortBlocks(std::vector<std::pair<std::size_t, std::size_t>>& blocks)
{
    std::vector<std::uint32_t> order(m_entries.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = std::uint32_t(i);
    // Equal entries keep insertion order, so the first of them is the first form met.
    const auto less = [this](std::uint32_t a, std::uint32_t b) {
        const Entry& x = m_entries[a];
        const Entry& y = m_entries[b];
        if (x.section != y.section)
            return x.section < y.section;
        const int order = m_collator.compare(textOf(x), textOf(y));
        return order != 0 ? order < 0 : a < b;
    };
    for (std::size_t begin = 0; begin < order.size(); begin += kBlockSize) {
        const std::size_t end = std::min(order.size(), begin + kBlockSize);
        std::sort(order.begin() + begin, order.begin() + end, less);
        blocks.emplace_back(begin, end);
        if (m_pacer.pollNow())
            return {};
    }
    return order;
}

// Temp is shared by every copy of the program: the process id in the name tells the others
// the run is live work, and tells a later start whose file a leftover was.
QString SectionSorter::nextRunPath()
{
    return m_runFolder + QStringLiteral("SortierLauf%1.%2.tmp")
                             .arg(++m_runNumber, 3, 10, QChar(u'0'))
                             .arg(QCoreApplication::applicationPid());
}

Status SectionSorter::spill()
{
    std::vector<std::pair<std::size_t, std::size_t>> blocks;
    const std::vector<std::uint32_t> order = sortBlocks(blocks);
    if (m_pacer.cancelled())
        return {};
    std::vector<BlockSource> blockSources;
    for (const auto& [begin, end] : blocks)
        blockSources.emplace_back(*this, order.data() + begin, order.data() + end);
    std::vector<Source*> sources;
    for (BlockSource& source : blockSources)
        sources.push_back(&source);

    const QString path = nextRunPath();
    m_runs.push_back(path);
    if (Status written = writeRun(sources, path); !written)
        return written;
    clearMemory();
    return {};
}

Status SectionSorter::writeRun(std::vector<Source*>& sources, const QString& path)
{
    RunWriter writer(path);
    if (Status opened = writer.open(); !opened)
        return opened;
    const Status merged = merge(
        sources, [&writer](int section, QStringView text) { return writer.append(section, text); });
    if (!merged)
        return merged.error().isEmpty() ? runFailure(path, writer.failure()) : merged;
    return writer.close();
}

void SectionSorter::clearMemory()
{
    m_units.clear();
    m_entries.clear();
    std::vector<std::uint32_t>(kInitialTable, 0).swap(m_table);
}

Status SectionSorter::merge(std::vector<Source*>& sources, const Sink& sink)
{
    // Sources are given oldest first: among equal entries the oldest source wins.
    const auto later = [this, &sources](std::size_t a, std::size_t b) {
        const Source& x = *sources[a];
        const Source& y = *sources[b];
        if (x.section != y.section)
            return x.section > y.section;
        const int order = m_collator.compare(x.text, y.text);
        return order != 0 ? order > 0 : a > b;
    };
    std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(later)> heads(later);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (sources[i]->next())
            heads.push(i);
    }
    QString last;
    int lastSection = 0;
    while (!heads.empty()) {
        if (m_pacer.poll())
            return {};
        const std::size_t top = heads.top();
        heads.pop();
        Source& source = *sources[top];
        if (source.section != lastSection || m_collator.compare(source.text, last) != 0) {
            if (!sink(source.section, source.text))
                return Status::failure(QString());
            lastSection = source.section;
            last.resize(source.text.size());
            std::copy(source.text.begin(), source.text.end(), last.begin());
        }
        if (source.next())
            heads.push(top);
    }
    for (const Source* source : sources) {
        if (source->failed())
            return Status::failure(
                QStringLiteral("Eine Zwischendatei des Sortierens konnte nicht gelesen werden."));
    }
    return {};
}

Status SectionSorter::mergeRunsDown()
{
    while (m_runs.size() > kMaxFanIn && !m_pacer.cancelled()) {
        std::vector<std::unique_ptr<RunSource>> readers;
        std::vector<Source*> sources;
        for (std::size_t i = 0; i < kMaxFanIn; ++i) {
            readers.push_back(std::make_unique<RunSource>(m_runs[i]));
            sources.push_back(readers.back().get());
        }
        const QString path = nextRunPath();
        // The merged run takes the place of the oldest ones it holds.
        m_runs.insert(m_runs.begin() + kMaxFanIn, path);
        if (Status written = writeRun(sources, path); !written)
            return written;
        readers.clear();
        for (std::size_t i = 0; i < kMaxFanIn; ++i)
            platform::removeFileQuietly(m_runs[i]);
        m_runs.erase(m_runs.begin(), m_runs.begin() + kMaxFanIn);
    }
    return {};
}

Status SectionSorter::finish(const Sink& sink)
{
    // The runs and the entries still in memory, which are newer than every run.
    if (Status merged = mergeRunsDown(); !merged || m_pacer.cancelled())
        return merged;
    std::vector<std::pair<std::size_t, std::size_t>> blocks;
    const std::vector<std::uint32_t> order = sortBlocks(blocks);
    if (m_pacer.cancelled())
        return {};
    std::vector<std::unique_ptr<Source>> owned;
    std::vector<Source*> sources;
    for (const QString& run : m_runs) {
        owned.push_back(std::make_unique<RunSource>(run));
        sources.push_back(owned.back().get());
    }
    for (const auto& [begin, end] : blocks) {
        owned.push_back(
            std::make_unique<BlockSource>(*this, order.data() + begin, order.data() + end));
        sources.push_back(owned.back().get());
    }
    return merge(sources, sink);
}
