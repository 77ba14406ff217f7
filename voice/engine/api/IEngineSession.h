// The conference session of one engine instance as the instance drives it:
// connecting (off the caller's thread, with the connection-wait timer) and
// the session itself. The engine window provides it.
#pragma once

#include "SonorelleIfcTypes.h"

#include <array>
#include <cstdint>
#include <string>

class CConferenceProtocol;
class IEngineDialogs;

// How a wave item plays: its id for play status (0: none), whether its
// format must be 16-bit mono at 8000 Hz, repetition, destination (1 local,
// 2 conference, 3 both) and the pause between repetitions in tenths of a
// second.
struct WavePlayArgs
{
    int32_t playId = 0;
    int32_t checkFormat = 0;
    int32_t repeat = 0;
    int32_t destination = 0;
    int32_t pause = 0;
};

class IEngineSession
{
public:
    virtual ~IEngineSession() = default;

    // Starts connecting to `server` on `port` with the connection strategy
    // `tunnel`; 0 when the attempt is under way, else the status.
    virtual int32_t StartConnect(int32_t tunnel, const std::string& server, int32_t port) = 0;
    // Stops the connection-wait timer.
    virtual void StopConnectWait() = 0;
    virtual CConferenceProtocol& Conference() = 0;
    // The session's dialogs; none for a session without a window.
    virtual IEngineDialogs* Dialogs() { return nullptr; }
    // The audio level (-78 is silence) and the speakers of the last packet
    // played (0 for none).
    virtual int32_t AudioLevel() const = 0;
    virtual std::array<uint16_t, 2> Speakers() const = 0;
    // The microphone keeps capturing, but while muted nobody hears it.
    virtual void SetInputMute(bool mute) = 0;
    // Takes push-to-talk for this session's window, with the keyboard hook
    // when asked; false when another engine window owns it.
    virtual bool ClaimPushToTalk(bool keyboardHook) = 0;
    virtual void ReleasePushToTalk() = 0;
    // Recording what is played and sent to a wave file (a status of the
    // wave recorder: 0 done, 1401-1407).
    virtual int32_t StartRecord(const std::string& file, int32_t format, int32_t sources) = 0;
    virtual void StopRecord() = 0;
    // Recorded frames handed to the host as packets (1402, 1403, 1405).
    virtual int32_t RegisterForRecordPacket(bool on, int32_t format, int32_t sources) = 0;
    // Playing a wave file to the local speakers (1), the conference (2) or
    // both (3); 0 when queued, else 1402-1408.
    virtual int32_t PlayWaveFile(const std::string& file, int32_t playId, int32_t checkFormat,
                                 int32_t repeat, int32_t destination, int32_t pause) = 0;
    virtual void StopWavePlay(bool all) = 0;
    // A "WAVE" resource of `module` named `name`.
    virtual int32_t PlayWaveResource(void* module, const char* name, const WavePlayArgs& args) = 0;
    // `array`, the host's VARIANT of a one-dimensional byte array, holds a
    // RIFF WAVE image when `image`, else raw samples (1414 when unusable).
    virtual int32_t PlayWaveArray(const SonorelleIfcVariant& array, bool image,
                                  const WavePlayArgs& args) = 0;
};
