#include "ZrServerConnection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeUcmPort.h"
#include "SessionDoubles.h"
#include "UcmAddress.h"
#include "UcmConnection.h"
#include "UcmError.h"
#include "UcmManager.h"
#include "ZrServerSocket.h"

namespace {

uint32_t Address(const char* text)
{
    uint32_t address = 0;
    EXPECT_TRUE(UcmParseAddress(text, address));
    return address;
}

class RecordingConnection : public CZrServerConnection {
public:
    using CZrServerConnection::CZrServerConnection;
    std::vector<int32_t> disconnects;
    int32_t ready = 0;

protected:
    void OnSessionReady() override { ++ready; }
    void OnDisconnected(int32_t reason) override { disconnects.push_back(reason); }
};

class ZrServerConnectionTest : public ::testing::Test {
protected:
    ZrServerConnectionTest() : manager(port), connection(manager, &handler)
    {
        port.connectError = UcmSys::kWouldBlock;
    }

    // Starts the socket that the connection made last and reports an event.
    void Event(uint32_t event, int32_t error = 0)
    {
        const UcmSocketHandle socket = port.nextSocket - 1;
        manager.DispatchStart(socket);
        manager.DispatchEvent(socket, event, error);
    }

    CFakeUcmPort port;
    CUcmManager manager;
    CFakeSessionHandler handler;
    RecordingConnection connection;
};

TEST_F(ZrServerConnectionTest, ConnectWithoutHandlerDoesNothing)
{
    RecordingConnection orphan(manager, nullptr);
    EXPECT_EQ(orphan.Connect("127.0.0.1", CZrServerAddress()), 1);
    EXPECT_EQ(orphan.GetState(), CZrServerConnection::kIdle);
    EXPECT_EQ(manager.Count(), 0u);
}

TEST_F(ZrServerConnectionTest, DottedHostIsConnectedWithoutLookUp)
{
    ASSERT_EQ(connection.Connect("127.0.0.1", CZrServerAddress()), 0);
    EXPECT_EQ(port.nextLookup, 77u);
    EXPECT_EQ(connection.GetState(), CZrServerConnection::kConnecting);
    EXPECT_EQ(port.connectedAddress, Address("127.0.0.1"));
    EXPECT_EQ(port.connectedPort, TvlPortFromNet(ZrGetServerPort()));
}

TEST_F(ZrServerConnectionTest, AddressesAreTriedInTurnOnFreshSocketsAndOneReportEnds)
{
    ASSERT_EQ(connection.Connect("twohomes", CZrServerAddress()), 0);
    EXPECT_EQ(connection.GetState(), CZrServerConnection::kResolvingServer);
    manager.DispatchLookup(77, 0, {Address("10.0.0.1"), Address("10.0.0.2")});
    const UcmSocketHandle first = port.nextSocket - 1;
    EXPECT_EQ(port.connectedAddress, Address("10.0.0.1"));

    Event(UcmEvent::kConnect, UcmSys::kConnRefused);
    EXPECT_NE(port.nextSocket - 1, first);
    EXPECT_EQ(port.connectedAddress, Address("10.0.0.2"));
    EXPECT_EQ(connection.Address(), Address("10.0.0.2"));
    EXPECT_TRUE(connection.disconnects.empty());

    Event(UcmEvent::kConnect, UcmSys::kConnRefused);
    EXPECT_EQ(connection.disconnects, std::vector<int32_t>{217});
    EXPECT_EQ(connection.GetState(), CZrServerConnection::kIdle);
    manager.CleanUp();
    EXPECT_EQ(manager.Count(), 0u);
}

TEST_F(ZrServerConnectionTest, FailedLookUpReportsItsReason)
{
    ASSERT_EQ(connection.Connect("nowhere", CZrServerAddress()), 0);
    manager.DispatchLookup(77, UcmSys::kHostNotFound, {});
    EXPECT_EQ(connection.disconnects, std::vector<int32_t>{239});
}

TEST_F(ZrServerConnectionTest, FirstFrameOfFiveBytesTriesTheNextAddressThenReports210)
{
    port.connectError = 0;
    ASSERT_EQ(connection.Connect("127.0.0.1", CZrServerAddress()), 0);
    port.input.push_back(CFakeUcmPort::Data({0, 0, 0, 5, 1, 2, 3, 4, 5}));
    Event(UcmEvent::kRead);
    EXPECT_EQ(connection.disconnects, std::vector<int32_t>{210});
    EXPECT_EQ(connection.Session(), nullptr);
}

TEST_F(ZrServerConnectionTest, FirstFrameCreatesTheSessionWhichSaysHello)
{
    port.connectError = 0;
    ASSERT_EQ(connection.Connect("127.0.0.1", CZrServerAddress()), 0);
    port.input.push_back(CFakeUcmPort::Data({0, 0, 0, 4, 127, 0, 0, 1}));
    Event(UcmEvent::kRead);
    ASSERT_NE(connection.Session(), nullptr);
    EXPECT_EQ(connection.GetState(), CZrServerConnection::kWaitingHello);
    manager.DispatchEvent(port.nextSocket - 1, UcmEvent::kWrite, 0);
    // one frame, the hello: the first sequence byte, then its length
    ASSERT_GE(port.sent.size(), 9u);
    EXPECT_EQ(port.sent[0], 0x81);
    const uint32_t length = (uint32_t{port.sent[1]} << 24) | (uint32_t{port.sent[2]} << 16) |
                            (uint32_t{port.sent[3]} << 8) | port.sent[4];
    EXPECT_EQ(length + 5, port.sent.size());
    connection.Disconnect();
    EXPECT_EQ(connection.GetState(), CZrServerConnection::kIdle);
    EXPECT_TRUE(connection.disconnects.empty());
}

TEST_F(ZrServerConnectionTest, ProxyAddressMustBeKnownBeforeConnecting)
{
    CZrServerAddress settings;
    settings.kind = CZrServerAddress::kHttpConnect;
    settings.proxyHost = "127.0.0.9";
    settings.proxyPort = TvlPortToNet(8080);
    ASSERT_EQ(connection.Connect("server.example", settings), 0);
    EXPECT_EQ(port.nextLookup, 77u);                      // neither host looked up
    EXPECT_EQ(port.connectedAddress, Address("127.0.0.9"));
    EXPECT_EQ(port.connectedPort, 8080);
    EXPECT_EQ(connection.Settings().proxyAddress, Address("127.0.0.9"));
}

} // namespace
