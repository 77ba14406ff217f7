#include "CConfDefaultEnvironment.h"

#include "ConfStrings.h"

#include <chrono>
#include <random>

std::string CConfDefaultEnvironment::String(int32_t number)
{
    switch (number) {
    case ConfStrings::kRejected:
        return "Request to join the conference was rejected by the server.\nReason: %s";
    case ConfStrings::kServerDisconnected:
        return "Server disconnected";
    case ConfStrings::kServerConnected:
        return "Server connected";
    case ConfStrings::kJoinAccepted:
        return "Request to join accepted";
    case ConfStrings::kSendFailed:
        return "Error sending on socket. Code: 0x%x";
    case ConfStrings::kTerminated:
        return "The connection was terminated by the server.\nReason: %s";
    case ConfStrings::kLineTooLong:
        return "Receive buffer overflow %d";
    case ConfStrings::kNoCodec:
        return "Could not negotiate a compatible voice codec for this conference.\n"
               "Connection terminated.";
    case ConfStrings::kRedirected:
        return "Redirected...";
    case ConfStrings::kOneOnOne:
        return " One-on-One";
    case ConfStrings::kInvalidAccount:
        return "Invalid account";
    default:
        return std::string();
    }
}

std::optional<std::string> CConfDefaultEnvironment::ToUtf8(std::string_view text)
{
    return std::string(text);
}

std::optional<std::string> CConfDefaultEnvironment::FromUtf8(std::string_view text)
{
    return std::string(text);
}

uint32_t CConfDefaultEnvironment::SequenceSeed()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    std::minstd_rand generator(static_cast<uint32_t>(now));
    return static_cast<uint32_t>(generator() & 0x7FFF);
}
