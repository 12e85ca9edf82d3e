#pragma once

#include <QStringList>
#include <QTextStream>

// `nimbra sortlist NAME [--mode words|phrases|both]`: builds the sorted lists of a
// database as the button "Sortierte Listen erstellen" does; Ctrl+C cancels.
int runSortListCommand(const QString& nativeBase, const QStringList& args, QTextStream& out,
                       QTextStream& err);
