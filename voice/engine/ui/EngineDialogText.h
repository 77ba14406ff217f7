// Texts of the engine's dialogs that need no window: captions with the host
// name, and the gag dialog's minutes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace EngineDialogText {

constexpr int32_t kGagMinutesDefault = 10;
constexpr int32_t kGagMinutesLeast = 1;
constexpr int32_t kGagMinutesMost = 30;

// `caption`, then two blanks and `hostName` when there is one.
std::string CaptionWithHost(const std::string& caption, const std::string& hostName);

// The minutes typed into the gag dialog: a whole number from 1 to 30,
// blanks around it allowed; anything else is refused.
std::optional<int32_t> GagMinutes(const std::string& typed);

} // namespace EngineDialogText
