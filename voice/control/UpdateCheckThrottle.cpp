#include "UpdateCheckThrottle.h"

#include "StampedRecord.h"

#include <cinttypes>
#include <cstdio>

namespace {

constexpr uint64_t kCheckInterval = 1800;
constexpr uint64_t kLatestAcceptedDelay = 3600;
constexpr size_t kShortestLibraryName = 2;

// Leading decimal digits of `text` as a number; 0 when there are none, the
// largest value when they overflow.
uint64_t LeadingDecimal(std::string_view text)
{
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        if (value > (UINT64_MAX - 9) / 10)
            return UINT64_MAX;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value;
}

} // namespace

bool IsUpdateCheckDue(const std::optional<std::string_view>& stored, uint32_t now)
{
    if (!stored)
        return true;
    const std::string_view value = stored->substr(0, kUpdateCheckValueMaximum);
    const StampedRecord record = DecodeStampedRecord(value.data(), value.size());
    if (record.storedCrc != record.computedCrc)
        return true;
    const uint64_t nextCheck = LeadingDecimal(record.text);
    return nextCheck < now || nextCheck > now + kLatestAcceptedDelay;
}

std::string NextUpdateCheckRecord(uint32_t now)
{
    char text[24];
    std::snprintf(text, sizeof text, "%" PRIu64, uint64_t{now} + kCheckInterval);
    return EncodeStampedRecordUntil(text, now);
}

std::optional<LibraryFolderEntry> MakeLibraryFolderEntry(std::string_view libraryPath)
{
    const size_t slash = libraryPath.rfind('\\');
    if (slash == std::string_view::npos)
        return std::nullopt;
    const std::string_view name = libraryPath.substr(slash + 1);
    if (name.size() < kShortestLibraryName)
        return std::nullopt;
    return LibraryFolderEntry{std::string(name), std::string(libraryPath.substr(0, slash + 1))};
}
