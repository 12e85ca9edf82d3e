#pragma once

#include <QString>

#include <optional>

class TATBinHexCore;

// The viewer's selection as text for the clipboard and the search field, at most 16 MiB
// of it: from a UTF-8 document decoded as UTF-8, in the UTF-16 modes as UTF-16 in the
// file's byte order, else as hexadecimal bytes ("4B 61") or decoded from the text
// encoding. NUL characters become spaces. Nothing when the file cannot be read.
std::optional<QString> selectionText(TATBinHexCore& core, bool asHex, bool utf8Document);
