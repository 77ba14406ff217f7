#include "ConfChannelLink.h"

#include "ConfStrings.h"
#include "ConfText.h"
#include "TextControlChannel.h"
#include "TunnelControlChannel.h"

#include <cinttypes>
#include <cstdio>

namespace {

constexpr int32_t kNoServerString = 221;
constexpr int32_t kConnectErrorString = 203;

std::string Hex(int32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "%" PRIx32, static_cast<uint32_t>(code));
    return text;
}

} // namespace

ConfChannelLink::ConfChannelLink(INetSocketFactory& sockets, IConfEnvironment& environment,
                                 CConfConnectPlan& plan)
    : m_sockets(sockets), m_environment(environment), m_plan(plan)
{
}

bool ConfChannelLink::OnAttemptConnected(int32_t port, std::unique_ptr<INetSocket> socket)
{
    if (!m_plan.OnConnected(port))
        return false;
    Attach(port, std::move(socket));
    if (m_protocol) {
        m_protocol->SetTunnelInUse(port == kTunnelPort);
        m_protocol->OnConnected(m_plan.Server(), port);
    }
    return true;
}

void ConfChannelLink::Attach(int32_t port, std::unique_ptr<INetSocket> socket)
{
    if (m_channel) {
        m_channel->Close();
        m_retired = std::move(m_channel);
    }
    if (port == kTunnelPort)
        m_channel = std::make_unique<TunnelControlChannel>(std::move(socket), *this);
    else
        m_channel = std::make_unique<TextControlChannel>(std::move(socket), *this, m_sockets);
}

bool ConfChannelLink::SendText(const std::string& text, int32_t& errorCode)
{
    if (!m_channel) {
        errorCode = 0;
        return false;
    }
    return m_channel->SendLine(text, errorCode);
}

void ConfChannelLink::Close()
{
    if (m_channel)
        m_channel->Close();
}

bool ConfChannelLink::ConnectDirect(const std::string& server, int32_t port,
                                    std::string& errorText)
{
    int32_t error = 0;
    auto socket = m_sockets.Connect(server, port, false, error);
    if (!socket) {
        const bool noServer = error == NetError::kTimedOut || error == NetError::kRefused;
        errorText = ConfText::FormatOne(
            m_environment.String(noServer ? kNoServerString : kConnectErrorString),
            noServer ? std::string() : Hex(error));
        return false;
    }
    Attach(port, std::move(socket));
    if (m_protocol) {
        m_protocol->SetTunnelInUse(port == kTunnelPort);
        m_protocol->OnConnected(server, port);
    }
    return true;
}

void ConfChannelLink::OnLine(const char* bytes, size_t length)
{
    if (m_protocol)
        m_protocol->OnLine(bytes, length);
}

void ConfChannelLink::OnTooLong(const std::string& length)
{
    if (m_protocol)
        m_protocol->EndWithError(
            ConfText::FormatOne(m_environment.String(ConfStrings::kLineTooLong), length));
}
