#pragma once

#include "store/Database.h"

#include <QString>
#include <QTextStream>

#include <optional>

// The database a verb names, below the base folder. Nothing, after saying
// why, when the name cannot name a database, the base folder lies on no mapped drive or the
// database does not exist.
std::optional<Database> findDatabase(const QString& nativeBase, const QString& name,
                                     QTextStream& err);
