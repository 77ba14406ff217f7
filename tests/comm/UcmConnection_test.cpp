#include "UcmConnection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "FakeUcmPort.h"
#include "MapSwitchSource.h"
#include "UcmAddress.h"
#include "UcmError.h"
#include "UcmManager.h"
#include "WireEncoder.h"

namespace {

constexpr uint8_t kBoth = CUcmConnection::kKeepAlive | CUcmConnection::kSequence;

// Records every notification as a line; `onFrame` and `onBroken` let a test
// act from inside a notification.
class CRecordingConnection : public CUcmConnection {
public:
    CRecordingConnection(CUcmManager& manager, uint8_t options, std::vector<std::string>& log)
        : CUcmConnection(manager, options), m_log(log)
    {
    }

    using CUcmConnection::Fail;

    std::function<void()> onFrame;
    std::function<void()> onBroken;
    std::function<void()> onConnectFailed;
    std::vector<Bytes> frames;
    int idles = 0;

protected:
    void OnIdle() override { ++idles; }
    void OnAddresses(const std::vector<CTvlIpAddress>& addresses) override
    {
        std::string line = "addresses";
        for (const CTvlIpAddress& address : addresses)
            line += " " + std::to_string(address.Address());
        m_log.push_back(line);
    }
    void OnLookupFailed(int32_t code) override { m_log.push_back("lookup failed " + std::to_string(code)); }
    void OnConnected() override { m_log.push_back("connected"); }
    void OnConnectFailed(int32_t code) override
    {
        m_log.push_back("connect failed " + std::to_string(code));
        if (onConnectFailed)
            onConnectFailed();
    }
    void OnFrame(uint32_t length, const uint8_t* bytes) override
    {
        frames.emplace_back(bytes, bytes + length);
        m_log.push_back("frame " + std::to_string(length));
        if (onFrame)
            onFrame();
    }
    void OnBroken(int32_t code) override
    {
        m_log.push_back("broken " + std::to_string(code));
        if (onBroken)
            onBroken();
    }

private:
    std::vector<std::string>& m_log;
};

class UcmConnectionTest : public ::testing::Test {
protected:
    UcmConnectionTest() : m_previousSource(TvlSetSwitchSource(&m_switches)) {}
    ~UcmConnectionTest() override { TvlSetSwitchSource(m_previousSource); }

    // A registered, started connection.
    CRecordingConnection* Make(uint8_t options = kBoth)
    {
        auto* connection = new CRecordingConnection(manager, options, log);
        EXPECT_EQ(manager.Register(connection), 0);
        manager.DispatchStart(connection->Socket());
        return connection;
    }

    // A connection connected at once.
    CRecordingConnection* Connected(uint8_t options = kBoth)
    {
        CRecordingConnection* connection = Make(options);
        EXPECT_EQ(connection->Connect("peer", 0x0100007F, 1533), 0);
        log.clear();
        port.selects.clear();
        return connection;
    }

    void Receive(CUcmConnection* connection, const Bytes& bytes)
    {
        port.input.push_back(CFakeUcmPort::Data(bytes));
        manager.DispatchEvent(connection->Socket(), UcmEvent::kRead, 0);
    }

    CMapSwitchSource m_switches{{{"UCM_TIMER_COUNT", 2}}};
    ITvlSwitchSource* m_previousSource;
    CFakeUcmPort port;
    CUcmManager manager{port};
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST(UcmError, SystemErrorsToLibraryCodes)
{
    const struct {
        int32_t error;
        int32_t code;
    } rows[] = {
        {10009, 1}, {10022, 1}, {10056, 1}, {10057, 1}, {10058, 1}, {10055, 2}, {10013, 3},
        {10024, 4}, {10048, 5}, {10050, 7}, {10051, 7}, {10091, 7}, {10064, 8}, {10065, 9},
        {11001, 31}, {11004, 31}, {11003, 32}, {11002, 33}, {10053, 42}, {10061, 43}, {10052, 44},
        {10054, 44}, {10060, 45}, {10101, 46}, {10035, 99}, {0, 99}, {12345, 99},
    };
    for (const auto& row : rows)
        EXPECT_EQ(UcmCodeFromError(99, row.error), row.code) << row.error;
}

TEST_F(UcmConnectionTest, MapErrorUsesTheLastErrorWhenGivenNone)
{
    port.lastError = 10054;
    EXPECT_EQ(manager.MapError(41, 0), 44);
    EXPECT_EQ(manager.LastSystemError(), 10054);
    EXPECT_EQ(manager.MapError(41, 10060), 45);
    EXPECT_EQ(manager.LastSystemError(), 10060);
}

TEST_F(UcmConnectionTest, SynchronousConnectIsConnectedBeforeConnectReturns)
{
    CRecordingConnection* connection = Make();
    log.push_back("before");
    EXPECT_EQ(connection->Connect("", 0x0100007F, 1533), 0);
    log.push_back("after");
    EXPECT_EQ(log, (Log{"before", "connected", "after"}));
    EXPECT_EQ(connection->GetState(), CUcmConnection::kConnected);
    EXPECT_EQ(port.selects, (std::vector<uint32_t>{33}));
    EXPECT_EQ(connection->PeerName(), "127.0.0.1");
    EXPECT_EQ(port.connectedPort, 1533);
    EXPECT_EQ(connection->Connect("", 0x0100007F, 1533), 1) << "only from state 0";
}

TEST_F(UcmConnectionTest, ConnectInProgressCompletesAtTheFirstEvent)
{
    port.connectError = UcmSys::kWouldBlock;
    CRecordingConnection* connection = Make();
    EXPECT_EQ(connection->Connect("host", 0x0100007F, 1533), 0);
    EXPECT_EQ(connection->GetState(), CUcmConnection::kConnecting);
    EXPECT_EQ(port.selects, (std::vector<uint32_t>{51}));
    EXPECT_TRUE(log.empty());
    manager.DispatchEvent(connection->Socket(), UcmEvent::kWrite, 0);
    EXPECT_EQ(log, (Log{"connected"}));
    EXPECT_EQ(connection->GetState(), CUcmConnection::kConnected);
}

TEST_F(UcmConnectionTest, ConnectFailures)
{
    CRecordingConnection* unknown = Make();
    EXPECT_EQ(unknown->Connect("", CTvlIpAddress::kUnknown, 1), 1);
    EXPECT_EQ(unknown->GetState(), CUcmConnection::kNew);

    port.connectError = UcmSys::kConnRefused;
    CRecordingConnection* refused = Make();
    EXPECT_EQ(refused->Connect("", 0x0100007F, 1533), 0);
    EXPECT_EQ(refused->GetState(), CUcmConnection::kClosed);
    port.connectError = UcmSys::kWouldBlock;
    CRecordingConnection* later = Make();
    later->Connect("", 0x0100007F, 1533);
    manager.DispatchEvent(later->Socket(), UcmEvent::kConnect, UcmSys::kTimedOut);
    EXPECT_EQ(log, (Log{"connect failed 43", "connect failed 45"}));
    EXPECT_FALSE(later->HasSocket());
}

TEST_F(UcmConnectionTest, SocketCreationFailure)
{
    port.createError = UcmSys::kTooManySockets;
    auto* connection = new CRecordingConnection(manager, kBoth, log);
    EXPECT_EQ(connection->GetState(), CUcmConnection::kClosed);
    EXPECT_EQ(connection->CreationCode(), 4);
    EXPECT_EQ(manager.Register(connection), 1);
    delete connection;
}

TEST_F(UcmConnectionTest, SendFramesAndFlushesThroughPartialSends)
{
    CRecordingConnection* connection = Connected();
    const uint8_t prefix[] = {0, 2};
    const uint8_t body[] = {'a', 'b', 'c'};
    connection->Send(prefix, 2, body, 3);
    connection->Send(nullptr, 0, body, 1);
    EXPECT_EQ(port.selects, (std::vector<uint32_t>{35})) << "asked for a write event once";
    const Bytes expected = Frame({0, 2, 'a', 'b', 'c'}, 1) + Frame({'a'}, 2);
    EXPECT_EQ(connection->QueuedBytes(), expected.size());

    port.sendLimit = 4;
    port.sendsBeforeBlock = 2;
    manager.DispatchEvent(connection->Socket(), UcmEvent::kWrite, 0);
    EXPECT_EQ(port.sendSizes, (std::vector<uint32_t>{4, 4}));
    EXPECT_EQ(connection->QueuedBytes(), expected.size() - 8) << "would-block keeps the rest";
    port.sendsBeforeBlock = -1;
    manager.DispatchEvent(connection->Socket(), UcmEvent::kWrite, 0);
    EXPECT_EQ(port.sent, expected);
    EXPECT_EQ(connection->QueuedBytes(), 0u);
    EXPECT_EQ(connection->GetState(), CUcmConnection::kConnected);
}

TEST_F(UcmConnectionTest, SendSequenceWrapsAfter127)
{
    CRecordingConnection* connection = Connected();
    const uint8_t body[] = {9};
    for (int i = 0; i < 128; ++i)
        connection->Send(nullptr, 0, body, 1);
    manager.DispatchEvent(connection->Socket(), UcmEvent::kWrite, 0);
    ASSERT_EQ(port.sent.size(), 128u * 6);
    EXPECT_EQ(port.sent[0], 0x81);
    EXPECT_EQ(port.sent[126 * 6], 0xFF);
    EXPECT_EQ(port.sent[127 * 6], 0x81);
}

TEST_F(UcmConnectionTest, SendFailures)
{
    CRecordingConnection* connection = Connected(0);
    const uint8_t body[] = {1};
    connection->Send(nullptr, 0, body, 1);
    port.sendError = UcmSys::kConnReset;
    manager.DispatchEvent(connection->Socket(), UcmEvent::kWrite, 0);
    EXPECT_EQ(log, (Log{"broken 44"}));

    CRecordingConnection* notYet = Make(0);
    notYet->Send(nullptr, 0, body, 1);
    EXPECT_EQ(notYet->QueuedBytes(), 0u) << "dropped before connected";
}

TEST_F(UcmConnectionTest, CloseSendsAnEmptyFrameThenShutsDownAndClosesAfterThePeer)
{
    CRecordingConnection* connection = Connected();
    const uint8_t body[] = {7};
    connection->Send(nullptr, 0, body, 1);
    EXPECT_TRUE(manager.IsSettled());
    connection->Close();
    EXPECT_EQ(connection->GetState(), CUcmConnection::kClosing);
    EXPECT_FALSE(manager.IsSettled()) << "the queue is still to be sent";
    EXPECT_EQ(port.selects.back(), 35u) << "reads go on while closing";
    connection->Send(nullptr, 0, body, 1);
    const UcmSocketHandle socket = connection->Socket();
    manager.DispatchEvent(socket, UcmEvent::kWrite, 0);
    EXPECT_EQ(port.sent, Frame({7}, 1) + Frame({}, 2));
    EXPECT_EQ(connection->GetState(), CUcmConnection::kClosed);
    EXPECT_EQ(port.shutdowns, (std::vector<UcmSocketHandle>{socket}));
    EXPECT_TRUE(port.closed.empty()) << "closed only after the peer";
    EXPECT_TRUE(manager.Drain().Holds(socket));
    EXPECT_TRUE(port.closeTimer);
    EXPECT_EQ(port.selects.back(), uint32_t{UcmEvent::kRead | UcmEvent::kClose});
    EXPECT_FALSE(manager.IsSettled()) << "the peer has not closed yet";

    port.input = {CFakeUcmPort::Data({0x81, 0, 0, 0, 1, 9}), CFakeUcmPort::Closed()};
    manager.DispatchEvent(socket, UcmEvent::kClose, 0);
    EXPECT_EQ(port.closed, (std::vector<UcmSocketHandle>{socket}));
    EXPECT_FALSE(manager.Drain().Holds(socket));
    EXPECT_FALSE(port.closeTimer);
    EXPECT_TRUE(manager.IsSettled());
    EXPECT_TRUE(connection->frames.empty());
    EXPECT_TRUE(log.empty()) << "a graceful close reports nothing";

    CRecordingConnection* fresh = Make();
    const UcmSocketHandle unconnected = fresh->Socket();
    fresh->Close();
    EXPECT_EQ(fresh->GetState(), CUcmConnection::kClosed);
    EXPECT_EQ(port.closed.back(), unconnected) << "a socket that never connected closes at once";
    EXPECT_EQ(port.shutdowns.size(), 1u);
    EXPECT_TRUE(log.empty());
}

TEST_F(UcmConnectionTest, WhileClosingInputIsThrownAwayAndTheQueueStillGoesOut)
{
    CRecordingConnection* connection = Connected();
    const uint8_t body[] = {1, 2, 3};
    port.sendsBeforeBlock = 0;
    connection->Send(nullptr, 0, body, 3);
    connection->Close();
    const UcmSocketHandle socket = connection->Socket();
    Receive(connection, Frame({4}, 1) + Frame({5}, 2));
    EXPECT_TRUE(port.input.empty()) << "read while closing";
    EXPECT_TRUE(connection->frames.empty()) << "and not delivered";
    EXPECT_EQ(connection->GetState(), CUcmConnection::kClosing);

    // The peer ends its side; what is queued is still sent, then the
    // socket closes at once since the peer has nothing more to say.
    port.input = {CFakeUcmPort::Closed()};
    port.sendsBeforeBlock = -1;
    manager.DispatchEvent(socket, UcmEvent::kClose, 0);
    EXPECT_EQ(port.sent, Frame({1, 2, 3}, 1) + Frame({}, 2));
    EXPECT_EQ(port.shutdowns, (std::vector<UcmSocketHandle>{socket}));
    EXPECT_EQ(port.closed, (std::vector<UcmSocketHandle>{socket}));
    EXPECT_EQ(manager.Drain().Count(), 0u);
    EXPECT_TRUE(log.empty());
}

TEST_F(UcmConnectionTest, ClosingEndsWithoutReportOnAResetOrStuckOutput)
{
    const uint8_t body[] = {1};
    CRecordingConnection* reset = Connected();
    port.sendsBeforeBlock = 0;
    reset->Send(nullptr, 0, body, 1);
    reset->Close();
    const UcmSocketHandle resetSocket = reset->Socket();
    port.input = {CFakeUcmPort::Error(UcmSys::kConnReset)};
    manager.DispatchEvent(resetSocket, UcmEvent::kRead, 0);
    EXPECT_EQ(reset->GetState(), CUcmConnection::kClosed);
    EXPECT_EQ(port.closed, (std::vector<UcmSocketHandle>{resetSocket}));

    CRecordingConnection* stuck = Connected();
    const UcmSocketHandle stuckSocket = stuck->Socket();
    stuck->Send(nullptr, 0, body, 1);
    stuck->Close();
    manager.KeepAliveTimer();
    EXPECT_EQ(stuck->GetState(), CUcmConnection::kClosing);
    EXPECT_EQ(manager.Count(), 1u) << "the reset one is cleaned up";
    manager.KeepAliveTimer();
    EXPECT_EQ(manager.Count(), 0u) << "UCM_TIMER_COUNT ticks without progress end the closing one";
    EXPECT_EQ(port.shutdowns, (std::vector<UcmSocketHandle>{stuckSocket}));
    EXPECT_TRUE(log.empty());
}

TEST_F(UcmConnectionTest, AFailureOfAnOpenConnectionDrainsItsSocket)
{
    CRecordingConnection* connection = Connected();
    const UcmSocketHandle socket = connection->Socket();
    Receive(connection, Frame({1}, 1) + Frame({2}, 3));
    EXPECT_EQ(log.back(), "broken 10");
    EXPECT_EQ(port.shutdowns, (std::vector<UcmSocketHandle>{socket}));
    EXPECT_TRUE(manager.Drain().Holds(socket));

    port.connectError = UcmSys::kConnRefused;
    CRecordingConnection* refused = Make();
    const UcmSocketHandle refusedSocket = refused->Socket();
    refused->Connect("peer", 0x0100007F, 1533);
    EXPECT_EQ(log.back(), "connect failed 43");
    EXPECT_EQ(port.closed, (std::vector<UcmSocketHandle>{refusedSocket}));
    EXPECT_EQ(port.shutdowns.size(), 1u);
}

TEST_F(UcmConnectionTest, NoLibraryRestartWhileASocketIsDrained)
{
    CRecordingConnection* connection = Connected();
    const UcmSocketHandle socket = connection->Socket();
    connection->Close();
    manager.DispatchEvent(socket, UcmEvent::kWrite, 0);
    manager.CleanUp();
    EXPECT_EQ(manager.Count(), 0u);
    const int32_t restarts = port.restarts;
    delete new CRecordingConnection(manager, kBoth, log);
    EXPECT_EQ(port.restarts, restarts) << "the drained socket is still open";
    for (uint32_t tick = 0; tick < CUcmSocketDrain::kBoundTicks; ++tick)
        manager.CloseTimer();
    EXPECT_EQ(port.closed.back(), socket);
    EXPECT_EQ(manager.Drain().Count(), 0u);
    delete new CRecordingConnection(manager, kBoth, log);
    EXPECT_EQ(port.restarts, restarts + 1);
}

TEST_F(UcmConnectionTest, FramesAreDeliveredAndKeepAliveBytesSkipped)
{
    CRecordingConnection* connection = Connected();
    Receive(connection, Bytes{0x80} + Frame({1, 2}, 1) + Bytes{0x80, 0x80} + Frame({3}, 2));
    EXPECT_EQ(connection->frames, (std::vector<Bytes>{{1, 2}, {3}}));
    Receive(connection, Frame({4}, 4));
    EXPECT_EQ(log.back(), "broken 10");
}

TEST_F(UcmConnectionTest, PeerCloseAndReceiveErrors)
{
    const struct {
        CFakeUcmPort::Step step;
        const char* expected;
    } rows[] = {
        {CFakeUcmPort::Closed(), "broken 41"},
        {CFakeUcmPort::Error(UcmSys::kConnAborted), "broken 42"},
        {CFakeUcmPort::Error(UcmSys::kWouldBlock), nullptr},
        {CFakeUcmPort::Error(UcmSys::kInterrupted), nullptr},
        {CFakeUcmPort::Data(Frame({})), "broken 46"},
    };
    for (const auto& row : rows) {
        log.clear();
        CRecordingConnection* connection = Connected();
        port.input = {row.step};
        manager.DispatchEvent(connection->Socket(), UcmEvent::kRead, 0);
        if (row.expected == nullptr) {
            EXPECT_TRUE(log.empty());
            EXPECT_EQ(connection->GetState(), CUcmConnection::kConnected);
        } else {
            EXPECT_EQ(log, (Log{row.expected}));
        }
        port.input.clear();
    }
}

TEST_F(UcmConnectionTest, BusyGuardDefersACloseAndTheFirstCodeWins)
{
    CRecordingConnection* connection = Connected();
    connection->onFrame = [&] {
        manager.DispatchEvent(connection->Socket(), UcmEvent::kClose, UcmSys::kConnReset);
        manager.DispatchEvent(connection->Socket(), UcmEvent::kClose, UcmSys::kConnAborted);
        log.push_back(connection->GetState() == CUcmConnection::kConnected ? "still connected" : "closed early");
    };
    Receive(connection, Frame({1}, 1) + Frame({2}, 2));
    EXPECT_EQ(log, (Log{"frame 1", "still connected", "frame 1", "still connected", "broken 44"}));
}

TEST_F(UcmConnectionTest, EventWhileBusySelectsTheMaskAgainInsteadOfIdle)
{
    CRecordingConnection* connection = Connected();
    EXPECT_EQ(connection->idles, 0) << "connecting is no event handling";
    connection->onFrame = [&] { manager.DispatchEvent(connection->Socket(), UcmEvent::kRead, 0); };
    Receive(connection, Frame({1}, 1));
    EXPECT_EQ(connection->frames.size(), 1u);
    EXPECT_EQ(port.selects, (std::vector<uint32_t>{33})) << "the current mask again";
    EXPECT_EQ(connection->idles, 0);
    connection->onFrame = nullptr;
    Receive(connection, Frame({2}, 2));
    EXPECT_EQ(connection->idles, 1);
    manager.DispatchEvent(connection->Socket(), UcmEvent::kWrite, 0);
    EXPECT_EQ(connection->idles, 2);
    EXPECT_EQ(port.selects.size(), 1u);
}

TEST_F(UcmConnectionTest, CloseEventDeliversWhatTheSocketStillHolds)
{
    CRecordingConnection* connection = Connected();
    port.input = {CFakeUcmPort::Data(Frame({5, 5}, 1) + Frame({6}, 2)), CFakeUcmPort::Closed()};
    manager.DispatchEvent(connection->Socket(), UcmEvent::kClose, 0);
    EXPECT_EQ(log, (Log{"frame 2", "frame 1", "broken 41"}));

    log.clear();
    CRecordingConnection* ended = Connected();
    port.input = {CFakeUcmPort::Data(Frame({5}, 1) + Frame({}, 2))};
    manager.DispatchEvent(ended->Socket(), UcmEvent::kClose, 0);
    EXPECT_EQ(log, (Log{"frame 1", "broken 46"}));
}

TEST_F(UcmConnectionTest, StuckOutputBreaksAfterTheTickLimit)
{
    CRecordingConnection* connection = Connected();
    const uint8_t body[] = {1};
    port.sendsBeforeBlock = 0;
    connection->Send(nullptr, 0, body, 1);
    manager.DispatchEvent(connection->Socket(), UcmEvent::kWrite, 0);
    manager.KeepAliveTimer();
    EXPECT_EQ(connection->StuckTicks(), 1u);
    EXPECT_TRUE(log.empty());
    manager.KeepAliveTimer();
    EXPECT_EQ(log, (Log{"broken 41"}));
}

TEST_F(UcmConnectionTest, ProgressResetsTheStuckCountAndIdleTicksSendKeepAlive)
{
    CRecordingConnection* connection = Connected();
    const uint8_t body[] = {1, 2, 3, 4, 5, 6};
    connection->Send(nullptr, 0, body, 6);
    port.sendLimit = 2;
    port.sendsBeforeBlock = 1;
    manager.DispatchEvent(connection->Socket(), UcmEvent::kWrite, 0);
    manager.KeepAliveTimer();
    EXPECT_EQ(connection->StuckTicks(), 0u) << "the tick found progress";
    manager.KeepAliveTimer();
    EXPECT_EQ(connection->StuckTicks(), 1u);
    port.sendsBeforeBlock = 1;
    manager.DispatchEvent(connection->Socket(), UcmEvent::kWrite, 0);
    manager.KeepAliveTimer();
    manager.KeepAliveTimer();
    EXPECT_EQ(connection->StuckTicks(), 1u);
    EXPECT_TRUE(log.empty());

    port.sendLimit = 0;
    port.sendsBeforeBlock = -1;
    manager.DispatchEvent(connection->Socket(), UcmEvent::kWrite, 0);
    port.sent.clear();
    manager.KeepAliveTimer();
    EXPECT_TRUE(port.sent.empty()) << "no keep-alive byte on a tick that found progress";
    manager.KeepAliveTimer();
    EXPECT_EQ(port.sent, Bytes{0x80});

    connection->Close();
    CRecordingConnection* quiet = Connected(CUcmConnection::kSequence);
    port.sent.clear();
    manager.KeepAliveTimer();
    manager.KeepAliveTimer();
    EXPECT_TRUE(port.sent.empty()) << "only a connection with keep-alive on";
    EXPECT_EQ(quiet->GetState(), CUcmConnection::kConnected);
}

TEST_F(UcmConnectionTest, NoCleanUpOfAConnectionInsideItsOwnNotification)
{
    CRecordingConnection* connection = Connected();
    bool finishedInside = true;
    connection->onBroken = [&] {
        finishedInside = connection->IsFinished();
        for (int i = 0; i < 6; ++i)
            delete new CRecordingConnection(manager, 0, log); // never registered
        manager.CleanUp();
        manager.KeepAliveTimer();
        log.push_back(connection->PeerName());
    };
    const uint32_t before = manager.Count();
    port.input = {CFakeUcmPort::Closed()};
    manager.DispatchEvent(connection->Socket(), UcmEvent::kRead, 0);
    EXPECT_FALSE(finishedInside);
    EXPECT_EQ(log, (Log{"broken 41", "peer"}));
    EXPECT_TRUE(connection->IsFinished());
    manager.CleanUp();
    EXPECT_EQ(manager.Count(), before - 1);
}

TEST_F(UcmConnectionTest, ConnectFailureMayStartTheNextAttemptInsideTheNotification)
{
    port.connectError = UcmSys::kWouldBlock;
    CRecordingConnection* first = Make();
    first->Connect("first", 0x0100007F, 1);
    // The owner's next attempt registers new connections from inside the
    // failure notification; the sixth registration cleans up.
    first->onConnectFailed = [&] {
        for (int i = 0; i < 6; ++i)
            Make();
    };
    manager.DispatchEvent(first->Socket(), UcmEvent::kConnect, UcmSys::kConnRefused);
    EXPECT_EQ(first->PeerName(), "first") << "still alive after its notification";
    EXPECT_EQ(log.front(), "connect failed 43");
    const uint32_t before = manager.Count();
    manager.CleanUp();
    EXPECT_EQ(manager.Count(), before - 1);
}

TEST_F(UcmConnectionTest, ManagerDispatch)
{
    CRecordingConnection* connection = new CRecordingConnection(manager, kBoth, log);
    manager.Register(connection);
    port.connectError = UcmSys::kWouldBlock;
    connection->Connect("", 0x0100007F, 1);
    manager.DispatchEvent(connection->Socket(), UcmEvent::kWrite, 0);
    EXPECT_TRUE(log.empty()) << "not started: ignored";
    manager.DispatchStart(connection->Socket());
    EXPECT_TRUE(connection->IsStarted());
    manager.DispatchEvent(connection->Socket() + 1, UcmEvent::kRead, 0);
    manager.DispatchEvent(connection->Socket(), UcmEvent::kConnect, 0);
    EXPECT_TRUE(log.empty()) << "unknown socket and connect without error do nothing";
    manager.DispatchEvent(connection->Socket(), UcmEvent::kRead, 0);
    EXPECT_EQ(log, (Log{"connected"}));
    port.lastError = UcmSys::kConnReset;
    manager.DispatchEvent(connection->Socket(), UcmEvent::kClose, 0);
    EXPECT_EQ(log, (Log{"connected", "broken 44"})) << "error word 0 asks for the last error";
}

TEST_F(UcmConnectionTest, SelectPoll)
{
    CRecordingConnection* connection = Connected();
    CRecordingConnection* idle = Make();
    manager.SelectTimer();
    EXPECT_EQ(port.selects.size(), 2u);
    EXPECT_NE(std::find(port.selects.begin(), port.selects.end(), 33u), port.selects.end());
    EXPECT_NE(std::find(port.selects.begin(), port.selects.end(), 51u), port.selects.end());
    port.selectError = UcmSys::kNotConnected;
    manager.SelectTimer();
    EXPECT_EQ(log, (Log{"broken 1"}));
    EXPECT_EQ(idle->GetState(), CUcmConnection::kClosed);
    EXPECT_EQ(connection->GetState(), CUcmConnection::kClosed);
}

TEST_F(UcmConnectionTest, ResolveAndLookUp)
{
    CRecordingConnection* dotted = Make();
    EXPECT_EQ(dotted->Resolve("10.1.2.3"), 0);
    uint32_t address = 0;
    ASSERT_TRUE(UcmParseAddress("10.1.2.3", address));
    EXPECT_EQ(log, (Log{"addresses " + std::to_string(address)}));
    EXPECT_EQ(dotted->GetState(), CUcmConnection::kNew);

    log.clear();
    CRecordingConnection* named = Make();
    EXPECT_EQ(named->Resolve("server.example"), 0);
    EXPECT_EQ(named->GetState(), CUcmConnection::kResolving);
    EXPECT_EQ(named->Resolve("again"), 1);
    const uint64_t handle = named->GetLookupHandle();
    manager.DispatchLookup(handle, 0, {address, 5});
    EXPECT_EQ(log, (Log{"addresses " + std::to_string(address) + " 5"}));
    EXPECT_EQ(named->GetState(), CUcmConnection::kNew);
    EXPECT_EQ(named->GetLookupHandle(), 0u);

    log.clear();
    CRecordingConnection* empty = Make();
    empty->Resolve("nobody");
    manager.DispatchLookup(empty->GetLookupHandle(), 0, {});
    CRecordingConnection* missing = Make();
    missing->Resolve("nobody");
    manager.DispatchLookup(missing->GetLookupHandle(), UcmSys::kHostNotFound, {});
    port.lookupError = UcmSys::kTryAgain;
    CRecordingConnection* notNow = Make();
    notNow->Resolve("later");
    EXPECT_EQ(log, (Log{"lookup failed 32", "lookup failed 31", "lookup failed 33"}));

    CRecordingConnection* dropped = Make();
    port.lookupError = 0;
    dropped->Resolve("gone");
    const uint64_t droppedHandle = dropped->GetLookupHandle();
    dropped->Close();
    EXPECT_EQ(port.cancelled, (std::vector<uint64_t>{droppedHandle}));
}

TEST(UcmAddress, ParseTable)
{
    const struct {
        const char* text;
        bool ok;
        uint8_t bytes[4];
    } rows[] = {
        {"127.0.0.1", true, {127, 0, 0, 1}},
        {"10.257", true, {10, 0, 1, 1}},
        {"10.1.258", true, {10, 1, 1, 2}},
        {"0x7f.1", true, {127, 0, 0, 1}},
        {"017.0.0.010", true, {15, 0, 0, 8}},
        {"3232235777", true, {192, 168, 1, 1}},
        {"256.0.0.1", false, {}},
        {"1.2.3.4.5", false, {}},
        {"1.2.3.", false, {}},
        {"", false, {}},
        {"host.example", false, {}},
        {"08.1.1.1", false, {}},
        {"1.2.65536", false, {}},
        {"0x", false, {}},
    };
    for (const auto& row : rows) {
        uint32_t address = 0;
        EXPECT_EQ(UcmParseAddress(row.text, address), row.ok) << row.text;
        if (row.ok) {
            const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&address);
            EXPECT_EQ(Bytes(bytes, bytes + 4), Bytes(row.bytes, row.bytes + 4)) << row.text;
        }
    }
}

TEST_F(UcmConnectionTest, InstalledManager)
{
    CUcmManager* previous = CUcmManager::Install(&manager);
    EXPECT_EQ(CUcmManager::Current(), &manager);
    EXPECT_EQ(CUcmManager::Install(previous), &manager);
    {
        CFakeUcmPort otherPort;
        CUcmManager other(otherPort);
        CUcmManager::Install(&other);
    }
    EXPECT_EQ(CUcmManager::Current(), nullptr) << "a manager that goes uninstalls itself";
    CUcmManager::Install(previous);
}

TEST_F(UcmConnectionTest, RegisterCleansUpEverySixthCall)
{
    CRecordingConnection* done = Make();
    done->Close();
    EXPECT_TRUE(done->IsFinished());
    const uint32_t before = manager.Count();
    for (int i = 0; i < 4; ++i)
        Make();
    EXPECT_EQ(manager.Count(), before + 4);
    Make();
    EXPECT_EQ(manager.Count(), before + 4) << "the sixth call removed the finished one";
}

} // namespace
