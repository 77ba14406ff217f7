// IZrHelloCheck: the server connection's reading of the server's hello.
#pragma once

#include <cstdint>

class CZrMessageReader;

// The protocol handler asks the owner of a session, when it implements this,
// to read the rest of the server's hello (the reader stands after major and
// minor). False refuses the hello as malformed.
class IZrHelloCheck {
public:
    // A new session: references, community items, window id.
    virtual bool CheckHello(CZrMessageReader& reader) = 0;
    // A resumed session: the number of the client's messages the server has.
    virtual bool CheckResumedHello(CZrMessageReader& reader, uint32_t& received) = 0;

protected:
    ~IZrHelloCheck() = default;
};
