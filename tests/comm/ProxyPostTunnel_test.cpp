#include "UcmPostTunnel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ProxyBytes.h"
#include "TvlIpAddress.h"
#include "UcmPostLinkStarter.h"
#include "ZrServerAddress.h"

namespace {

// Counts the secondaries asked for; answers `code`.
class CFakeLinkStarter : public IUcmPostLinkStarter {
public:
    int32_t StartPostLink(CUcmPostTunnel&) override
    {
        ++started;
        return code;
    }

    int started = 0;
    int32_t code = 0;
};

ProxyBytes LinkRequest(uint32_t tunnelId, const ProxyBytes& batch)
{
    const ProxyBytes id = {static_cast<uint8_t>(tunnelId >> 24), static_cast<uint8_t>(tunnelId >> 16),
                           static_cast<uint8_t>(tunnelId >> 8), static_cast<uint8_t>(tunnelId)};
    return Text("POST http://zr.example:1533 HTTP/1.0\r\nPragma: No-Cache\r\nContent-Length: "
                + std::to_string(5 + batch.size()) + "\r\n\r\n")
           + Hex("00") + id + batch;
}

ProxyBytes LinkReply(const std::string& id)
{
    return Text("HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\n") + Hex(id);
}

class ProxyPostTunnel : public testing::Test {
protected:
    ProxyPostTunnel() : tunnel(starter, output, {"zr.example", CTvlIpAddress::kUnknown, TvlPortToNet(1533)}) {}

    void Queue(const ProxyBytes& bytes) { output.Write(bytes.data(), static_cast<uint32_t>(bytes.size())); }

    // The running secondary's TCP connection is up: its request.
    ProxyBytes LinkConnected()
    {
        link = tunnel.MakeLinkHandshake();
        EXPECT_EQ(link->Start(request), 0);
        return Drain(request);
    }

    // The running secondary's reply arrives; answers OnLinkReply's result.
    int32_t LinkReplied(const ProxyBytes& reply)
    {
        const UcmProxyProgress progress = link->Feed(reply.data(), static_cast<uint32_t>(reply.size()), request);
        EXPECT_EQ(progress.status, EUcmProxyStatus::kDone);
        return tunnel.OnLinkReply(link->TunnelId());
    }

    CFakeLinkStarter starter;
    CTvlByteQueue output;
    CUcmPostTunnel tunnel;
    std::unique_ptr<CUcmPostHandshake> link;
    CTvlByteQueue request;
};

TEST_F(ProxyPostTunnel, NoSecondaryUntilThePrimaryIsConnected)
{
    Queue(Hex("00 00 00 01 AA"));
    EXPECT_EQ(tunnel.Flush(), 0);
    EXPECT_EQ(starter.started, 0);
    tunnel.OnPrimaryReply(0x5A000001);
    EXPECT_EQ(tunnel.Flush(), 0);
    EXPECT_EQ(starter.started, 1);
    EXPECT_TRUE(tunnel.IsLinkRunning());
}

TEST_F(ProxyPostTunnel, NoSecondaryWithoutOutput)
{
    tunnel.OnPrimaryReply(7);
    EXPECT_EQ(tunnel.Flush(), 0);
    EXPECT_EQ(starter.started, 0);
}

TEST_F(ProxyPostTunnel, BatchesQueuedWhileASecondaryWaitsGoOutTogether)
{
    tunnel.OnPrimaryReply(0x5A000001);
    const ProxyBytes first = Hex("00 00 00 01 11"), second = Hex("00 00 00 02 22 22"),
                     third = Hex("00 00 00 01 33");
    Queue(first);
    tunnel.Flush();
    EXPECT_EQ(LinkConnected(), LinkRequest(0x5A000001, first));
    EXPECT_EQ(output.Size(), 0u) << "the batch moved into the secondary's request";

    Queue(second);
    EXPECT_EQ(tunnel.Flush(), 0);
    Queue(third);
    EXPECT_EQ(tunnel.Flush(), 0);
    EXPECT_EQ(starter.started, 1) << "one secondary at a time";

    EXPECT_EQ(LinkReplied(LinkReply("5A 00 00 01")), 0);
    EXPECT_EQ(starter.started, 2) << "output waiting starts the next secondary at once";
    EXPECT_EQ(LinkConnected(), LinkRequest(0x5A000001, second + third));
}

TEST_F(ProxyPostTunnel, SecondaryReplyKeepsItsTunnelId)
{
    tunnel.OnPrimaryReply(0x01020304);
    Queue(Hex("01"));
    tunnel.Flush();
    EXPECT_EQ(LinkConnected(), LinkRequest(0x01020304, Hex("01")));
    EXPECT_EQ(LinkReplied(LinkReply("0A 0B 0C 0D")), 0);
    EXPECT_EQ(tunnel.TunnelId(), 0x0A0B0C0Du);
    EXPECT_FALSE(tunnel.IsLinkRunning());
    EXPECT_EQ(starter.started, 1) << "nothing waited, so no further secondary";

    Queue(Hex("02"));
    tunnel.Flush();
    EXPECT_EQ(LinkConnected(), LinkRequest(0x0A0B0C0D, Hex("02")));
}

TEST_F(ProxyPostTunnel, StarterFailureIsThePrimarysFailure)
{
    tunnel.OnPrimaryReply(1);
    starter.code = 2;
    Queue(Hex("01"));
    EXPECT_EQ(tunnel.Flush(), 2);
    EXPECT_FALSE(tunnel.IsLinkRunning());
    EXPECT_EQ(output.Size(), 1u) << "output stays queued";
}

TEST_F(ProxyPostTunnel, NextSecondaryFailingToStartAfterAReply)
{
    tunnel.OnPrimaryReply(1);
    Queue(Hex("01"));
    tunnel.Flush();
    LinkConnected();
    Queue(Hex("02"));
    starter.code = 4;
    EXPECT_EQ(LinkReplied(LinkReply("00 00 00 01")), 4);
}

TEST_F(ProxyPostTunnel, SecondaryFailureClosesTheTunnel)
{
    tunnel.OnPrimaryReply(1);
    Queue(Hex("01"));
    tunnel.Flush();
    EXPECT_EQ(tunnel.OnLinkFailed(43), 43);
    EXPECT_FALSE(tunnel.IsOpen());
    Queue(Hex("02"));
    EXPECT_EQ(tunnel.Flush(), 0);
    EXPECT_EQ(starter.started, 1);
}

TEST_F(ProxyPostTunnel, RefusedSecondaryReply)
{
    tunnel.OnPrimaryReply(1);
    Queue(Hex("01"));
    tunnel.Flush();
    LinkConnected();
    const ProxyBytes reply = Text("HTTP/1.0 404 Not Found\r\nContent-Length: 4\r\n\r\n") + Hex("00 00 00 00");
    const UcmProxyProgress progress = link->Feed(reply.data(), static_cast<uint32_t>(reply.size()), request);
    EXPECT_EQ(progress.status, EUcmProxyStatus::kRefused);
    EXPECT_EQ(progress.code, 12);
}

} // namespace
