#pragma once

#include <QStringList>
#include <QTextStream>

// `nimbra index NAME FOLDER PATTERNS [--update] [--new-list] [--without-documents]`:
// creates or re-indexes a database as the main window does.
int runIndexCommand(const QString& nativeBase, const QStringList& args, QTextStream& out,
                    QTextStream& err);
