// CZrSession: the protocol state that lives on a server connection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TvlHashTable.h"
#include "TvlObject.h"
#include "ZrMsgWindow.h"
#include "ZrRegistrationList.h"

class CZrChannel;
class CZrMessage;
class CZrMessageReader;
class IZrSessionHandler;
class IZrSessionOwner;
class IZrSessionSocket;

// Receives every frame of its connection, counts and acknowledges messages,
// splits them into channels and keeps copies of what it sent until the server
// confirms them, so that a broken connection can be resumed on a new socket.
//
// A session that has ended (IsEnded) ignores further frames; its owner
// deletes it after the call that ended it has returned.
class CZrSession : public CTvlObject {
public:
    static constexpr uint16_t kMajor = 3;
    static constexpr uint16_t kMinor = 1;
    static constexpr uint8_t kModeNew = 1;
    static constexpr uint8_t kModeResumed = 5;
    static constexpr uint32_t kAckEvery = 1000;

    // Registers with the handler, creates the default channel and sends the
    // hello of a new session (ZR_SAFE_CONN gives its last byte).
    CZrSession(IZrSessionOwner* owner, IZrSessionSocket* socket, IZrSessionHandler& handler,
               const std::string& peerName, uint32_t peerRole);
    CZrSession(const CZrSession&) = delete;
    CZrSession& operator=(const CZrSession&) = delete;
    // Ends the session with reason 0 when it is still running.
    ~CZrSession() override;

    // One received frame.
    void OnMessage(uint32_t length, const uint8_t* bytes);
    // Puts the channel prefix in front, keeps a copy of a counted message
    // while the window is on, and sends it when a socket is attached; while
    // a resumption waits for the server's answer, counted messages are only
    // kept.
    void Send(CZrMessage& message);

    // The connection broke with a library code: resumed when the window is
    // on and an owner is known, else the session ends.
    void OnConnectionBroken(int32_t code);
    // Attaches the new socket and sends the hello of a resumed session.
    void ResumeOn(IZrSessionSocket* socket);
    bool IsResuming() const { return m_resuming; }

    // Ends the session and tells the owner the reason.
    void Close(int32_t reason);
    // Ends the session without calling the owner back.
    void CloseFromServer(int32_t reason);
    bool IsEnded() const { return m_ended; }

    CZrChannel& DefaultChannel() const { return *m_default; }
    CZrChannel* FindChannel(uint32_t id) const;
    uint32_t ChannelCount() const;
    CZrMsgWindow& Window() { return m_window; }
    CZrRegistrationList& Registrations() { return m_registrations; }
    IZrSessionHandler& Handler() const { return m_handler; }
    IZrSessionOwner* Owner() const { return m_owner; }

    // Called by the channels.
    void OnChannelAccepted(CZrChannel& channel);
    void OnChannelClosed(CZrChannel& channel, int32_t code);

private:
    void Dispatch(CZrMessageReader& reader);
    void OpenChannel(CZrMessageReader& reader);
    void OpenChannelExtended(CZrMessageReader& reader);
    void OnChannelData(CZrMessageReader& reader);
    void OnWindowAck(CZrMessageReader& reader);
    void SendAcknowledgement();
    // Ends the wait for the server's answer to a resumed hello. When it was
    // accepted, the server's count drops the confirmed copies and every copy
    // still kept goes out, oldest first; false when the count does not match.
    bool FinishResume(bool accepted, uint32_t received);
    friend class CZrChannel;
    void SendBytes(uint32_t prefixLength, const uint8_t* prefix, uint32_t length, const uint8_t* bytes);
    void End(int32_t reason);
    void ReleaseSocket();
    void DeleteClosedChannels();

    IZrSessionOwner* m_owner;
    IZrSessionSocket* m_socket;
    IZrSessionHandler& m_handler;
    CZrChannel* m_default;
    CTvlHashTable m_channels;
    CZrRegistrationList m_registrations;
    CZrMsgWindow m_window;
    bool m_resuming = false;
    bool m_ended = false;
    int32_t m_depth = 0;
    std::vector<CZrChannel*> m_closedChannels;
};
