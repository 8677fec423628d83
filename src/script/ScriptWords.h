#pragma once

#include <string>
#include <string_view>

namespace gw {

// The word tables of the script language. All comparisons are exact and case-sensitive.

// Longest name the compiler stores or compares; longer names are cut to this length.
inline constexpr std::size_t MaxNameLength = 20;

// A name as the compiler stores it: its first MaxNameLength characters.
std::string CutName(std::string_view name);

// One of the 24 reserved words (END, METHOD, ..., INFO).
bool IsReservedWord(std::string_view word);

// One of the modifiers NATL, NORM, BGD, NODATA, IGNORE.
bool IsModifier(std::string_view word);

// The fixed argument count of a command word; -1 for a word that is not a command.
int CommandArgumentCount(std::string_view word);

inline bool IsCommandWord(std::string_view word) {
    return CommandArgumentCount(word) >= 0;
}

} // namespace gw
