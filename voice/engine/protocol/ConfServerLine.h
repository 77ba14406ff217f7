// One deciphered line from the conference server, taken apart: the sequence
// digits, the keyword and its fields, with every number checked.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

enum class ConfLineStatus
{
    Ok,
    NotALine,  // no sequence digits or no keyword: the key does not match
    Unknown,   // a keyword, APP word or CHANNEL word this engine does not know
    Malformed, // a known keyword with missing fields or bad numbers
};

enum class ConfLineKind
{
    None,
    Connect,
    Disconnect,
    Reject,
    Accept,
    ChannelOpen,
    ChannelTested,
    RosterAdd,
    RosterChangeName,
    RosterChangeIcon,
    RosterDel,
    Dispatch,
    Message,
    AppWarn,
    AppMessage,
    AppBroadcast,
    AppGagState,
    BreakoutInvite,
    BreakoutReject,
    BreakoutAccept,
};

// The media channel the server offers. Ports and the frame interval are
// checked: ports 1-65533 (the engine may bind the port plus 2) and intervals
// of 1-120 ms; `usable` is false when they are out of range or not numbers.
struct ConfChannelOffer
{
    std::string transport;
    std::string host;
    int32_t port = 0;
    std::string codec;
    int32_t interval = 0;
    bool usable = false;
};

struct ConfServerLine
{
    ConfLineStatus status = ConfLineStatus::NotALine;
    ConfLineKind kind = ConfLineKind::None;
    int32_t user = 0;     // user of ROSTER*, MESSAGE, APP and BREAKOUT lines
    int32_t number = 0;   // own user (ACCEPT), icon, clone (DISPATCH)
    std::string name;     // user or sender name, conference name
    std::string text;     // reason, message (unescaped), new name
    std::string server;   // DISPATCH
    std::string token;    // DISPATCH
    std::array<int32_t, 4> gag{};
    ConfChannelOffer channel;
};

class ConfServerLineParser
{
public:
    static constexpr int32_t kHighestMediaPort = 65533;
    static constexpr int32_t kLongestInterval = 120;

    // Reads the text up to its first line feed.
    static ConfServerLine Parse(std::string_view text);
};
