#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nevalon::system {

// The most parameters a program receives: its argument vector holds the name, these and a null entry.
inline constexpr size_t kMaxParameters = 510;

// Splits UTF-8 parameters at blanks (space, tab, line feed); a token that starts with a double quote runs
// to the next one (or to the end of its line) and loses both quotes. Every token found is returned, even
// beyond kMaxParameters.
std::vector<std::string> SplitParameters(std::string_view parameters);

} // namespace nevalon::system
