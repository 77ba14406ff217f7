#include "UcmSocketWindow.h"

#include <winsock2.h>

#include <cinttypes>

#include "TvlDebugSwitch.h"
#include "TvlDebugValue.h"
#include "TvlLog.h"
#include "TvlSwitchSource.h"
#include "UcmManager.h"
#include "UcmWinsockPort.h"

namespace {

constexpr int kWindowExtraBytes = 4;

BOOL SystemIsBlocking()
{
    return WSAIsBlocking();
}

const char* EventName(uint32_t event)
{
    switch (event) {
    case FD_READ: return "READ   ";
    case FD_WRITE: return "WRITE  ";
    case FD_ACCEPT: return "ACCEPT ";
    case FD_CONNECT: return "CONNECT";
    case FD_CLOSE: return "CLOSE  ";
    default: return "UNKNOWN";
    }
}

} // namespace

CUcmSocketWindow::CUcmSocketWindow(CUcmManager& manager, CUcmWinsockPort& port, BlockingProbe probe)
    : m_manager(manager), m_port(port), m_isBlocking(probe != nullptr ? probe : SystemIsBlocking)
{
}

CUcmSocketWindow::~CUcmSocketWindow()
{
    if (m_window == nullptr)
        return;
    if (m_selectTimer != 0)
        KillTimer(m_window, kSelectTimer);
    if (m_keepAliveTimer != 0)
        KillTimer(m_window, kKeepAliveTimer);
    SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
    DestroyWindow(m_window);
    UnregisterClassA(m_className.c_str(), m_instance);
    m_port.SetWindow(nullptr);
}

bool CUcmSocketWindow::Create(const char* className, UINT keepAliveMs)
{
    if (m_window != nullptr)
        return true;
    m_className = className != nullptr && *className != '\0' ? className : kDefaultClassName;
    m_instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = UcmWndProc;
    windowClass.cbWndExtra = kWindowExtraBytes;
    windowClass.hInstance = m_instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = m_className.c_str();
    windowClass.lpszClassName = m_className.c_str();
    if (RegisterClassA(&windowClass) != 0) {
        m_window = CreateWindowA(m_className.c_str(), m_className.c_str(), WS_MINIMIZEBOX, 10, 10, 240, 140,
                                 nullptr, nullptr, m_instance, nullptr);
    }
    if (m_window == nullptr) {
        TvlTraces().ucmKernel.Trace("Failed to create Winsock task");
        return false;
    }
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_port.SetWindow(m_window);
    StartTimers(keepAliveMs);
    return true;
}

void CUcmSocketWindow::StartTimers(UINT keepAliveMs)
{
    m_keepAliveTimer = SetTimer(m_window, kKeepAliveTimer, keepAliveMs, UcmKeepAliveTimer);
    if (m_keepAliveTimer == 0)
        TvlTraces().ucmKernel.Trace("Failed to create keep alive timer");
    const int32_t seconds = CTvlDebugValue(TvlKey::UcmSelectTimer, kTvlDefaultSelectTimer).Value();
    if (seconds == 0)
        return;
    m_selectTimer = SetTimer(m_window, kSelectTimer, static_cast<UINT>(seconds) * 1000, UcmSelectTimer);
    if (m_selectTimer == 0)
        TvlTraces().ucmKernel.Trace("Failed to create select timer");
}

void CUcmSocketWindow::Settle(DWORD limitMs)
{
    if (m_window == nullptr)
        return;
    const ULONGLONG deadline = GetTickCount64() + limitMs;
    while (!m_manager.IsSettled() && GetTickCount64() < deadline) {
        MSG message;
        while (PeekMessageA(&message, m_window, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        if (!m_manager.IsSettled())
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

CUcmSocketWindow* CUcmSocketWindow::FromHandle(HWND window)
{
    return reinterpret_cast<CUcmSocketWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK CUcmSocketWindow::UcmWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CUcmSocketWindow* self = FromHandle(window);
    if (self == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case CUcmWinsockPort::kSocketMessage:
        if (!self->Postpone(message, wParam, lParam))
            self->OnSocketMessage(wParam, lParam);
        return 0;
    case CUcmWinsockPort::kLookupMessage:
        if (!self->Postpone(message, wParam, lParam))
            self->OnLookupMessage(wParam, lParam);
        return 0;
    case CUcmWinsockPort::kStartMessage:
        if (!self->Postpone(message, wParam, lParam))
            self->m_manager.DispatchStart(static_cast<UcmSocketHandle>(wParam));
        return 0;
    case WM_TIMER:
        if (wParam != CUcmWinsockPort::kCloseTimer)
            return DefWindowProcA(window, message, wParam, lParam);
        self->m_manager.CloseTimer();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool CUcmSocketWindow::Postpone(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_isBlocking())
        return false;
    const TvlTraceSwitches& traces = TvlTraces();
    const bool posted = PostMessageA(m_window, message, wParam, lParam) != 0;
    if (message == CUcmWinsockPort::kSocketMessage) {
        const char* name = EventName(WSAGETSELECTEVENT(lParam));
        const int socket = static_cast<int>(wParam);
        traces.ucmKernel.Trace("%s event on %d postpond", name, socket);
        if (!posted)
            traces.ucmKernel.Trace("PostMessage of blocked %s event on %d failed", name, socket);
    } else {
        traces.ucmKernel.Trace("gethostbyname event on postpond");
        if (!posted)
            traces.ucmKernel.Trace("PostMessage of gethostbyname event failed");
    }
    return true;
}

void CUcmSocketWindow::OnSocketMessage(WPARAM wParam, LPARAM lParam)
{
    m_manager.DispatchEvent(static_cast<UcmSocketHandle>(wParam), WSAGETSELECTEVENT(lParam),
                            WSAGETSELECTERROR(lParam));
}

void CUcmSocketWindow::OnLookupMessage(WPARAM wParam, LPARAM lParam)
{
    const uint64_t handle = static_cast<uint64_t>(wParam);
    const int32_t error = WSAGETASYNCERROR(lParam);
    const std::vector<uint32_t> addresses = m_port.FinishLookup(handle, error == 0);
    m_manager.DispatchLookup(handle, error, addresses);
}

void CALLBACK CUcmSocketWindow::UcmKeepAliveTimer(HWND window, UINT, UINT_PTR, DWORD)
{
    if (CUcmSocketWindow* self = FromHandle(window))
        self->m_manager.KeepAliveTimer();
}

void CALLBACK CUcmSocketWindow::UcmSelectTimer(HWND window, UINT, UINT_PTR, DWORD)
{
    if (CUcmSocketWindow* self = FromHandle(window))
        self->m_manager.SelectTimer();
}
