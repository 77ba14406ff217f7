// The media side of a session in an engine without an audio pipeline: no
// voice codec can be negotiated, so a channel offer ends the session with
// the codec refusal (string 227, error 1004), and there is nothing to stop.
#pragma once

#include "IConfMedia.h"

class CNoAudioMedia : public IConfMedia
{
public:
    void AddSource(int32_t) override {}
    void RemoveSource(int32_t) override {}
    void ConnectStreamMedia(const std::string&, int32_t, const std::string&) override {}
    ConfMediaResult OpenMedia(const ConfChannelOffer&, int32_t, bool) override
    {
        ConfMediaResult result;
        result.outcome = ConfMediaResult::Outcome::CodecRefused;
        return result;
    }
    int32_t TakeTestCount() override { return 0; }
    void MediaTested(bool) override {}
    bool StopMedia(int32_t, bool, std::string&) override { return true; }
};
