// Connects to the conference server off the window thread: a worker thread
// with its own message loop makes an asynchronous stream socket, connects it
// and posts the result to the engine window, 1779 with the port and the
// connected socket handle (handed over with the message) or 1780 with the
// port and the error code.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <string>

class ConnectionThread
{
public:
    static constexpr UINT kQuit = 1775;
    static constexpr UINT kConnectResult = 1776;
    static constexpr UINT kConnected = 1779;
    static constexpr UINT kConnectFailed = 1780;

    ConnectionThread(const std::string& server, int32_t port, HWND notify);
    // Stops the thread if it still runs.
    ~ConnectionThread();
    ConnectionThread(const ConnectionThread&) = delete;
    ConnectionThread& operator=(const ConnectionThread&) = delete;

    // Starts the thread; false when it could not be started.
    bool Start();
    // Asks the thread to quit and waits for it without a time limit.
    void Stop();

    int32_t Port() const { return m_port; }

private:
    static DWORD WINAPI ThreadMain(void* self);
    static LRESULT CALLBACK SocketWindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam);
    void Run();
    // Creates the socket and starts connecting; false with `error` set.
    bool BeginConnect(HWND socketWindow, int32_t& error);
    void Report(int32_t error);
    void CloseSocket();

    std::string m_server;
    int32_t m_port;
    HWND m_notify;
    HANDLE m_thread = nullptr;
    DWORD m_threadId = 0;
    HANDLE m_ready = nullptr;
    SOCKET m_socket = INVALID_SOCKET;
};
