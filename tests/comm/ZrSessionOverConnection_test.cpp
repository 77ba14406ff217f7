// A session over a framed connection of the socket manager, with a scripted
// port: the two halves meet as the server connection joins them.
#include <gtest/gtest.h>

#include "FakeUcmPort.h"
#include "LogCapture.h"
#include "MapSwitchSource.h"
#include "SessionDoubles.h"
#include "TvlSwitchSource.h"
#include "UcmConnection.h"
#include "UcmError.h"
#include "UcmManager.h"
#include "ZrMessage.h"
#include "ZrSession.h"

namespace {

using Events = std::vector<std::string>;

// Forwards frames and breaks to the session, and the session's sends to the
// connection, as the server connection's socket does.
class CSessionConnection : public CUcmConnection, public IZrSessionSocket {
public:
    using CUcmConnection::CUcmConnection;

    void Send(const uint8_t* prefix, uint32_t prefixLength, const uint8_t* body, uint32_t bodyLength) override
    {
        CUcmConnection::Send(prefix, prefixLength, body, bodyLength);
    }
    void Release() override
    {
        session = nullptr;
        Close();
    }

    CZrSession* session = nullptr;

protected:
    void OnFrame(uint32_t length, const uint8_t* bytes) override
    {
        if (session != nullptr)
            session->OnMessage(length, bytes);
    }
    void OnBroken(int32_t code) override
    {
        if (session != nullptr)
            session->OnConnectionBroken(code);
    }
};

class ZrSessionOverConnectionTest : public ::testing::Test {
protected:
    ZrSessionOverConnectionTest() : m_previousSource(TvlSetSwitchSource(&m_switches))
    {
        connection = new CSessionConnection(manager, CUcmConnection::kKeepAlive | CUcmConnection::kSequence);
        manager.Register(connection);
        manager.DispatchStart(connection->Socket());
        connection->Connect("server", 0x0100007F, 1533);
        session = std::make_unique<CZrSession>(&owner, connection, handler, "server", 0);
        connection->session = session.get();
    }
    ~ZrSessionOverConnectionTest() override
    {
        session.reset();
        TvlSetSwitchSource(m_previousSource);
    }

    void ServerSends(const Bytes& bytes)
    {
        // A read event comes again while bytes remain, as after every recv.
        port.input.push_back(CFakeUcmPort::Data(bytes));
        while (!port.input.empty() && connection->GetState() == CUcmConnection::kConnected)
            manager.DispatchEvent(connection->Socket(), UcmEvent::kRead, 0);
    }
    void Flush() { manager.DispatchEvent(connection->Socket(), UcmEvent::kWrite, 0); }

    CMapSwitchSource m_switches{{}};
    ITvlSwitchSource* m_previousSource;
    CLogCapture logs;
    CFakeUcmPort port;
    CUcmManager manager{port};
    CFakeSessionOwner owner;
    CFakeSessionHandler handler;
    CSessionConnection* connection = nullptr;
    std::unique_ptr<CZrSession> session;
};

TEST_F(ZrSessionOverConnectionTest, HelloAcknowledgementAndErrorReportAreFramed)
{
    Flush();
    const Bytes hello = CWireEncoder().Header(0).U16(3).U16(1).U8(1).U8(0);
    EXPECT_EQ(port.sent, Frame(hello, 1));

    Bytes stream = Frame(Server::Hello(5), 1);
    uint32_t seq = 1;
    for (int i = 0; i < 1000; ++i) {
        seq = seq == 127 ? 1 : seq + 1;
        stream = stream + Bytes{0x80} + Frame(Server::Message(7), seq);
    }
    ServerSends(stream);
    EXPECT_EQ(owner.events, (Events{"ready"}));
    port.sent.clear();
    Flush();
    EXPECT_EQ(port.sent, Frame(CWireEncoder().Header(33).U32(1000), 2));

    port.sent.clear();
    const Bytes bad = Server::Message(37, 0, {1});
    seq = seq == 127 ? 1 : seq + 1;
    ServerSends(Frame(bad, seq));
    Flush();
    EXPECT_EQ(port.sent, Frame(Server::ErrorReport(2, 7, bad, 3), 3) + Frame({}, 4)) << "report, then close";
    EXPECT_EQ(connection->GetState(), CUcmConnection::kClosed);
    EXPECT_EQ(owner.events, (Events{"ready", "ended 222"}));
}

TEST_F(ZrSessionOverConnectionTest, TheServersLastMessageGivesTheReason)
{
    ServerSends(Frame(Server::Hello(0), 1));
    owner.events.clear();
    port.input = {CFakeUcmPort::Data(Frame(CWireEncoder().Header(3).U16(240), 2)), CFakeUcmPort::Closed()};
    manager.DispatchEvent(connection->Socket(), UcmEvent::kClose, 0);
    EXPECT_EQ(owner.events, (Events{"ended 240"})) << "not the broken connection's reason";
}

} // namespace
