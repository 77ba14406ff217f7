#include "ErrorLog.h"

namespace {

constexpr const char* kCategoryNames[] = {"AUD", "IOS", "INS", "DWN", "SUP",
                                          "SDN", "ATH", "PRO", "MIS"};
constexpr unsigned kCategoryCount = sizeof(kCategoryNames) / sizeof(kCategoryNames[0]);
constexpr char kSeparator = '|';

std::string_view KeptEntries(std::string_view log)
{
    size_t separators = 0;
    for (size_t i = 0; i < log.size(); ++i) {
        if (log[i] == kSeparator && ++separators == kErrorLogMaxEntries - 1)
            return log.substr(0, i);
    }
    return log;
}

} // namespace

const char* ErrorLogCategoryName(unsigned category)
{
    return kCategoryNames[category < kCategoryCount ? category : kCategoryCount - 1];
}

std::string PrependErrorLogEntry(std::string_view entry, std::string_view log)
{
    std::string result(entry);
    const std::string_view kept = KeptEntries(log);
    if (!kept.empty()) {
        result += kSeparator;
        result += kept;
    }
    return result;
}
