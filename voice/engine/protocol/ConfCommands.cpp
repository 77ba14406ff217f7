#include "ConfCommands.h"

#include "ConfText.h"

#include <vector>

namespace {

std::string Decimal(int32_t value)
{
    return std::to_string(value);
}

} // namespace

std::string ConfCommands::Connect(const std::string& locale, const std::string& accountField)
{
    return ConfText::JoinLine({"CONNECT", "2", "4", locale, accountField});
}

std::string ConfCommands::Join(const ConfJoinRecord& join)
{
    return ConfText::JoinLine({"JOIN", join.conference, Decimal(join.clone), join.userName,
                               join.account, join.pageHost, join.engineVersion,
                               join.soundDevice, join.driverVersion, join.operatingSystem,
                               join.containerApp, join.containerVersion,
                               ConfText::ShortenUrl(join.pageUrl), Decimal(join.icon),
                               join.dispatchToken, PhoneField(join)});
}

std::string ConfCommands::PhoneField(const ConfJoinRecord& join)
{
    return join.phoneDialInfo + ";" + ConfText::ReplaceAll(join.phoneUserInfo, ";", ":") + ";" +
           join.phoneCallerId + ";" + join.phoneTones;
}

std::string ConfCommands::Disconnect()
{
    return ConfText::JoinLine({"DISCONNECT"});
}

std::string ConfCommands::ChannelOpenTcp()
{
    return ConfText::JoinLine({"CHANNEL", "OPEN", "TCP"});
}

std::string ConfCommands::ChannelOpen(const std::string& transport, const std::string& host,
                                      int32_t localPort, const std::string& codec)
{
    const std::string address = transport == "HTTP" ? "CTRL" : host;
    return ConfText::JoinLine({"CHANNEL", "OPEN", transport, address, Decimal(localPort), codec});
}

std::string ConfCommands::ChannelTestUdp(int32_t localPort)
{
    return ConfText::JoinLine({"CHANNEL", "TEST", "UDP", Decimal(localPort), "10"});
}

std::string ConfCommands::RosterChangeName(int32_t ownUser, const std::string& name)
{
    return ConfText::JoinLine({"ROSTERCHANGE", "NAME", Decimal(ownUser), name});
}

std::string ConfCommands::RosterChangeIcon(int32_t ownUser, int32_t icon)
{
    return ConfText::JoinLine({"ROSTERCHANGE", "ICON", Decimal(ownUser), Decimal(icon)});
}

std::string ConfCommands::Message(int32_t user, const std::string& text)
{
    return ConfText::JoinLine({"MESSAGE", Decimal(user), ConfText::Escape(text)});
}

std::string ConfCommands::AppWarn(int32_t user, const std::string& text)
{
    return ConfText::JoinLine({"APP", "WARN", Decimal(user), ConfText::Escape(text)});
}

std::string ConfCommands::AppMessage(int32_t user, const std::string& text)
{
    return ConfText::JoinLine({"APP", "APPMESSAGE", Decimal(user), ConfText::Escape(text)});
}

std::string ConfCommands::AppBroadcast(const std::string& text)
{
    return ConfText::JoinLine({"APP", "APPBROADCAST", ConfText::Escape(text)});
}

std::string ConfCommands::AppMute(int32_t user, int32_t flag)
{
    return ConfText::JoinLine({"APP", "MUTE", Decimal(user), Decimal(flag)});
}

std::string ConfCommands::AppGag(int32_t user, int32_t flagWord, int32_t duration)
{
    return ConfText::JoinLine({"APP", "GAG", Decimal(user), Decimal(flagWord), Decimal(duration)});
}

std::string ConfCommands::AppEject(int32_t user, const std::string& reason)
{
    std::vector<std::string> fields = {"APP", "EJECT", Decimal(user)};
    if (!reason.empty())
        fields.push_back(ConfText::Escape(reason));
    return ConfText::JoinLine(fields);
}

std::string ConfCommands::BreakoutInvite(int32_t user)
{
    return ConfText::JoinLine({"APP", "BREAKOUT", Decimal(user), "INVITE"});
}

std::string ConfCommands::BreakoutAccept(int32_t invitingUser, const std::string& newConference)
{
    return ConfText::JoinLine({"APP", "BREAKOUT", Decimal(invitingUser), "ACCEPT", newConference});
}

std::string ConfCommands::BreakoutReject(int32_t invitingUser)
{
    return ConfText::JoinLine({"APP", "BREAKOUT", Decimal(invitingUser), "REJECT"});
}

std::string ConfCommands::PhoneDtmf(char key)
{
    return ConfText::JoinLine({"PHONE", "DTMF", std::string(1, key)});
}
