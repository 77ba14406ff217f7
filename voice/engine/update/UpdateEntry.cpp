#include "UpdateEntry.h"

char UpdateEntry::Flag(size_t index) const
{
    const std::string& flags = fields[kFlags];
    return index < flags.size() ? flags[index] : '0';
}
