#include "ConfServerLine.h"

#include "ConfText.h"

#include <vector>

namespace {

using Fields = std::vector<std::string_view>;

bool Fail(ConfServerLine& line, ConfLineStatus status)
{
    line.status = status;
    line.kind = ConfLineKind::None;
    return false;
}

bool TakeNumber(std::string_view field, int32_t& out)
{
    const auto number = ConfText::ParseNumber(field);
    if (number)
        out = *number;
    return number.has_value();
}

bool TakeNumberOrZero(std::string_view field, int32_t& out)
{
    const auto number = ConfText::ParseNumberOrZero(field);
    if (number)
        out = *number;
    return number.has_value();
}

// Fields after the keyword: fields[2] onwards.
bool HasArguments(const Fields& fields, size_t count)
{
    return fields.size() >= 2 + count;
}

bool ParseRosterAdd(const Fields& f, ConfServerLine& line)
{
    // ROSTERADD user name [icon]; an empty or missing icon is 0.
    if (!HasArguments(f, 2) || !TakeNumber(f[2], line.user))
        return false;
    line.name = std::string(f[3]);
    return !HasArguments(f, 3) || TakeNumberOrZero(f[4], line.number);
}

bool ParseRosterChange(const Fields& f, ConfServerLine& line)
{
    if (!HasArguments(f, 3) || !TakeNumber(f[3], line.user))
        return false;
    if (f[2] == "NAME") {
        line.kind = ConfLineKind::RosterChangeName;
        line.text = std::string(f[4]);
        return true;
    }
    if (f[2] == "ICON") {
        line.kind = ConfLineKind::RosterChangeIcon;
        return TakeNumberOrZero(f[4], line.number);
    }
    line.status = ConfLineStatus::Unknown;
    return false;
}

bool ParseUserTexts(const Fields& f, size_t first, ConfServerLine& line)
{
    // user, sender name, escaped text
    if (f.size() < first + 3 || !TakeNumber(f[first], line.user))
        return false;
    line.name = std::string(f[first + 1]);
    line.text = ConfText::Unescape(f[first + 2]);
    return true;
}

bool ParseBreakout(const Fields& f, ConfServerLine& line)
{
    if (!HasArguments(f, 3) || !TakeNumber(f[3], line.user))
        return false;
    const std::string_view answer = f[4];
    if (answer == "INVITE") {
        line.kind = ConfLineKind::BreakoutInvite;
    } else if (answer == "REJECT") {
        line.kind = ConfLineKind::BreakoutReject;
    } else if (answer == "ACCEPT") {
        // Accepting moves to the named conference: without a name there is
        // nowhere to go.
        if (!HasArguments(f, 4) || f[5].empty())
            return false;
        line.kind = ConfLineKind::BreakoutAccept;
        line.name = std::string(f[5]);
    } else {
        line.status = ConfLineStatus::Unknown;
        return false;
    }
    return true;
}

bool ParseApp(const Fields& f, ConfServerLine& line)
{
    if (!HasArguments(f, 1))
        return false;
    const std::string_view word = f[2];
    if (word == "WARN" || word == "APPMESSAGE" || word == "APPBROADCAST") {
        line.kind = word == "WARN"         ? ConfLineKind::AppWarn
                    : word == "APPMESSAGE" ? ConfLineKind::AppMessage
                                           : ConfLineKind::AppBroadcast;
        return ParseUserTexts(f, 3, line);
    }
    if (word == "GAGSTATE") {
        line.kind = ConfLineKind::AppGagState;
        if (!HasArguments(f, 5))
            return false;
        for (size_t i = 0; i < line.gag.size(); ++i) {
            if (!TakeNumber(f[3 + i], line.gag[i]))
                return false;
        }
        return true;
    }
    if (word == "BREAKOUT")
        return ParseBreakout(f, line);
    line.status = ConfLineStatus::Unknown;
    return false;
}

bool InRange(int32_t value, int32_t low, int32_t high)
{
    return value >= low && value <= high;
}

bool ParseChannelOpen(const Fields& f, ConfServerLine& line)
{
    // CHANNEL OPEN transport host port [codec interval]
    if (!HasArguments(f, 4) || f[3].empty())
        return false;
    ConfChannelOffer& offer = line.channel;
    offer.transport = std::string(f[3]);
    offer.host = std::string(f[4]);
    const bool portRead = TakeNumber(f[5], offer.port);
    bool usable = portRead && InRange(offer.port, 1, ConfServerLineParser::kHighestMediaPort);
    if (offer.transport != "TCP") {
        if (HasArguments(f, 5))
            offer.codec = std::string(f[6]);
        const bool intervalRead = HasArguments(f, 6) && TakeNumber(f[7], offer.interval);
        usable = usable && intervalRead &&
                 InRange(offer.interval, 1, ConfServerLineParser::kLongestInterval);
    }
    offer.usable = usable;
    return true;
}

bool ParseChannel(const Fields& f, ConfServerLine& line)
{
    if (!HasArguments(f, 1))
        return false;
    if (f[2] == "OPEN") {
        line.kind = ConfLineKind::ChannelOpen;
        return ParseChannelOpen(f, line);
    }
    if (f[2] == "TESTED") {
        line.kind = ConfLineKind::ChannelTested;
        return true;
    }
    line.status = ConfLineStatus::Unknown;
    return false;
}

bool ParseDispatch(const Fields& f, ConfServerLine& line)
{
    if (!HasArguments(f, 4) || f[2].empty() || !TakeNumber(f[4], line.number))
        return false;
    line.server = std::string(f[2]);
    line.name = std::string(f[3]);
    line.token = std::string(f[5]);
    return true;
}

bool ParseArguments(const Fields& f, ConfServerLine& line)
{
    const std::string_view keyword = f[1];
    if (keyword == "CONNECT") {
        line.kind = ConfLineKind::Connect;
        return true;
    }
    if (keyword == "DISCONNECT" || keyword == "REJECT") {
        line.kind = keyword == "REJECT" ? ConfLineKind::Reject : ConfLineKind::Disconnect;
        if (HasArguments(f, 1))
            line.text = std::string(f[2]);
        return true;
    }
    if (keyword == "ACCEPT") {
        line.kind = ConfLineKind::Accept;
        return HasArguments(f, 1) && TakeNumber(f[2], line.number);
    }
    if (keyword == "CHANNEL")
        return ParseChannel(f, line);
    if (keyword == "ROSTERADD") {
        line.kind = ConfLineKind::RosterAdd;
        return ParseRosterAdd(f, line);
    }
    if (keyword == "ROSTERCHANGE")
        return ParseRosterChange(f, line);
    if (keyword == "ROSTERDEL") {
        line.kind = ConfLineKind::RosterDel;
        return HasArguments(f, 1) && TakeNumber(f[2], line.user);
    }
    if (keyword == "DISPATCH") {
        line.kind = ConfLineKind::Dispatch;
        return ParseDispatch(f, line);
    }
    if (keyword == "MESSAGE") {
        line.kind = ConfLineKind::Message;
        return ParseUserTexts(f, 2, line);
    }
    if (keyword == "APP")
        return ParseApp(f, line);
    line.status = ConfLineStatus::Unknown;
    return false;
}

} // namespace

ConfServerLine ConfServerLineParser::Parse(std::string_view text)
{
    ConfServerLine line;
    const size_t lineFeed = text.find('\n');
    const Fields fields = ConfText::SplitFields(text.substr(0, lineFeed));
    if (fields.size() < 2 || !ConfText::IsDigits(fields[0]) || fields[1].empty()) {
        Fail(line, ConfLineStatus::NotALine);
        return line;
    }
    line.status = ConfLineStatus::Ok;
    if (!ParseArguments(fields, line))
        Fail(line, line.status == ConfLineStatus::Unknown ? ConfLineStatus::Unknown
                                                          : ConfLineStatus::Malformed);
    return line;
}
