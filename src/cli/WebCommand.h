#pragma once

#include "results/BrowserLauncher.h"

#include <QStringList>
#include <QTextStream>

// `nimbra web [TOPIC [N TEXT]] [--open]`: the website list of the search window. Without
// arguments the topics, one a line; with a topic its sites as "N<TAB>kind<TAB>address"
// (kind ">" appends the search text, "+" opens the page only); with a site number and a
// text the address the search would open, and with --open it opens it in the chosen
// browser.
int runWebCommand(const QString& nativeBase, const QStringList& args, QTextStream& out,
                  QTextStream& err);
// The same with the launcher the browser start goes through.
int runWebCommand(const QString& nativeBase, const QStringList& args, QTextStream& out,
                  QTextStream& err, BrowserLauncher& launcher);
