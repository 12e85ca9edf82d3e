#pragma once

#include <QStringList>
#include <QTextStream>

// `nimbra count NAME TEXT`: the hit count of a database, printed as the lines of the count
// dialog's message.
int runCountCommand(const QString& nativeBase, const QStringList& args, QTextStream& out,
                    QTextStream& err);
