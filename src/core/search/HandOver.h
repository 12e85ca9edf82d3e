#pragma once

#include <QString>

#include <optional>

// The search text a sibling program hands over in Datenbank\Suchtext.txt of the control
// folder.
namespace handover {

// The hand-over file of a control folder (a program path, with or without its final
// backslash); empty when no control folder is in use.
QString file(const QString& controlFolder);

// The handed-over text: the file's lines (UTF-8, else Windows-1252) joined by blanks and
// trimmed, as a one-line search field takes them. Nothing when the file does not exist.
std::optional<QString> read(const QString& handOverFile);

// Reads the text, then deletes the file: a handed-over text is used once.
std::optional<QString> take(const QString& handOverFile);

} // namespace handover
