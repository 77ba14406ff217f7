// CZrServerAddress: the connection settings record that chooses a proxy.
#pragma once

#include <cstdint>
#include <string>

#include "TvlIpAddress.h"
#include "TvlObject.h"

// A 16-bit port number turned into network order (its high byte first in
// memory), and back.
uint16_t TvlPortToNet(uint16_t number);
uint16_t TvlPortFromNet(uint16_t networkPort);

// Ports and addresses are held in network order. The default record (kind
// 0) connects directly.
class CZrServerAddress : public CTvlObject {
public:
    enum Kind : int32_t {
        kDirect = 0,
        kSocks4 = 1,
        kSocks5 = 2,
        kHttpConnect = 3,
        kHttpPost = 4,
    };

    // SOCKS5 name resolution.
    enum Resolution : int32_t {
        kProxyResolves = 0,
        kClientResolves = 1,
        kClientThenProxy = 2,
    };

    // `targetPort` is a port number; it is stored in network order.
    explicit CZrServerAddress(uint16_t targetPort = 0);

    // Whether a connection may be attempted through this record to a target
    // whose address may still be unknown (CTvlIpAddress::kUnknown): never
    // before the proxy's own address is known; SOCKS4 needs the target's
    // address, SOCKS5 lets the proxy resolve the name unless the client must,
    // the HTTP kinds always send the name. A direct connection needs the
    // target's address.
    bool CanReach(uint32_t targetAddress) const;

    // The port (network order) to reach the target on: the record's target
    // port when set, else `givenPort`.
    uint16_t TargetPortOr(uint16_t givenPort) const;

    int32_t kind;
    std::string proxyHost;
    uint16_t proxyPort;
    uint16_t targetPort;
    uint32_t proxyAddress;
    int32_t authenticate;
    std::string user;
    std::string password;
    int32_t option;
};
