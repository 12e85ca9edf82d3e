#pragma once

#include <QString>

// Texts of `nimbra --help`, `nimbra --version` and `nimbra VERB --help`.
namespace commandhelp {

// "nimbra (Nimbra-Doviruzu) 4.0", from the CMake project version.
QString versionText();

// The overview of every verb and the general options.
QString overview();

// The short list of verbs printed after a wrong call.
QString shortUsage();

// The "Aufruf: ..." line of a verb, printed after a wrong call of that verb; empty for an
// unknown verb.
QString usageLine(const QString& verb);

// Usage line, description, options and exit status of a verb; empty for an unknown verb.
QString verbHelp(const QString& verb);

// True for "--help" and "-h".
bool isHelpOption(const QString& argument);

} // namespace commandhelp
