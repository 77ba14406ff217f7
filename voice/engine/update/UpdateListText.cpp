#include "UpdateListText.h"

#include <cctype>

namespace {

constexpr size_t kHandOverFields = UpdateEntry::kFieldCount + 2;

bool StartsWithLetterOrDigit(std::string_view line)
{
    return !line.empty() && std::isalnum(static_cast<unsigned char>(line.front())) != 0;
}

} // namespace

UpdateListParse UpdateListText::Parse(std::string_view text)
{
    UpdateListParse result;
    for (std::string_view line : SplitLines(text)) {
        if (!StartsWithLetterOrDigit(line))
            continue;
        UpdateEntry entry;
        if (ParseLine(line, entry))
            result.entries.push_back(std::move(entry));
        else
            ++result.rejectedLines;
    }
    return result;
}

bool UpdateListText::ParseLine(std::string_view line, UpdateEntry& entry)
{
    entry = UpdateEntry();
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() > UpdateEntry::kFieldCount)
        return false;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].size() > UpdateEntry::kWidths[i])
            return false;
        entry.fields[i] = std::string(fields[i]);
    }
    return IsValid(entry);
}

std::string UpdateListText::FormatHandOver(const std::vector<UpdateEntry>& entries)
{
    std::string text;
    for (const UpdateEntry& entry : entries) {
        for (const std::string& field : entry.fields)
            text += field + ";";
        text += entry.installDirectory + ";" + entry.downloadDirectory + "\r\n";
    }
    return text;
}

std::vector<UpdateEntry> UpdateListText::ParseHandOver(std::string_view text)
{
    std::vector<UpdateEntry> entries;
    for (std::string_view line : SplitLines(text)) {
        const std::vector<std::string_view> fields = SplitFields(line);
        if (fields.size() != kHandOverFields)
            continue;
        UpdateEntry entry;
        for (size_t i = 0; i < UpdateEntry::kFieldCount; ++i)
            entry.fields[i] = std::string(fields[i]);
        entry.installDirectory = std::string(fields[UpdateEntry::kFieldCount]);
        entry.downloadDirectory = std::string(fields[UpdateEntry::kFieldCount + 1]);
        if (IsValid(entry))
            entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<std::string_view> UpdateListText::SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        const size_t stop = end == std::string_view::npos ? text.size() : end;
        if (stop > start)
            lines.push_back(text.substr(start, stop - start));
        start = stop + 1;
    }
    return lines;
}

std::vector<std::string_view> UpdateListText::SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t end = line.find(';', start);
        if (end == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

bool UpdateListText::IsValid(const UpdateEntry& entry)
{
    const char location = entry.Location();
    const char kind = entry.Kind();
    return location >= '1' && location <= '3' && kind >= '1' && kind <= '6';
}
