#pragma once

#include <QStringList>
#include <QTextStream>

// The `nimbra` command line: `nimbra [--base DIR] VERB ARGS...`. Returns the exit status.
int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);
