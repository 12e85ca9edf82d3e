#pragma once

#include <QStringList>
#include <QTextStream>

// `nimbra files NAME TEXT`: the file-name search (TEXT is what follows the "#" in the
// search field), printing every line of the file list that holds the text.
int runFilesCommand(const QString& nativeBase, const QStringList& args, QTextStream& out,
                    QTextStream& err);
