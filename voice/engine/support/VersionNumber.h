// Module versions as four 16-bit numbers (major, minor, third, fourth).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

struct VersionNumber
{
    static constexpr uint16_t kMissing = 0xFFFF;
    std::array<uint16_t, 4> parts = {kMissing, kMissing, kMissing, kMissing};
};

// Reads up to four decimal numbers separated by "."; reading stops at the
// first part that is not a number from 0 to 65535, and the parts not read
// keep 0xFFFF.
VersionNumber ParseVersionText(std::string_view text);

// True when `a` is older than `b`. Only the major, the minor and the fourth
// number are compared, in that order; the third number is ignored.
bool CompareVersions(const VersionNumber& a, const VersionNumber& b);
