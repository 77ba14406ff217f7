// The lines the engine sends to the conference server, each ending in "\n",
// before numbering and enciphering (CONNECT alone travels as it is).
#pragma once

#include <cstdint>
#include <string>

// Everything the JOIN line carries.
struct ConfJoinRecord
{
    std::string conference;
    int32_t clone = 0;
    std::string userName;
    std::string account;
    std::string pageHost;          // dotted address, or "sdk" / "notsdk"
    std::string engineVersion;
    std::string soundDevice;       // "%s:%d,%d" of the first wave output device
    std::string driverVersion;     // "%d.%d"
    std::string operatingSystem;   // "%s %d.%d:%d"
    std::string containerApp;
    std::string containerVersion;
    std::string pageUrl;
    int32_t icon = 0;
    std::string dispatchToken;
    std::string phoneDialInfo;
    std::string phoneUserInfo;
    std::string phoneCallerId;
    std::string phoneTones;
};

// Breakout answers and gag flag words are passed through as given.
class ConfCommands
{
public:
    static std::string Connect(const std::string& locale, const std::string& accountField);
    static std::string Join(const ConfJoinRecord& join);
    static std::string Disconnect();
    static std::string ChannelOpenTcp();
    // `transport` as the server offered it; "HTTP" sends "CTRL" for the address.
    static std::string ChannelOpen(const std::string& transport, const std::string& host,
                                   int32_t localPort, const std::string& codec);
    static std::string ChannelTestUdp(int32_t localPort);
    static std::string RosterChangeName(int32_t ownUser, const std::string& name);
    static std::string RosterChangeIcon(int32_t ownUser, int32_t icon);
    static std::string Message(int32_t user, const std::string& text);
    static std::string AppWarn(int32_t user, const std::string& text);
    static std::string AppMessage(int32_t user, const std::string& text);
    static std::string AppBroadcast(const std::string& text);
    static std::string AppMute(int32_t user, int32_t flag);
    static std::string AppGag(int32_t user, int32_t flagWord, int32_t duration);
    // An empty reason leaves the reason field out.
    static std::string AppEject(int32_t user, const std::string& reason);
    static std::string BreakoutInvite(int32_t user);
    static std::string BreakoutAccept(int32_t invitingUser, const std::string& newConference);
    static std::string BreakoutReject(int32_t invitingUser);
    static std::string PhoneDtmf(char key);

    // JOIN's phone field: dial information, user information with ";" turned
    // into ":", caller identification and tones, joined by ";".
    static std::string PhoneField(const ConfJoinRecord& join);
};
