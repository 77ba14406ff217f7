// A mixer for the sound card's tests: the routes it refuses, a scripted
// selector, and every write recorded.
#pragma once

#include "IMixerPort.h"

#include <map>
#include <string>
#include <vector>

class FakeMixerPort : public IMixerPort
{
public:
    bool Exists() override { return exists; }
    int32_t Open(Route route) override
    {
        opens.push_back(route);
        const auto refused = refusals.find(route);
        if (refused != refusals.end())
            return refused->second;
        open = true;
        return MixerResult::kDone;
    }
    void Close() override { open = false; }
    int32_t ReadSelector(MixerSelector& read) override
    {
        read = selector;
        return selectorResult;
    }
    int32_t WriteSelector(const MixerSelector& written) override
    {
        selector = written;
        ++selectorWrites;
        return MixerResult::kDone;
    }
    int32_t SetMicrophoneMute(bool mute) override
    {
        mutes.push_back(mute);
        return muteResult;
    }
    int32_t MicrophoneVolumeRange(uint32_t& least, uint32_t& most) override
    {
        least = volumeLeast;
        most = volumeMost;
        return volumeResult;
    }
    int32_t SetMicrophoneVolume(uint32_t value) override
    {
        volumes.push_back(value);
        return MixerResult::kDone;
    }

    bool exists = true;
    bool open = false;
    std::map<Route, int32_t> refusals;
    std::vector<Route> opens;
    MixerSelector selector;
    int32_t selectorResult = MixerResult::kInvalidControl;
    int selectorWrites = 0;
    std::vector<bool> mutes;
    int32_t muteResult = MixerResult::kDone;
    uint32_t volumeLeast = 0;
    uint32_t volumeMost = 65535;
    int32_t volumeResult = MixerResult::kDone;
    std::vector<uint32_t> volumes;
};
