#pragma once

#include <string_view>

// Rules for the names of files and folders in a drive list.
namespace fileNames {

// A name can stand in a list line: valid UTF-8 (no overlong forms, surrogates or code
// points above U+10FFFF) without CR, LF, double quote or backslash, which would split the
// line, start a name entry or break the program path.
bool isListable(std::string_view name);

// The order an NTFS folder yields its names in: UTF-16 units after upper-casing, ties by
// the bytes of the name. Both names must be listable.
bool listsBefore(std::string_view a, std::string_view b);

} // namespace fileNames
