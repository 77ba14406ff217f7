#include "SoundDeviceText.h"

#include <optional>

namespace {

constexpr uint32_t kResultSuccess = 0;
constexpr uint32_t kResultAllocated = 4;

constexpr const char* kDefaultBusyText =
    "Another application is currently accessing the sound card.\nCannot provide audio.";
constexpr const char* kDefaultErrorText =
    "An error was found with your sound card configuration.\n"
    "Check configuration or update drivers.\nCode: %d";

// The text comes from a resource module, so it is not trusted as a printf
// format: only its first "%d" is replaced.
std::string InsertCode(std::string text, uint32_t code)
{
    const size_t marker = text.find("%d");
    if (marker != std::string::npos)
        text.replace(marker, 2, std::to_string(code));
    return text;
}

} // namespace

std::string SoundDeviceResultText(const CResourceChain& chain, uint32_t result)
{
    if (result == kResultSuccess)
        return std::string();
    if (result == kResultAllocated)
        return chain.LoadText(kStringSoundCardBusy).value_or(kDefaultBusyText);
    return InsertCode(chain.LoadText(kStringSoundCardError).value_or(kDefaultErrorText), result);
}
