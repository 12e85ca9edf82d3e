#pragma once

#include <QString>

#include <array>

// The three document families of a database, one per encoding class.
enum class Family { Ansi, Utf8, Unicode };

inline constexpr std::array<Family, 3> kFamilies = {Family::Ansi, Family::Utf8, Family::Unicode};

// The family as documents spell it: "Ansi", "UTF8", "Unicode".
inline QString documentFamilyName(Family family)
{
    static const char* const kNames[] = {"Ansi", "UTF8", "Unicode"};
    return QLatin1String(kNames[int(family)]);
}

// The family as every other per-family file spells it: "Ansi", "Utf8", "Unicode".
inline QString familyName(Family family)
{
    static const char* const kNames[] = {"Ansi", "Utf8", "Unicode"};
    return QLatin1String(kNames[int(family)]);
}
