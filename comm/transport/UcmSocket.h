// CUcmSocket: a socket handle and its place in the manager's table.
#pragma once

#include <cstdint>

#include "TvlObject.h"
#include "UcmPort.h"

class CUcmManager;

class CUcmSocket : public CTvlObject {
public:
    explicit CUcmSocket(CUcmManager& manager) : m_manager(manager) {}
    CUcmSocket(const CUcmSocket&) = delete;
    CUcmSocket& operator=(const CUcmSocket&) = delete;

    UcmSocketHandle Socket() const { return m_socket; }
    bool HasSocket() const { return m_socket != kUcmNoSocket; }
    // The event bits last selected, 0 when none.
    uint32_t Mask() const { return m_mask; }
    bool IsStarted() const { return m_started != 0; }
    void SetStarted() { m_started = 1; }

protected:
    CUcmManager& Manager() const { return m_manager; }

    CUcmManager& m_manager;
    UcmSocketHandle m_socket = kUcmNoSocket;
    uint32_t m_mask = 0;
    int32_t m_started = 0;

private:
    friend class CUcmManager;
    CUcmSocket* m_nextInBucket = nullptr;
};
