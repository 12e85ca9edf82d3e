#pragma once

#include "search/HitCounter.h"

#include <QString>

#include <functional>

// The file-name search: the text after "#" in the database's file list, its descriptor,
// found as the in-document search finds it there (the text's UTF-8 bytes, the UTF-8 case
// rule, overlapping occurrences). Every line of the list that holds an occurrence is
// handed over once, with the offset of its first occurrence and decoded from UTF-8.
using FileNameLineHandler = std::function<void(qint64 occurrence, const QString& line)>;

HitCounter::Outcome searchFileNames(const HitCounter& counter, const QString& descriptorPath,
                                    const QString& text, const FileNameLineHandler& onLine);
