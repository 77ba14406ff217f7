// The engine's error log: one text per category, entries separated by "|",
// newest first, at most five entries.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

constexpr size_t kErrorLogMaxEntries = 5;

// Registry value name of a category: 0-8 are "AUD", "IOS", "INS", "DWN", "SUP",
// "SDN", "ATH", "PRO", "MIS"; any higher category is "MIS".
const char* ErrorLogCategoryName(unsigned category);

// The log after `entry` was added in front of `log`: the new entry, then at
// most the first four entries of `log` (the old text is cut at its fourth "|").
std::string PrependErrorLogEntry(std::string_view entry, std::string_view log);
