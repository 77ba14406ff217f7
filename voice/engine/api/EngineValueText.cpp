#include "EngineValueText.h"

#include <cctype>
#include <limits>

int32_t EngineValueText::ParseFlag(std::string_view text)
{
    static constexpr std::string_view kTrue = "true";
    if (text.size() != kTrue.size())
        return 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != kTrue[i])
            return 0;
    }
    return 1;
}

const char* EngineValueText::FormatFlag(int32_t flag)
{
    return flag ? "true" : "false";
}

int32_t EngineValueText::ParseNumber(std::string_view text)
{
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        if (magnitude <= kLimit)
            magnitude = magnitude * 10 + (text[at] - '0');
    }
    if (negative)
        return magnitude >= kLimit ? std::numeric_limits<int32_t>::min()
                                   : static_cast<int32_t>(-magnitude);
    return magnitude >= kLimit ? std::numeric_limits<int32_t>::max()
                               : static_cast<int32_t>(magnitude);
}

std::string EngineValueText::StripControl(std::string_view text)
{
    std::string clean;
    clean.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F)
            clean.push_back(c);
    }
    return clean;
}

bool EngineValueText::HasControl(std::string_view text)
{
    return StripControl(text).size() != text.size();
}
