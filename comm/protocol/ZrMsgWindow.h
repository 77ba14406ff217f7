// CZrMsgWindow: the acknowledgement window of a session.
#pragma once

#include <cstdint>
#include <deque>

#include "TvlBlob.h"
#include "TvlObject.h"

// Counts the counted messages received, and keeps a copy of every counted
// message sent until the peer confirms it. Off while the window id is 0.
class CZrMsgWindow : public CTvlObject {
public:
    // A kept message: the channel prefix (maybe empty) and the message.
    struct Copy {
        CTvlBlob prefix;
        CTvlBlob message;
    };

    bool IsOn() const { return m_windowId != 0; }
    uint32_t WindowId() const { return m_windowId; }
    // Set once, and only to a value other than 0.
    void SetWindowId(uint32_t id);

    uint32_t Received() const { return m_received; }
    void CountReceived() { ++m_received; }
    uint32_t AcknowledgedCount() const { return m_acknowledged; }

    void Keep(uint32_t prefixLength, const uint8_t* prefix, uint32_t length, const uint8_t* bytes);
    const std::deque<Copy>& Kept() const { return m_kept; }

    // The peer has confirmed n messages in all: the copies up to n are
    // dropped. False, and nothing dropped, when n is below the count already
    // confirmed or beyond the copies kept.
    bool Acknowledged(uint32_t n);

private:
    uint32_t m_windowId = 0;
    uint32_t m_acknowledged = 0;
    uint32_t m_received = 0;
    std::deque<Copy> m_kept;
};
