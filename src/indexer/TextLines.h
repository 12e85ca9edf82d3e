#pragma once

#include "common/Result.h"

#include <QString>
#include <QStringList>

// The program's small line files (remembered patterns, exclusion list, log, descriptor):
// UTF-8 without byte-order mark, every line ended by CR LF.
namespace textlines {

// The lines of a file; a missing file gives none. Text that is not valid UTF-8 is read
// as Windows-1252, as a hand-edited list may be.
QStringList read(const QString& programPath);
// Each line followed by CR LF, written safely.
Status write(const QString& programPath, const QStringList& lines);

} // namespace textlines
