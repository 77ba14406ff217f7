// CUcmPollPort: the socket manager's port over POSIX sockets and poll(),
// with the event rules of window-message socket notification. Used by the
// native tests only, so that the whole stack runs under the sanitizers.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "UcmPort.h"

class CUcmManager;

// Rules kept from the window-message notification: an event is reported
// only when its bit is selected; a read event once until the next Receive,
// a write event once until a Send would block, the close event once; every
// Select arms them all again. The start notification and finished look-ups
// arrive as posted work on a later turn, as window messages do.
class CUcmPollPort : public IUcmPort {
public:
    CUcmPollPort();
    ~CUcmPollPort() override;
    CUcmPollPort(const CUcmPollPort&) = delete;
    CUcmPollPort& operator=(const CUcmPollPort&) = delete;

    // The manager that events go to, and its timers: keep-alive every
    // `keepAlive`, the select poll every UCM_SELECT_TIMER seconds (read now;
    // 0 turns it off).
    void Attach(CUcmManager& manager, std::chrono::milliseconds keepAlive = std::chrono::seconds(60));
    // Answers look-ups of `name` with these addresses (network order).
    void AddHost(const std::string& name, const std::vector<uint32_t>& addresses);
    // Calls `onReadable` when the descriptor has input.
    void WatchInput(int fd, std::function<void()> onReadable);
    // Runs posted work, waits up to `timeout` for events and timers and
    // dispatches them.
    void RunOnce(std::chrono::milliseconds timeout);
    // Runs until the manager is settled or `limit` has passed: at the end of
    // the program, what connections still send goes out.
    void Settle(std::chrono::milliseconds limit);

    UcmSocketHandle CreateSocket() override;
    void CloseSocket(UcmSocketHandle socket) override;
    int32_t ShutdownSend(UcmSocketHandle socket) override;
    int32_t Connect(UcmSocketHandle socket, uint32_t address, uint16_t port) override;
    int32_t Receive(UcmSocketHandle socket, uint8_t* buffer, uint32_t length) override;
    int32_t Send(UcmSocketHandle socket, const uint8_t* bytes, uint32_t length) override;
    int32_t Select(UcmSocketHandle socket, uint32_t mask) override;
    void PostStart(UcmSocketHandle socket) override;
    void RunCloseTimer(bool running) override;
    int32_t StartLookup(const char* name, uint64_t& handle) override;
    void CancelLookup(uint64_t handle) override;
    void RestartLibrary() override;
    int32_t LastError() override { return m_lastError; }

private:
    using Clock = std::chrono::steady_clock;

    struct Watch {
        uint64_t serial = 0;
        uint32_t mask = 0;
        bool connecting = false;
        bool readArmed = false;
        bool writeArmed = false;
        bool closeReported = false;
        bool readBlocked = false;
    };
    struct Event {
        UcmSocketHandle socket;
        uint64_t serial;
        uint32_t event;
        int32_t error;
    };
    struct Timer {
        std::chrono::milliseconds every;
        Clock::time_point due;
        std::function<void()> action;
        bool running = true;
    };

    void SetError(int error);
    void RunPosted();
    void RunTimers();
    std::chrono::milliseconds UntilNextTimer(std::chrono::milliseconds limit) const;
    void Collect(int fd, short revents, std::vector<Event>& events);
    void CollectConnect(int fd, Watch& watch, std::vector<Event>& events);
    void CollectInput(int fd, Watch& watch, std::vector<Event>& events);

    CUcmManager* m_manager = nullptr;
    std::map<int, Watch> m_watches;
    std::map<int, std::function<void()>> m_inputs;
    std::map<std::string, std::vector<uint32_t>> m_hosts;
    std::deque<std::function<void()>> m_posted;
    std::vector<Timer> m_timers;
    // Index in m_timers of the close timer, which runs only on demand.
    size_t m_closeTimer = 0;
    uint64_t m_nextSerial = 1;
    uint64_t m_nextLookup = 1;
    int32_t m_lastError = 0;
};
