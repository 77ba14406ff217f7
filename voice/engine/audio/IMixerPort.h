// The platform mixer of one wave device as the sound card's Mixer drives it.
// Results are the platform's codes: 0 done, 1024 no such line, 1025 no such
// control, anything else a failure.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace MixerResult {
constexpr int32_t kDone = 0;
constexpr int32_t kInvalidLine = 1024;
constexpr int32_t kInvalidControl = 1025;
} // namespace MixerResult

// The list control of the wave-input destination that chooses what is
// recorded: its items' texts and which of them are on.
struct MixerSelector
{
    bool singleSelect = false;
    std::vector<std::string> texts;
    std::vector<bool> selected;
};

class IMixerPort
{
public:
    virtual ~IMixerPort() = default;

    // How the mixer is reached: through the open wave device's handle, or by
    // the number of the wave device behind it.
    enum class Route { WaveHandle, DeviceNumber };

    // False when the system has no mixer device at all.
    virtual bool Exists() = 0;
    virtual int32_t Open(Route route) = 0;
    virtual void Close() = 0;

    virtual int32_t ReadSelector(MixerSelector& selector) = 0;
    virtual int32_t WriteSelector(const MixerSelector& selector) = 0;
    // The microphone source line of the wave-input destination.
    virtual int32_t SetMicrophoneMute(bool mute) = 0;
    virtual int32_t MicrophoneVolumeRange(uint32_t& least, uint32_t& most) = 0;
    virtual int32_t SetMicrophoneVolume(uint32_t value) = 0;
};
