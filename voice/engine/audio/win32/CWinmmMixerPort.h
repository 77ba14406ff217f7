// The platform mixer of one of the wave devices, reached through the open
// device's handle or by the device's number. Its lines: the wave-input
// destination with its recording selector, and the microphone source under
// that destination.
#pragma once

#include "IMixerPort.h"

#include <windows.h>
#include <mmsystem.h>

#include <functional>
#include <string>

class CWinmmMixerPort : public IMixerPort
{
public:
    enum class Direction { Input, Output };

    // `device` gives the wave device's handle while it is open.
    CWinmmMixerPort(Direction direction, std::function<UINT_PTR()> device);
    ~CWinmmMixerPort() override;
    CWinmmMixerPort(const CWinmmMixerPort&) = delete;
    CWinmmMixerPort& operator=(const CWinmmMixerPort&) = delete;

    bool Exists() override;
    int32_t Open(Route route) override;
    void Close() override;
    int32_t ReadSelector(MixerSelector& selector) override;
    int32_t WriteSelector(const MixerSelector& selector) override;
    int32_t SetMicrophoneMute(bool mute) override;
    int32_t MicrophoneVolumeRange(uint32_t& least, uint32_t& most) override;
    int32_t SetMicrophoneVolume(uint32_t value) override;

private:
    UINT DeviceNumber();
    std::string DeviceName(UINT number);
    // Whether the open mixer has the direction's destination line: the
    // recording line of an input, the speakers of an output.
    bool HasDestination();
    int32_t FindDestination(MIXERLINEA& line);
    int32_t FindMicrophone(MIXERLINEA& line);
    int32_t FindControl(const MIXERLINEA& line, DWORD type, MIXERCONTROLA& control);
    int32_t FindSelector(MIXERLINEA& line, MIXERCONTROLA& control);
    int32_t WriteUniform(const MIXERLINEA& line, const MIXERCONTROLA& control, DWORD value);

    Direction m_direction;
    std::function<UINT_PTR()> m_device;
    HMIXER m_mixer = nullptr;
};
