#include "UcmSocketWindow.h"

#include <gtest/gtest.h>

#include "FakeUcmPort.h"
#include "UcmConnection.h"
#include "UcmError.h"
#include "UcmManager.h"
#include "UcmWinsockPort.h"

namespace {

int g_blockingAnswers = 0;
int g_probes = 0;

// Reports a blocking call in progress for the first g_blockingAnswers asks.
BOOL ScriptedBlocking()
{
    ++g_probes;
    return g_blockingAnswers-- > 0 ? TRUE : FALSE;
}

template <typename Done> bool PumpUntil(Done done)
{
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < 3000) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(5);
    }
    return done();
}

class UcmSocketWindowTest : public ::testing::Test {
protected:
    UcmSocketWindowTest() : manager(fake), window(manager, winsock, ScriptedBlocking)
    {
        g_probes = 0;
        g_blockingAnswers = 0;
    }

    CFakeUcmPort fake;
    CUcmManager manager;
    CUcmWinsockPort winsock;
    CUcmSocketWindow window;
};

TEST_F(UcmSocketWindowTest, MessagesDuringABlockingCallArePostedAgainNotLost)
{
    ASSERT_TRUE(window.Create("UcmTestSock"));
    auto* connection = new CUcmConnection(manager, 0);
    ASSERT_EQ(manager.Register(connection), 0);
    g_blockingAnswers = 2;
    PostMessageA(window.Handle(), CUcmWinsockPort::kStartMessage, static_cast<WPARAM>(connection->Socket()), 0);
    EXPECT_TRUE(PumpUntil([&] { return connection->IsStarted(); }));
    EXPECT_EQ(g_probes, 3);

    // A socket event for the started connection is handled, once the
    // blocking call is over, like any other.
    g_blockingAnswers = 1;
    g_probes = 0;
    PostMessageA(window.Handle(), CUcmWinsockPort::kSocketMessage, static_cast<WPARAM>(connection->Socket()),
                 WSAMAKESELECTREPLY(UcmEvent::kClose, 0));
    EXPECT_TRUE(PumpUntil([&] { return connection->GetState() == CUcmConnection::kClosed; }));
    EXPECT_EQ(g_probes, 2);
}

TEST_F(UcmSocketWindowTest, SocketNumbersSentToAnotherWindowAreNotSocketEvents)
{
    ASSERT_TRUE(window.Create(nullptr));
    auto* connection = new CUcmConnection(manager, 0);
    ASSERT_EQ(manager.Register(connection), 0);
    HWND other = CreateWindowA("STATIC", "other", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SendMessageA(other, CUcmWinsockPort::kStartMessage, static_cast<WPARAM>(connection->Socket()), 0);
    EXPECT_FALSE(connection->IsStarted());
    SendMessageA(window.Handle(), CUcmWinsockPort::kStartMessage, static_cast<WPARAM>(connection->Socket()), 0);
    EXPECT_TRUE(connection->IsStarted());
    DestroyWindow(other);
}

TEST_F(UcmSocketWindowTest, CancelledLookUpKeepsItsBufferUntilItsMessageArrives)
{
    ASSERT_TRUE(window.Create("UcmLookupSock"));
    uint64_t handle = 0;
    ASSERT_EQ(winsock.StartLookup("localhost", handle), 0);
    winsock.CancelLookup(handle);
    // The system may still write the answer: the buffer stays.
    EXPECT_EQ(winsock.PendingLookups(), 1u);
    // Where the cancel does nothing the message still comes; it finds no
    // connection and only frees the buffer.
    PumpUntil([&] { return winsock.PendingLookups() == 0; });
    EXPECT_EQ(manager.Count(), 0u);
}

TEST_F(UcmSocketWindowTest, ClassNameDefaultsAndTheWindowStaysHidden)
{
    ASSERT_TRUE(window.Create(""));
    char name[64] = {};
    GetClassNameA(window.Handle(), name, sizeof name);
    EXPECT_STREQ(name, "TvlSock");
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
    EXPECT_TRUE(window.Create("Other"));
    GetClassNameA(window.Handle(), name, sizeof name);
    EXPECT_STREQ(name, "TvlSock");
}

} // namespace

TEST_F(UcmSocketWindowTest, CloseTimerTicksReachTheDrainAndOtherTimersDoNot)
{
    ASSERT_TRUE(window.Create("UcmCloseSock"));
    const UcmSocketHandle socket = 2040;
    manager.EndSocket(socket);
    ASSERT_TRUE(manager.Drain().Holds(socket));
    for (uint32_t tick = 0; tick < CUcmSocketDrain::kBoundTicks; ++tick)
        SendMessageA(window.Handle(), WM_TIMER, CUcmWinsockPort::kCloseTimer + 1, 0);
    EXPECT_TRUE(manager.Drain().Holds(socket)) << "another timer of the window";
    EXPECT_FALSE(manager.IsSettled());
    for (uint32_t tick = 1; tick < CUcmSocketDrain::kBoundTicks; ++tick)
        SendMessageA(window.Handle(), WM_TIMER, CUcmWinsockPort::kCloseTimer, 0);
    EXPECT_TRUE(manager.Drain().Holds(socket));
    SendMessageA(window.Handle(), WM_TIMER, CUcmWinsockPort::kCloseTimer, 0);
    EXPECT_FALSE(manager.Drain().Holds(socket));
    EXPECT_EQ(fake.closed, (std::vector<UcmSocketHandle>{socket}));
    EXPECT_TRUE(manager.IsSettled());
}

TEST_F(UcmSocketWindowTest, SettleWaitsForTheDrainAtMostTheLimit)
{
    ASSERT_TRUE(window.Create("UcmSettleSock"));
    manager.EndSocket(2041);
    const DWORD start = GetTickCount();
    window.Settle(300);
    const DWORD waited = GetTickCount() - start;
    EXPECT_GE(waited, 250u);
    EXPECT_LT(waited, 2000u);
    EXPECT_FALSE(manager.IsSettled()) << "nothing ticked: the fake port runs no timer";

    // Ticks posted to the window are handled while settling; the last one
    // settles the manager and ends the wait early.
    for (uint32_t tick = 0; tick < CUcmSocketDrain::kBoundTicks; ++tick)
        PostMessageA(window.Handle(), WM_TIMER, CUcmWinsockPort::kCloseTimer, 0);
    const DWORD again = GetTickCount();
    window.Settle(5000);
    EXPECT_TRUE(manager.IsSettled());
    EXPECT_LT(GetTickCount() - again, 2000u);
}
