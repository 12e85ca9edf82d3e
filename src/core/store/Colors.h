#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// A colour as the settings store keeps it: 0x00BBGGRR, or a system colour
// (0xFF000000 | index) that the windows resolve to the desktop's palette.
using TColor = quint32;

namespace colors {

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clSystemColor = 0xFF000000;
inline constexpr TColor clHighlight = clSystemColor | 13;

// "clBlack", "clWhite", ... for a colour of the name table, else "$" and eight hex digits.
QString ColorToString(TColor color);
// A name of the table (any letter case), "$" with hex digits, or a decimal number.
std::optional<TColor> StringToColor(const QString& text);

bool isSystemColor(TColor color);

// The background of a selected list entry on an RGB window colour: each of red, green and
// blue times percent / 100. A dark colour, which that leaves dark (black stays black), is
// brightened instead, a quarter of the way to white, so the selection always shows.
TColor selectionBackground(TColor window, int percent);
// The text colour on a background: `preferred` where it stands out, else black or white.
TColor readableTextOn(TColor background, TColor preferred);

} // namespace colors
