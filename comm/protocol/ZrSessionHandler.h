// IZrSessionHandler: the protocol handler as the session sees it.
#pragma once

#include <cstdint>
#include <string>

#include "ZrProtocolError.h"

class CZrChannel;
class CZrMessageReader;
class CZrSession;

// Readers stand on the first field after what the session has read.
class IZrSessionHandler {
public:
    virtual ~IZrSessionHandler() = default;

    virtual void OnSessionOpened(CZrSession& session) = 0;
    // The session ended; the handler forgets it.
    virtual void OnSessionClosed(CZrSession& session, int32_t reason) = 0;

    // The server's hello on the default channel of a new session, after
    // major and minor (kept in the channel). Answers 0 to accept, 222 when
    // the rest is malformed, or a code to close the channel with.
    virtual int32_t OnHello(CZrChannel& channel, CZrMessageReader& reader) = 0;
    // The server's answer to a resumed session's hello: on acceptance
    // `received` is the number of the client's messages the server has.
    virtual int32_t OnResumedHello(CZrChannel& channel, CZrMessageReader& reader,
                                   uint32_t& received) = 0;

    // A message of a set-up channel that goes to the decoders and handlers.
    virtual ZrProtocolError OnChannelMessage(CZrChannel& channel, CZrMessageReader& reader) = 0;
    // Message type 9, which the session hands over whatever the channel.
    virtual ZrProtocolError OnRefusedMessage(CZrChannel& defaultChannel, CZrMessageReader& reader) = 0;

    // Message type 36: a channel was opened, or one is offered.
    virtual void OnChannelOpened(CZrChannel& defaultChannel, CZrChannel& channel) = 0;
    virtual void OnChannelOffer(CZrChannel& defaultChannel, uint32_t id, uint32_t value,
                                const std::string& name, CZrMessageReader& reader) = 0;
};
