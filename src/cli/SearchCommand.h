#pragma once

#include <QStringList>
#include <QTextStream>

// `nimbra search NAME TEXT [--case-sensitive] [--whole-words]`: searches a database as the
// search window's "Lokale Suche" does after a "Ja" and prints one line per hit entry,
// "path<TAB>snippet".
int runSearchCommand(const QString& nativeBase, const QStringList& args, QTextStream& out,
                     QTextStream& err);
