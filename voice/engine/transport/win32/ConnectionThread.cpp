#include "ConnectionThread.h"

#include <ws2tcpip.h>

namespace {

constexpr UINT kSocketNotice = WM_USER;
constexpr char kWindowClass[] = "ZrVoiceConnectSocket";
constexpr long kAllNotices = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;

void RegisterSocketWindowClass(WNDPROC procedure)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass); // fails harmlessly when already registered
}

} // namespace

ConnectionThread::ConnectionThread(const std::string& server, int32_t port, HWND notify)
    : m_server(server), m_port(port), m_notify(notify)
{
}

ConnectionThread::~ConnectionThread()
{
    Stop();
}

bool ConnectionThread::Start()
{
    if (m_thread)
        return false;
    m_ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!m_ready)
        return false;
    m_thread = CreateThread(nullptr, 0, ThreadMain, this, 0, &m_threadId);
    if (m_thread)
        WaitForSingleObject(m_ready, INFINITE); // its message queue exists from here
    CloseHandle(m_ready);
    m_ready = nullptr;
    return m_thread != nullptr;
}

void ConnectionThread::Stop()
{
    if (!m_thread)
        return;
    PostThreadMessageA(m_threadId, kQuit, 0, 0);
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
    m_thread = nullptr;
}

DWORD WINAPI ConnectionThread::ThreadMain(void* self)
{
    static_cast<ConnectionThread*>(self)->Run();
    return 0;
}

LRESULT CALLBACK ConnectionThread::SocketWindowProc(HWND window, UINT message, WPARAM wParam,
                                                    LPARAM lParam)
{
    if (message == kSocketNotice && WSAGETSELECTEVENT(lParam) == FD_CONNECT) {
        PostThreadMessageA(GetCurrentThreadId(), kConnectResult, WSAGETSELECTERROR(lParam), 0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void ConnectionThread::Run()
{
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    SetEvent(m_ready);

    WSADATA data;
    const bool started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    RegisterSocketWindowClass(SocketWindowProc);
    HWND socketWindow = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, GetModuleHandleA(nullptr), nullptr);
    int32_t error = 0;
    if (!started || !socketWindow || !BeginConnect(socketWindow, error))
        Report(error != 0 ? error : static_cast<int32_t>(WSAENETDOWN));

    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == kQuit)
            break;
        if (message.message == kConnectResult)
            Report(static_cast<int32_t>(message.wParam));
        else
            DispatchMessageA(&message);
    }
    CloseSocket();
    if (socketWindow)
        DestroyWindow(socketWindow);
    if (started)
        WSACleanup();
}

bool ConnectionThread::BeginConnect(HWND socketWindow, int32_t& error)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(m_port);
    if (getaddrinfo(m_server.c_str(), service.c_str(), &hints, &found) != 0 || !found) {
        error = WSAGetLastError();
        return false;
    }
    m_socket = socket(AF_INET, SOCK_STREAM, 0);
    bool pending = m_socket != INVALID_SOCKET &&
                   WSAAsyncSelect(m_socket, socketWindow, kSocketNotice, kAllNotices) == 0;
    if (pending && connect(m_socket, found->ai_addr, static_cast<int>(found->ai_addrlen)) != 0)
        pending = WSAGetLastError() == WSAEWOULDBLOCK;
    error = pending ? 0 : WSAGetLastError();
    freeaddrinfo(found);
    return pending;
}

void ConnectionThread::Report(int32_t error)
{
    if (error != 0 || m_socket == INVALID_SOCKET) {
        CloseSocket();
        PostMessageA(m_notify, kConnectFailed, static_cast<WPARAM>(m_port),
                     static_cast<LPARAM>(error != 0 ? error : WSAENOTSOCK));
        return;
    }
    // Detach: no more notices to this thread, blocking again, and the handle
    // belongs to whoever takes the message.
    WSAAsyncSelect(m_socket, nullptr, 0, 0);
    u_long blocking = 0;
    ioctlsocket(m_socket, FIONBIO, &blocking);
    const SOCKET handed = m_socket;
    m_socket = INVALID_SOCKET;
    PostMessageA(m_notify, kConnected, static_cast<WPARAM>(m_port), static_cast<LPARAM>(handed));
}

void ConnectionThread::CloseSocket()
{
    if (m_socket != INVALID_SOCKET) {
        closesocket(m_socket);
        m_socket = INVALID_SOCKET;
    }
}
