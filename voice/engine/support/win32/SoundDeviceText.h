// The text shown for a result of the platform's wave device functions.
#pragma once

#include "ResourceChain.h"

#include <cstdint>
#include <string>

constexpr UINT kStringSoundCardError = 213;
constexpr UINT kStringSoundCardBusy = 217;

// Empty for success (0). Result 4 (the device is allocated to another program)
// gives string 217, any other result string 213 with the code in place of its
// "%d". Texts missing from the chain fall back to the engine's built-in ones.
std::string SoundDeviceResultText(const CResourceChain& chain, uint32_t result);
