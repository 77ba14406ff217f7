// CZrChannel: one logical channel of a session.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "TvlHashTable.h"
#include "ZrPlaceLink.h"
#include "ZrProtocolError.h"

class CZrMessage;
class CZrMessageReader;
class CZrSession;

// Channel 0 is the session's default channel; the others are opened by the
// server. A channel passes only a hello until it is set up, and drops what is
// sent on it once it is closed. It owns the place links that use it.
class CZrChannel : public CTvlHashNode {
public:
    enum State : int32_t { kNew = 0, kSetUp = 1, kClosed = 2 };

    CZrChannel(CZrSession& session, uint32_t id, std::string peerName, uint32_t peerRole);
    ~CZrChannel() override;

    uint32_t Hash() const override { return m_id; }
    bool Matches(uint32_t key) const override { return m_id == key; }

    uint32_t Id() const { return m_id; }
    bool IsDefault() const { return m_id == 0; }
    State GetState() const { return m_state; }
    const std::string& PeerName() const { return m_peerName; }
    uint32_t PeerRole() const { return m_peerRole; }
    uint16_t PeerMajor() const { return m_peerMajor; }
    uint16_t PeerMinor() const { return m_peerMinor; }
    CZrSession& Session() const { return m_session; }

    // Stamps the channel id into the message and sends it through the
    // session, unless the channel is closed.
    void Send(CZrMessage& message);
    // Dispatches one message of this channel; the reader stands after the
    // header.
    void OnMessage(CZrMessageReader& reader);
    // The hello was accepted: the channel is set up.
    void Accept();

    // Adds a link with the next key of the channel and answers it.
    IZrPlaceLink* AddLink(std::unique_ptr<IZrPlaceLink> link);
    IZrPlaceLink* FindLinkByKey(uint16_t key) const;
    // The channel's links, in the order they were added.
    std::vector<IZrPlaceLink*> Links() const;
    IZrPlaceLink* FindLinkByObject(uint32_t personId) const;
    // Tells the link the code, then deletes it.
    void RemoveLink(IZrPlaceLink* link, int32_t code);
    // The key the next link or enter request takes.
    uint16_t TakeKey() { return m_nextKey++; }

    // Answers a malformed message with a type-3 report (code 222, module,
    // error, the whole message, the offset where reading stopped) and
    // closes the channel with 222.
    void ReportError(uint8_t module, uint8_t error, const CZrMessageReader& reader);
    void ReportError(ZrProtocolError error, const CZrMessageReader& reader);
    // Closes the channel and removes every place link with the code.
    void Close(int32_t code);

private:
    void OnHello(CZrMessageReader& reader);
    void AnswerHello(int32_t answer, CZrMessageReader& reader);
    void DispatchSetUp(CZrMessageReader& reader);
    void DispatchPlaceOperation(CZrMessageReader& reader);
    void DispatchNew(CZrMessageReader& reader);

    CZrSession& m_session;
    uint32_t m_id;
    State m_state = kNew;
    std::string m_peerName;
    std::vector<std::unique_ptr<IZrPlaceLink>> m_links;
    uint16_t m_nextKey = 0;
    uint32_t m_peerRole;
    uint16_t m_peerMajor = 0;
    uint16_t m_peerMinor = 0;
};
