// Feeds arbitrary text to the update list parser and to the hand-over form,
// and checks what is accepted keeps to the list's field widths.
#include "UpdateListText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckEntry(const UpdateEntry& entry)
{
    for (size_t i = 0; i < UpdateEntry::kFieldCount; ++i)
        Check(entry.fields[i].size() <= UpdateEntry::kWidths[i]);
    Check(entry.Location() >= '1' && entry.Location() <= '3');
    Check(entry.Kind() >= '1' && entry.Kind() <= '6');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const UpdateListParse parsed = UpdateListText::Parse(text);
    for (const UpdateEntry& entry : parsed.entries)
        CheckEntry(entry);
    const std::vector<UpdateEntry> back = UpdateListText::ParseHandOver(UpdateListText::FormatHandOver(parsed.entries));
    Check(back.size() == parsed.entries.size());
    for (size_t i = 0; i < back.size(); ++i)
        Check(back[i].fields == parsed.entries[i].fields);
    UpdateListText::ParseHandOver(text);
    return 0;
}
