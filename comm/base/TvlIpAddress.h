// CTvlIpAddress: one IPv4 address of an address list.
#pragma once

#include <cstdint>

#include "TvlObject.h"

class CTvlIpAddress : public CTvlObject {
public:
    // Not known: a proxy resolves the name instead.
    static constexpr uint32_t kUnknown = 0xFFFFFFFF;

    // The address in network order (first octet in the lowest byte in memory).
    explicit CTvlIpAddress(uint32_t networkAddress = kUnknown) : m_address(networkAddress) {}

    uint32_t Address() const { return m_address; }
    bool IsKnown() const { return m_address != kUnknown; }

private:
    uint32_t m_address;
};
