// Test helper: a scripted socket port for the connection core.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <vector>

#include "UcmPort.h"

class CFakeUcmPort : public IUcmPort {
public:
    // One scripted answer of Receive or Send: bytes (Receive), a count
    // (Send), the peer's close (0) or a failure with a system error.
    struct Step {
        enum Kind { kData, kClosed, kError } kind;
        std::vector<uint8_t> bytes;
        int32_t error;
    };
    static Step Data(std::vector<uint8_t> bytes) { return {Step::kData, std::move(bytes), 0}; }
    static Step Closed() { return {Step::kClosed, {}, 0}; }
    static Step Error(int32_t error) { return {Step::kError, {}, error}; }

    UcmSocketHandle CreateSocket() override;
    void CloseSocket(UcmSocketHandle socket) override;
    int32_t ShutdownSend(UcmSocketHandle socket) override;
    int32_t Connect(UcmSocketHandle socket, uint32_t address, uint16_t port) override;
    int32_t Receive(UcmSocketHandle socket, uint8_t* buffer, uint32_t length) override;
    int32_t Send(UcmSocketHandle socket, const uint8_t* bytes, uint32_t length) override;
    int32_t Select(UcmSocketHandle socket, uint32_t mask) override;
    void PostStart(UcmSocketHandle socket) override;
    void RunCloseTimer(bool running) override { closeTimer = running; }
    int32_t StartLookup(const char* name, uint64_t& handle) override;
    void CancelLookup(uint64_t handle) override;
    void RestartLibrary() override { ++restarts; }
    int32_t LastError() override { return lastError; }

    // Script. Receive with nothing scripted would block.
    int32_t createError = 0;
    int32_t connectError = 0; // 0: connected at once
    int32_t selectError = 0;
    int32_t lookupError = 0;
    std::deque<Step> input;
    // Bytes taken per Send call (0: all); after `sendsBeforeBlock` calls
    // Send would block (negative: never).
    uint32_t sendLimit = 0;
    int32_t sendsBeforeBlock = -1;
    int32_t sendError = 0;
    int32_t shutdownError = 0;

    // Record.
    UcmSocketHandle nextSocket = 1030;
    int32_t lastError = 0;
    int32_t restarts = 0;
    std::vector<uint8_t> sent;
    std::vector<uint32_t> sendSizes;
    std::vector<uint32_t> selects;
    std::vector<UcmSocketHandle> closed;
    std::vector<UcmSocketHandle> shutdowns;
    bool closeTimer = false;
    std::vector<UcmSocketHandle> started;
    std::vector<uint64_t> cancelled;
    uint32_t connectedAddress = 0;
    uint16_t connectedPort = 0;
    uint64_t nextLookup = 77;

private:
    int32_t Failure(int32_t error);
};
