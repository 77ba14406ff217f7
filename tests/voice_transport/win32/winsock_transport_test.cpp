// The Windows Sockets layer on 127.0.0.1: the connection thread's result
// messages, and media packets over UDP and TCP into socket media channels.
#include "ConnectionThread.h"
#include "SocketMediaChannel.h"
#include "TransportTestDoubles.h"
#include "WinsockNetSocket.h"
#include "WinsockSocketFactory.h"

#include <gtest/gtest.h>

namespace {

// A hidden window that collects the connection thread's messages.
class NoticeWindow
{
public:
    NoticeWindow()
    {
        m_window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    }
    ~NoticeWindow() { DestroyWindow(m_window); }

    HWND Handle() const { return m_window; }

    // Waits up to 30 s for 1779 or 1780.
    bool Wait(MSG& result)
    {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 30000) {
            if (PeekMessageA(&result, m_window, ConnectionThread::kConnected,
                             ConnectionThread::kConnectFailed, PM_REMOVE))
                return true;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
        }
        return false;
    }

private:
    HWND m_window;
};

class WinsockTest : public ::testing::Test
{
protected:
    std::unique_ptr<INetSocket> Listener()
    {
        int32_t error = 0;
        auto listener = sockets.Bind(0, false, error);
        EXPECT_TRUE(listener) << error;
        return listener;
    }

    static int32_t PortOf(const std::unique_ptr<INetSocket>& socket)
    {
        return static_cast<WinsockNetSocket&>(*socket).LocalPort();
    }

    static std::unique_ptr<INetSocket> Accept(const std::unique_ptr<INetSocket>& listener)
    {
        const SOCKET handle =
            accept(static_cast<WinsockNetSocket&>(*listener).Handle(), nullptr, nullptr);
        return handle == INVALID_SOCKET ? nullptr : std::make_unique<WinsockNetSocket>(handle);
    }

    WinsockSocketFactory sockets;
};

TEST_F(WinsockTest, ConnectionThreadHandsOverTheConnectedSocket)
{
    auto listener = Listener();
    ASSERT_TRUE(listener);
    NoticeWindow window;
    ConnectionThread thread("127.0.0.1", PortOf(listener), window.Handle());
    ASSERT_TRUE(thread.Start());
    MSG message;
    ASSERT_TRUE(window.Wait(message));
    ASSERT_EQ(message.message, ConnectionThread::kConnected) << message.lParam;
    EXPECT_EQ(static_cast<int32_t>(message.wParam), PortOf(listener));
    thread.Stop();

    // The handle outlives the thread and carries bytes both ways.
    WinsockNetSocket client(static_cast<SOCKET>(message.lParam));
    auto server = Accept(listener);
    ASSERT_TRUE(server);
    const std::string line = "CONNECT\t2\t4\ten-US\t73920461\n";
    ASSERT_TRUE(client.Send(reinterpret_cast<const uint8_t*>(line.data()), line.size()));
    uint8_t bytes[64] = {};
    ASSERT_EQ(server->Receive(bytes, sizeof bytes), static_cast<int32_t>(line.size()));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), line.size()), line);
}

TEST_F(WinsockTest, ConnectionThreadReportsARefusedConnection)
{
    int32_t port = 0;
    {
        auto closed = Listener();
        ASSERT_TRUE(closed);
        port = PortOf(closed);
    }
    NoticeWindow window;
    ConnectionThread thread("127.0.0.1", port, window.Handle());
    ASSERT_TRUE(thread.Start());
    MSG message;
    ASSERT_TRUE(window.Wait(message));
    EXPECT_EQ(message.message, ConnectionThread::kConnectFailed);
    EXPECT_EQ(static_cast<int32_t>(message.wParam), port);
    EXPECT_EQ(static_cast<int32_t>(message.lParam), WSAECONNREFUSED);
}

TEST_F(WinsockTest, ConnectionThreadReportsAnUnknownHost)
{
    NoticeWindow window;
    ConnectionThread thread("no-such-host.invalid", 3450, window.Handle());
    ASSERT_TRUE(thread.Start());
    MSG message;
    ASSERT_TRUE(window.Wait(message));
    EXPECT_EQ(message.message, ConnectionThread::kConnectFailed);
    EXPECT_EQ(message.wParam, 3450u);
    EXPECT_NE(message.lParam, 0);
}

TEST_F(WinsockTest, MediaPacketOverUdp)
{
    RecordingReceiver receiver;
    SocketMediaChannel receive(sockets);
    receive.SetFrameSize(24);
    receive.SetPacketReceiver(&receiver);
    ASSERT_TRUE(receive.Create(0, true));
    const int32_t port = static_cast<WinsockNetSocket*>(receive.Socket())->LocalPort();

    SocketMediaChannel send(sockets);
    ASSERT_TRUE(send.Open("127.0.0.1", port, true));
    const std::string test = "TEST3";
    const std::string packet = ReceivedPacket(1, 4, 24, 101);
    ASSERT_TRUE(send.SendBytes(reinterpret_cast<const uint8_t*>(test.data()), test.size()));
    ASSERT_TRUE(send.SendBytes(reinterpret_cast<const uint8_t*>(packet.data()), packet.size()));
    ASSERT_TRUE(receive.OnReadable());
    ASSERT_TRUE(receive.OnReadable());
    EXPECT_EQ(receive.TakeTestCount(), 1);
    ASSERT_EQ(receiver.packets.size(), 1u);
    EXPECT_EQ(Text(receiver.packets[0]->Bytes()), packet);
    EXPECT_EQ(receiver.packets[0]->Speaker(0), 101);
}

TEST_F(WinsockTest, MediaPacketsOverTcpBeginWithTheUserLine)
{
    auto listener = Listener();
    ASSERT_TRUE(listener);
    RecordingReceiver receiver;
    SocketMediaChannel receive(sockets);
    receive.SetFrameSize(24);
    receive.SetLargestCount(2);
    receive.SetPacketReceiver(&receiver);
    ASSERT_TRUE(receive.Open("127.0.0.1", PortOf(listener), false));
    const std::string first = "101\n";
    ASSERT_TRUE(receive.SendBytes(reinterpret_cast<const uint8_t*>(first.data()), first.size()));

    auto server = Accept(listener);
    ASSERT_TRUE(server);
    uint8_t line[8] = {};
    ASSERT_EQ(server->Receive(line, sizeof line), 4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(line), 4), first);
    const std::string packets = ReceivedPacket(2, 0, 24, 7, 8) + ReceivedPacket(1, 4, 24, 9);
    ASSERT_TRUE(server->Send(reinterpret_cast<const uint8_t*>(packets.data()), packets.size()));
    while (receiver.packets.size() < 2)
        ASSERT_TRUE(receive.OnReadable());
    EXPECT_EQ(receiver.packets[0]->Speaker(1), 8);
    EXPECT_EQ(receiver.packets[1]->Speaker(0), 9);
}

} // namespace
