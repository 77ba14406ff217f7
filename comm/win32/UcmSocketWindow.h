// CUcmSocketWindow: the hidden window that receives the socket manager's
// events, look-up results and start messages, and runs its two timers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class CUcmManager;
class CUcmWinsockPort;

// Never shown. Only messages sent to this window are socket messages: the
// same numbers mean other things to other windows of the program.
class CUcmSocketWindow {
public:
    static constexpr UINT_PTR kSelectTimer = 1282;
    static constexpr UINT_PTR kKeepAliveTimer = 1283;
    static constexpr UINT kKeepAliveMs = 60000;
    static constexpr char kDefaultClassName[] = "TvlSock";
    static constexpr DWORD kSettleMs = 5000;

    // Whether a blocking socket call is in progress (WSAIsBlocking; tests
    // pass their own).
    using BlockingProbe = BOOL (*)();

    CUcmSocketWindow(CUcmManager& manager, CUcmWinsockPort& port, BlockingProbe probe = nullptr);
    ~CUcmSocketWindow();
    CUcmSocketWindow(const CUcmSocketWindow&) = delete;
    CUcmSocketWindow& operator=(const CUcmSocketWindow&) = delete;

    // Registers the class (an empty name means "TvlSock"), creates the
    // window and starts the keep-alive timer and, unless UCM_SELECT_TIMER is
    // 0, the select timer. A second call does nothing. False when the
    // window could not be made.
    bool Create(const char* className, UINT keepAliveMs = kKeepAliveMs);
    HWND Handle() const { return m_window; }
    // Handles this window's messages only, until the manager is settled or
    // `limitMs` has passed: at the end of the program, what connections
    // still send goes out.
    void Settle(DWORD limitMs = kSettleMs);

private:
    static LRESULT CALLBACK UcmWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void CALLBACK UcmKeepAliveTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
    static void CALLBACK UcmSelectTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
    static CUcmSocketWindow* FromHandle(HWND window);

    // Puts the message back in the queue while a blocking call runs; true
    // when it was postponed.
    bool Postpone(UINT message, WPARAM wParam, LPARAM lParam);
    void OnSocketMessage(WPARAM wParam, LPARAM lParam);
    void OnLookupMessage(WPARAM wParam, LPARAM lParam);
    void StartTimers(UINT keepAliveMs);

    CUcmManager& m_manager;
    CUcmWinsockPort& m_port;
    BlockingProbe m_isBlocking;
    HWND m_window = nullptr;
    HINSTANCE m_instance = nullptr;
    std::string m_className;
    UINT_PTR m_selectTimer = 0;
    UINT_PTR m_keepAliveTimer = 0;
};
