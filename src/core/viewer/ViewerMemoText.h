#pragma once

#include "store/Family.h"

#include <QString>

// A line the viewer drew, as the search window's memo shows it for the family of the
// document shown. ANSI and UTF-8 documents are drawn one character per byte; their bytes
// are read as UTF-8 where they form a sequence (of up to three bytes for ANSI, four for
// UTF-8), every other byte as its Windows-1252 character. In UTF-8 text the characters
// U+0C00 and U+0C4D become spaces. Unicode lines stay as they are.
QString viewerMemoText(const QString& line, Family family);
