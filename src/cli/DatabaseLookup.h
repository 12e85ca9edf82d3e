#pragma once

#include "store/DatabasePaths.h"

#include <QString>
#include <QTextStream>

#include <optional>

// The paths below the base folder for a verb that names a database. Nothing, after saying
// why, when the name cannot name a database, the base folder lies on no mapped drive or the
// database does not exist.
std::optional<DatabasePaths> findDatabase(const QString& nativeBase, const QString& name,
                                          QTextStream& err);
