#include "EngineDialogText.h"

#include <cctype>

namespace EngineDialogText {

std::string CaptionWithHost(const std::string& caption, const std::string& hostName)
{
    return hostName.empty() ? caption : caption + "  " + hostName;
}

std::optional<int32_t> GagMinutes(const std::string& typed)
{
    const size_t first = typed.find_first_not_of(' ');
    const size_t last = typed.find_last_not_of(' ');
    if (first == std::string::npos || last - first + 1 > 2)
        return std::nullopt;
    int32_t minutes = 0;
    for (size_t i = first; i <= last; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(typed[i])))
            return std::nullopt;
        minutes = minutes * 10 + (typed[i] - '0');
    }
    if (minutes < kGagMinutesLeast || minutes > kGagMinutesMost)
        return std::nullopt;
    return minutes;
}

} // namespace EngineDialogText
