#pragma once

#include "common/Result.h"

#include <QString>
#include <QStringList>

#include <array>

// The extension field of the new-database dialog turned into five slots and patterns.
namespace extensions {

inline constexpr int kSlots = 5;
using Slots = std::array<QString, kSlots>;

// Splits the field at every "*" and "." (blanks and semicolons do not separate); the
// first five words become ".word" in lower case, the rest of the slots ".". So
// "*.TXT *.csv" gives ".txt", ".csv" and "txt csv" the one slot ".txt csv".
Slots parseField(const QString& field);

// "*" + slot, or empty for a slot of just ".".
QString patternOf(const QString& slot);
QStringList patternsOf(const Slots& slotTexts);

// The remembered patterns: the built-in "*.csv" and "*.txt" plus those of the file.
QStringList rememberedPatterns(const QString& choicesFile);
// Adds the slots' patterns that are new, longer than "." and free of line breaks; writes the sorted
// list to the file when anything was added. The updated list, or the write error.
Result<QStringList> rememberPatterns(const QStringList& remembered, const Slots& slotTexts,
                                     const QString& choicesFile);

} // namespace extensions
