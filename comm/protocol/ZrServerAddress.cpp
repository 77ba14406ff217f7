#include "ZrServerAddress.h"

#include <cstring>

uint16_t TvlPortToNet(uint16_t number)
{
    const uint8_t bytes[2] = {static_cast<uint8_t>(number >> 8), static_cast<uint8_t>(number)};
    uint16_t networkPort;
    std::memcpy(&networkPort, bytes, sizeof networkPort);
    return networkPort;
}

uint16_t TvlPortFromNet(uint16_t networkPort)
{
    uint8_t bytes[2];
    std::memcpy(bytes, &networkPort, sizeof bytes);
    return static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
}

CZrServerAddress::CZrServerAddress(uint16_t port)
    : kind(kDirect), proxyPort(0), targetPort(TvlPortToNet(port)),
      proxyAddress(CTvlIpAddress::kUnknown), authenticate(0), option(kClientResolves)
{
}

bool CZrServerAddress::CanReach(uint32_t targetAddress) const
{
    const bool targetKnown = targetAddress != CTvlIpAddress::kUnknown;
    if (kind == kDirect)
        return targetKnown;
    if (proxyAddress == CTvlIpAddress::kUnknown)
        return false;
    switch (kind) {
    case kSocks4:
        return targetKnown;
    case kSocks5:
        return targetKnown || option != kClientResolves;
    case kHttpConnect:
    case kHttpPost:
        return true;
    default:
        return false;
    }
}

uint16_t CZrServerAddress::TargetPortOr(uint16_t givenPort) const
{
    return targetPort != 0 ? targetPort : givenPort;
}
