// The media side of the conference session: what the audio pipeline and the
// media channels do when the server offers a channel and reports its test.
#pragma once

#include "ConfServerLine.h"

#include <cstdint>
#include <string>

struct ConfMediaResult
{
    // Failed: the media could not be started after the codec was taken.
    enum class Outcome { Ready, CodecRefused, Failed };
    Outcome outcome = Outcome::Failed;
    int32_t localPort = 0;  // the bound receive port, 0 when none
    std::string errorText;  // the pipeline's error text for Failed
    std::string configureError; // set when preparing the audio failed
};

class IConfMedia
{
public:
    virtual ~IConfMedia() = default;

    // A decoder for a new roster user, dropped again when the user leaves.
    virtual void AddSource(int32_t user) = 0;
    virtual void RemoveSource(int32_t user) = 0;
    // A TCP offer: connect the receiving media channel and send `firstLine`.
    virtual void ConnectStreamMedia(const std::string& host, int32_t port,
                                    const std::string& firstLine) = 0;
    // A UDP or HTTP offer: codec, configuration, receive port and start.
    virtual ConfMediaResult OpenMedia(const ConfChannelOffer& offer, int32_t ownUser,
                                      bool openSoundCard) = 0;
    // Test datagrams counted since the last call.
    virtual int32_t TakeTestCount() = 0;
    // The media test is over: start talking as the hands-free setting says.
    virtual void MediaTested(bool soundEnabled) = 0;
    // The session ends; `reason` as for Leave. False with the error text when
    // stopping the pipeline failed.
    virtual bool StopMedia(int32_t reason, bool mediaOpen, std::string& errorText) = 0;
};
