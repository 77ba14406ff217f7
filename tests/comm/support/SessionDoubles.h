// Test helpers: doubles of the server connection, its socket, the protocol
// handler and place links around a session.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "WireEncoder.h"
#include "ZrPlaceLink.h"
#include "ZrSessionHandler.h"
#include "ZrSessionOwner.h"
#include "ZrSessionSocket.h"

class CZrSession;

// Keeps every message sent, without framing.
class CFakeSessionSocket : public IZrSessionSocket {
public:
    void Send(const uint8_t* prefix, uint32_t prefixLength, const uint8_t* body, uint32_t bodyLength) override;
    void Release() override { ++releases; }

    std::vector<Bytes> sent;
    int releases = 0;
};

class CFakeSessionOwner : public IZrSessionOwner {
public:
    void OnSessionReady(CZrSession&) override { events.push_back("ready"); }
    void OnSessionEnded(int32_t reason) override { events.push_back("ended " + std::to_string(reason)); }
    int32_t ReasonForBroken(int32_t code) override { return 200 + code; }
    void StartReconnect() override { events.push_back("reconnect"); }

    std::vector<std::string> events;
};

// A handler that reads the server's hello as the server connection does
// (u32 window id for a new session, u32 count for a resumed one), and
// records every message it is given as "channel:type".
class CFakeSessionHandler : public IZrSessionHandler {
public:
    void OnSessionOpened(CZrSession& session) override { this->session = &session; }
    void OnSessionClosed(CZrSession&, int32_t reason) override { events.push_back("closed " + std::to_string(reason)); }
    int32_t OnHello(CZrChannel& channel, CZrMessageReader& reader) override;
    int32_t OnResumedHello(CZrChannel& channel, CZrMessageReader& reader, uint32_t& received) override;
    ZrProtocolError OnChannelMessage(CZrChannel& channel, CZrMessageReader& reader) override;
    ZrProtocolError OnRefusedMessage(CZrChannel& channel, CZrMessageReader& reader) override;
    void OnChannelOpened(CZrChannel& defaultChannel, CZrChannel& channel) override;
    void OnChannelOffer(CZrChannel& defaultChannel, uint32_t id, uint32_t value, const std::string& name,
                        CZrMessageReader& reader) override;

    CZrSession* session = nullptr;
    // Answer to a hello after it was read; 222 also when the window id is missing.
    int32_t helloAnswer = 0;
    // Error answered for a message type.
    std::map<uint32_t, ZrProtocolError> errors;
    std::vector<std::string> events;
};

class CFakePlaceLink : public IZrPlaceLink {
public:
    CFakePlaceLink(uint32_t personId, std::vector<std::string>& events) : m_personId(personId), m_events(events) {}

    uint16_t Key() const override { return m_key; }
    void SetKey(uint16_t key) override { m_key = key; }
    uint32_t PersonId() const override { return m_personId; }
    ZrProtocolError OnOperation(CZrMessageReader& reader) override;
    void OnRemoved(int32_t code) override;

    ZrProtocolError answer;

private:
    uint16_t m_key = 0;
    uint32_t m_personId;
    std::vector<std::string>& m_events;
};

// The server's side of the wire, written with the test encoder.
namespace Server {
// Hello answer of a new session: major 3, minor 1, then the window id.
Bytes Hello(uint32_t windowId, uint32_t major = 3);
// Hello answer of a resumed session.
Bytes ResumedHello(uint32_t received);
Bytes Message(uint32_t type, uint32_t flags = 0, const Bytes& fields = {});
Bytes ChannelOpen(uint32_t id, const std::string& name);
Bytes WindowAck(uint32_t count);
// The client's type-3 report for a malformed message.
Bytes ErrorReport(uint32_t module, uint32_t error, const Bytes& message, uint32_t offset);
} // namespace Server
