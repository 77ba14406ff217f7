// The text form of the update list: lines of up to nine ";"-separated fields.
// The same form, with the install and download directories added as two more
// fields, carries a built list from the engine to the program that installs it.
#pragma once

#include "UpdateEntry.h"

#include <string>
#include <string_view>
#include <vector>

struct UpdateListParse
{
    std::vector<UpdateEntry> entries;
    size_t rejectedLines = 0; // bad location or kind, a field too wide, too many fields
};

class UpdateListText
{
public:
    // Lines end at a carriage return or a line feed; a line that does not
    // begin with a letter or digit is ignored.
    static UpdateListParse Parse(std::string_view text);
    // One line, or false when it is rejected.
    static bool ParseLine(std::string_view line, UpdateEntry& entry);

    // The hand-over form of entries and back.
    static std::string FormatHandOver(const std::vector<UpdateEntry>& entries);
    static std::vector<UpdateEntry> ParseHandOver(std::string_view text);

private:
    static std::vector<std::string_view> SplitLines(std::string_view text);
    static std::vector<std::string_view> SplitFields(std::string_view line);
    static bool IsValid(const UpdateEntry& entry);
};
