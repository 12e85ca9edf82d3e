#pragma once

#include "common/Result.h"

#include <QString>
#include <QStringList>

#include <functional>

// The program's small line files (remembered patterns, exclusion list, log, descriptor):
// UTF-8 without byte-order mark, every line ended by CR LF.
namespace textlines {

// The lines of a file; a missing file gives none. Text that is not valid UTF-8 is read
// as Windows-1252, as a hand-edited list may be.
QStringList read(const QString& programPath);

// What a first pass over a file tells: how it is encoded and how many lines it has.
struct Scan {
    bool utf8 = true;
    qsizetype lines = 0;
};
Scan scan(const QString& programPath);
// The lines read() gives, one at a time, without holding the file: it is read in blocks.
// `visit` returns false to stop early.
void forEach(const QString& programPath, const Scan& scanned,
             const std::function<bool(const QString& line)>& visit);
// Each line followed by CR LF, written safely.
Status write(const QString& programPath, const QStringList& lines);

} // namespace textlines
