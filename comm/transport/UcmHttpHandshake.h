// CUcmHttpHandshake: what the two HTTP proxy kinds share: a request line
// with the peer's name and port, and a reply header that ends at the first
// empty line.
#pragma once

#include <string>
#include <vector>

#include "UcmProxyHandshake.h"

// The header must end within the connection's receive buffer (8192 bytes,
// empty line included); a longer one is refused.
class CUcmHttpHandshake : public CUcmProxyHandshake {
public:
    // Whether the status line begins with the version "HTTP/1.0" (or
    // "HTTP/1.1" when allowed), spaces and the status number 200.
    static bool IsGranted(const uint8_t* header, uint32_t length, bool allowHttp11);
    // Whether the header, in lower case, holds a line "content-length: "
    // whose number is at least `minimum`.
    static bool HasContentLength(const uint8_t* header, uint32_t length, uint32_t minimum);

protected:
    // `bodyBytes`: reply bytes awaited after the header.
    CUcmHttpHandshake(const UcmProxyTarget& target, uint32_t bodyBytes);

    uint32_t ReplyLength(const std::vector<uint8_t>& reply, bool& malformed) override;

    // Whether the peer's name can stand in a request line: no spaces and no
    // control characters, which would end the line or the header early.
    bool IsNameWritable() const;
    // "<peer name>:<port number>", the target in the request line.
    std::string TargetText() const;

    // Length of the header found in the reply, empty line included.
    uint32_t HeaderLength() const { return m_headerLength; }

private:
    const uint32_t m_bodyBytes;
    uint32_t m_scanned;
    uint32_t m_headerLength;
};
