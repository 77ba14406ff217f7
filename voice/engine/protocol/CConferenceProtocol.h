// The conference session's protocol core: it numbers, enciphers and sends the
// control lines, parses the server's lines, keeps the roster and reports
// everything to the owner. Connecting, the control channel, the media and
// the strings come in through narrow interfaces, so the core runs anywhere.
#pragma once

#include "CConfLineCipher.h"
#include "ConfCommands.h"
#include "ConfServerLine.h"
#include "ConfUser.h"
#include "IConfChannel.h"
#include "IConfEnvironment.h"
#include "IConfMedia.h"
#include "IConferenceOwner.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CConferenceProtocol
{
public:
    static constexpr size_t kLongestLine = 2047;
    static constexpr int32_t kControlPort = 3450;

    CConferenceProtocol(IConferenceOwner& owner, IConfChannel& channel, IConfMedia& media,
                        IConfEnvironment& environment);
    ~CConferenceProtocol();
    CConferenceProtocol(const CConferenceProtocol&) = delete;
    CConferenceProtocol& operator=(const CConferenceProtocol&) = delete;

    // Settings that the engine window hands over.
    void SetCredentials(const std::string& account, const std::string& accountKey);
    void SetLocale(const std::string& locale); // an empty text is ignored
    const std::string& Locale() const { return m_locale; }
    void SetTunnelInUse(bool inUse) { m_tunnelInUse = inUse; }

    // The control channel is connected to `server` on `port`: sends CONNECT.
    void OnConnected(const std::string& server, int32_t port);
    // A received line (without its line feed).
    void OnLine(const char* bytes, size_t length);

    // Takes the conference name, clone and user name and sends JOIN; false
    // when the line could not be sent.
    bool SendJoin(const ConfJoinRecord& join);
    void Leave(const std::string& text, int32_t reason);
    // Leave(text, 0), then the error 1005 with the text.
    void EndWithError(const std::string& text);

    bool SetName(const std::string& name);
    bool SetIcon(int32_t icon);
    bool SendMessage(int32_t user, const std::string& text);
    bool SendWarning(int32_t user, const std::string& text);
    bool SendAppMessage(int32_t user, const std::string& text);
    bool SendAppBroadcast(const std::string& text);
    bool SendMute(int32_t user, int32_t flag);
    bool SendGag(int32_t user, int32_t flagWord, int32_t duration);
    bool SendEject(int32_t user, const std::string& reason);
    bool SendBreakoutInvite(int32_t user);
    bool ReplyBreakout(int32_t user, bool accept);
    bool SendTone(char key);
    // Sets the flag of a roster entry (the ignore mark); unknown users are
    // left alone.
    void MarkUser(int32_t user, int32_t flag);

    bool IsConnected() const { return m_connected; }
    bool IsAccepted() const { return m_accepted; }
    int32_t OwnUser() const { return m_ownUser; }
    const std::string& ConferenceName() const { return m_conference; }
    int32_t ConferenceClone() const { return m_clone; }
    const std::string& DispatchToken() const { return m_dispatchToken; }
    const std::string& LastError() const { return m_lastError; }
    const std::string& FirstServer() const { return m_firstServer; }
    int32_t FirstPort() const { return m_firstPort; }
    const std::string& CurrentServer() const { return m_server; }
    int32_t CurrentPort() const { return m_port; }

    const std::vector<std::unique_ptr<ConfUser>>& Roster() const { return m_roster; }
    const ConfUser* FindUser(int32_t user) const;
    std::string NameOf(int32_t user) const;
    bool IsOwnUser(int32_t user) const { return user == m_ownUser; }
    std::string Title();

private:
    // Numbers, converts, enciphers and sends one line; false when refused.
    bool SendLine(const std::string& line);
    uint32_t NextSequence();
    void Dispatch(const ConfServerLine& line);
    void OnServerConnect();
    void OnServerEnd(const ConfServerLine& line, int32_t stringNumber, int32_t error);
    void OnAccept(const ConfServerLine& line);
    void OnChannelOpen(const ConfChannelOffer& offer);
    void OnChannelTested();
    void OnRosterAdd(const ConfServerLine& line);
    void OnRosterChange(const ConfServerLine& line);
    void OnRosterDel(const ConfServerLine& line);
    void OnDispatchLine(const ConfServerLine& line);
    void OnMessage(const ConfServerLine& line);
    void OnBreakout(const ConfServerLine& line);
    void RefuseCodec();
    // Leaves with `reason` and connects directly to the given server.
    void MoveTo(int32_t reason, const std::string& server, int32_t port);
    void TakeConference(const std::string& name, int32_t clone);
    void ConnectDirect(const std::string& server, int32_t port);
    void LeaveConnected(const std::string& text, int32_t reason);
    ConfUser* FindEntry(int32_t user);
    std::string Text(int32_t number, const std::string& value = std::string());

    IConferenceOwner& m_owner;
    IConfChannel& m_channel;
    IConfMedia& m_media;
    IConfEnvironment& m_environment;

    std::string m_server;
    int32_t m_port = 0;
    std::string m_firstServer;
    int32_t m_firstPort = 0;

    bool m_connected = false;
    bool m_disconnecting = false;
    bool m_leaving = false;
    bool m_accepted = false;
    bool m_mediaOpen = false;
    bool m_tunnelInUse = false;

    int32_t m_ownUser = 0;
    std::string m_conference;
    int32_t m_clone = 0;
    std::string m_userName;
    std::string m_account = "0";
    std::string m_accountKey;
    std::string m_dispatchToken = "0";
    std::string m_locale = "en-US";
    std::string m_lastError;
    uint32_t m_sequence = 0;

    std::unique_ptr<CConfLineCipher> m_cipher;
    std::vector<std::unique_ptr<ConfUser>> m_roster;
};
