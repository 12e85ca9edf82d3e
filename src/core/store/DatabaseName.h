#pragma once

#include <QChar>
#include <QString>

// What may name a database: its name becomes the stem of every file of the database in
// Datenbank, so it must stay a plain file name there.
namespace databasename {

// The characters a name may not hold: / \ * ? " < > | : ^ and control characters.
bool isForbidden(QChar c);
// Empty when the name can name a database; otherwise the German message that refuses it.
QString refusal(const QString& name);

} // namespace databasename
