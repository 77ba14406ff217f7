// Decisions of the update-check throttle run by the first control of a
// process: whether the time stored in the registry makes a check due, and
// the record that postpones the next one. The clock is passed in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Registry value that holds the time of the next due check.
constexpr const char* kUpdateCheckValueName = "snnaut";
// Longest stored record that is read back, in bytes.
constexpr size_t kUpdateCheckValueMaximum = 50;

// `stored` is the registry value, or nothing when the key or value is
// missing. A check is due unless the value decodes with a matching CRC to a
// time no earlier than `now` and no later than an hour after it.
bool IsUpdateCheckDue(const std::optional<std::string_view>& stored, uint32_t now);

// The value to store after a check has started: the next check half an hour
// after `now`, as a stamped record.
std::string NextUpdateCheckRecord(uint32_t now);

struct LibraryFolderEntry
{
    std::string valueName; // the library's file name
    std::string folder;    // its path up to and including the last '\'
};

// The entry that records where the control library lives, or nothing when
// the path has no '\' or the file name after it is shorter than two
// characters.
std::optional<LibraryFolderEntry> MakeLibraryFolderEntry(std::string_view libraryPath);
