#include "search/TitlePositionList.h"

#include "platform/FileFacts.h"
#include "store/Utf8.h"

#include <QFile>

#include <algorithm>
#include <charconv>
#include <set>

namespace {

template <typename Visit> void forEachLine(QByteArrayView bytes, Visit visit)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        visit(bytes.sliced(start, end - start));
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

qint64 lineOffset(QByteArrayView line)
{
    const qsizetype blank = line.indexOf(' ');
    if (blank < 0)
        return 0;
    const char* const first = line.data();
    const char* const last = first + blank;
    qint64 offset = 0;
    const auto [end, error] = std::from_chars(first, last, offset);
    return error == std::errc() && end == last ? offset : 0;
}

// The bytes after the line's first " #"; empty when it has none.
QByteArrayView linePath(QByteArrayView line)
{
    const qsizetype marker = line.indexOf(QByteArrayView(" #"));
    return marker < 0 ? QByteArrayView() : line.sliced(marker + 2);
}

} // namespace

TitlePositionList TitlePositionList::read(const QString& programPath, Family family)
{
    const QString native = platform::nativePath(programPath);
    QFile file(native);
    if (native.isEmpty() || !file.open(QIODevice::ReadOnly))
        return TitlePositionList();
    return parse(file.readAll(), family);
}

TitlePositionList TitlePositionList::parse(QByteArrayView bytes, Family family)
{
    TitlePositionList list;
    list.m_bytes = bytes.toByteArray();
    list.m_family = family;
    const QByteArrayView held(list.m_bytes);
    std::vector<qint64> offsets;
    forEachLine(held, [&](QByteArrayView line) {
        offsets.push_back(lineOffset(line));
        list.m_largestOffset = std::max(list.m_largestOffset, offsets.back());
        const QByteArrayView path = linePath(line);
        list.m_paths.push_back(path.isEmpty() ? PathBytes{}
                                              : PathBytes{path.data() - held.data(), path.size()});
    });
    list.buildRuns(offsets);
    return list;
}

// Line i claims the offsets from its own up to its successor's, which starts the next file
// (its title line); the last line claims every offset from its own on, and a line whose
// successor starts at or before it claims none. A lookup gives the first line with a path that
// claims the offset. A sweep over the ends of the claims cuts the offsets into runs with one answer
// each, so that a lookup is one binary search however the offsets are ordered.
void TitlePositionList::buildRuns(const std::vector<qint64>& offsets)
{
    struct Edge {
        qint64 at;
        qsizetype line;
        bool opens;
    };
    std::vector<Edge> edges;
    const qsizetype count = size();
    for (qsizetype i = 0; i < count; ++i) {
        const bool last = i + 1 == count;
        if (m_paths[i].length == 0 || (!last && offsets[i + 1] <= offsets[i]))
            continue;
        edges.push_back({offsets[i], i, true});
        if (!last)
            edges.push_back({offsets[i + 1], i, false});
    }
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.at < b.at; });
    std::set<qsizetype> claiming;
    for (std::size_t k = 0; k < edges.size();) {
        const qint64 at = edges[k].at;
        for (; k < edges.size() && edges[k].at == at; ++k) {
            if (edges[k].opens)
                claiming.insert(edges[k].line);
            else
                claiming.erase(edges[k].line);
        }
        const qsizetype line = claiming.empty() ? -1 : *claiming.begin();
        if (m_runs.empty() || m_runs.back().line != line)
            m_runs.push_back({at, line});
    }
}

QString TitlePositionList::pathAt(qint64 offset) const
{
    const auto after =
        std::upper_bound(m_runs.begin(), m_runs.end(), offset,
                         [](qint64 value, const Run& run) { return value < run.start; });
    if (after == m_runs.begin())
        return QString();
    const qsizetype line = std::prev(after)->line;
    if (line < 0)
        return QString();
    const PathBytes& bytes = m_paths[std::size_t(line)];
    const QString path = utf8::decode(QByteArrayView(m_bytes).sliced(bytes.start, bytes.length));
    return m_family == Family::Utf8 ? utf8::bytesAsCharsToText(path) : path;
}
