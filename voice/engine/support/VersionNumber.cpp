#include "VersionNumber.h"

#include <optional>

namespace {

constexpr size_t kComparedParts[] = {0, 1, 3};

// Reads one decimal number at the front of `text` and removes it.
std::optional<uint16_t> TakeNumber(std::string_view& text)
{
    uint32_t value = 0;
    size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        value = value * 10 + static_cast<uint32_t>(text[digits] - '0');
        if (value > 0xFFFF)
            return std::nullopt;
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    text.remove_prefix(digits);
    return static_cast<uint16_t>(value);
}

} // namespace

VersionNumber ParseVersionText(std::string_view text)
{
    VersionNumber version;
    for (size_t part = 0; part < version.parts.size(); ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.')
                break;
            text.remove_prefix(1);
        }
        const std::optional<uint16_t> number = TakeNumber(text);
        if (!number)
            break;
        version.parts[part] = *number;
    }
    return version;
}

bool CompareVersions(const VersionNumber& a, const VersionNumber& b)
{
    for (size_t part : kComparedParts) {
        if (a.parts[part] != b.parts[part])
            return a.parts[part] < b.parts[part];
    }
    return false;
}
