// CUcmWinsockPort: the socket manager's port over Windows Sockets 1.1, with
// events and look-up results posted to the hidden socket window.
#pragma once

#include <winsock2.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "UcmPort.h"

// Starts Windows Sockets (version 1.1) when made and cleans up when gone.
// Host look-ups write into a buffer that the port owns: it lives until the
// look-up's message has arrived, whether or not the look-up was cancelled
// and whatever became of the connection that asked.
class CUcmWinsockPort : public IUcmPort {
public:
    static constexpr UINT kSocketMessage = 1280;
    static constexpr UINT kLookupMessage = 1281;
    static constexpr UINT kStartMessage = 1284;
    static constexpr UINT_PTR kCloseTimer = 1285;
    static constexpr int kLookupBufferSize = 8192;

    CUcmWinsockPort();
    ~CUcmWinsockPort() override;
    CUcmWinsockPort(const CUcmWinsockPort&) = delete;
    CUcmWinsockPort& operator=(const CUcmWinsockPort&) = delete;

    // The window that events, look-up results and start messages go to.
    void SetWindow(HWND window) { m_window = window; }
    // The addresses of a finished look-up (none after an error); its buffer
    // is freed.
    std::vector<uint32_t> FinishLookup(uint64_t handle, bool ok);
    size_t PendingLookups() const { return m_lookups.size(); }

    UcmSocketHandle CreateSocket() override;
    void CloseSocket(UcmSocketHandle socket) override;
    int32_t ShutdownSend(UcmSocketHandle socket) override;
    int32_t Connect(UcmSocketHandle socket, uint32_t address, uint16_t port) override;
    int32_t Receive(UcmSocketHandle socket, uint8_t* buffer, uint32_t length) override;
    int32_t Send(UcmSocketHandle socket, const uint8_t* bytes, uint32_t length) override;
    int32_t Select(UcmSocketHandle socket, uint32_t mask) override;
    void PostStart(UcmSocketHandle socket) override;
    // The close timer runs as WM_TIMER messages to the socket window.
    void RunCloseTimer(bool running) override;
    int32_t StartLookup(const char* name, uint64_t& handle) override;
    void CancelLookup(uint64_t handle) override;
    void RestartLibrary() override;
    int32_t LastError() override;

private:
    using LookupBuffer = std::array<char, kLookupBufferSize>;

    void Start();
    void Stop();

    HWND m_window = nullptr;
    bool m_started = false;
    std::map<uint64_t, std::unique_ptr<LookupBuffer>> m_lookups;
};
