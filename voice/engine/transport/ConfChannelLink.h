// Joins the conference session to its control channel: the session sends
// through whichever channel is attached, the channel's lines reach the
// session, and a connection that succeeds becomes a TCP text channel (any
// port but 80) or an HTTP tunnel channel (port 80).
#pragma once

#include "CConfConnectPlan.h"
#include "CConferenceProtocol.h"
#include "ControlChannel.h"
#include "IConfChannel.h"
#include "IConfEnvironment.h"
#include "IControlLineSink.h"
#include "INetSocket.h"

#include <memory>
#include <string>

class ConfChannelLink : public IConfChannel, public IControlLineSink
{
public:
    static constexpr int32_t kTunnelPort = CConfConnectPlan::kTunnelPort;

    ConfChannelLink(INetSocketFactory& sockets, IConfEnvironment& environment,
                    CConfConnectPlan& plan);

    // The session this link reports to; set before any connection.
    void SetProtocol(CConferenceProtocol* protocol) { m_protocol = protocol; }

    // A connection attempt on `port` succeeded. When the plan still wants
    // it, the socket becomes the channel and the session sends CONNECT;
    // otherwise the socket is closed. True when the channel was taken.
    bool OnAttemptConnected(int32_t port, std::unique_ptr<INetSocket> socket);

    ControlChannel* Channel() const { return m_channel.get(); }
    // Deletes the channel that a newer one replaced. A channel is replaced
    // while it delivers a line (redirection), so it lives on until the
    // caller has left its read.
    void ReleaseRetired() { m_retired.reset(); }

    // IConfChannel
    bool SendText(const std::string& text, int32_t& errorCode) override;
    void Close() override;
    void StopAttempts() override { m_plan.StopAll(); }
    bool ConnectDirect(const std::string& server, int32_t port, std::string& errorText) override;

    // IControlLineSink
    void OnLine(const char* bytes, size_t length) override;
    void OnTooLong(const std::string& length) override;

private:
    void Attach(int32_t port, std::unique_ptr<INetSocket> socket);

    INetSocketFactory& m_sockets;
    IConfEnvironment& m_environment;
    CConfConnectPlan& m_plan;
    CConferenceProtocol* m_protocol = nullptr;
    std::unique_ptr<ControlChannel> m_channel;
    std::unique_ptr<ControlChannel> m_retired;
};
