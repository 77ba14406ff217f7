// IZrHelloCheck: the server connection's reading of the server's hello.
#pragma once

#include <cstdint>

class CZrMessageReader;

// The protocol handler asks the server connection of a session to read the
// rest of the server's hello (the reader stands after major and minor): for
// a new session the references, community items and window id; after a
// resumption the number of the client's messages the server has, given back
// in `received`. Answers 0 to accept, 222 to refuse it as malformed.
class IZrHelloCheck {
public:
    virtual int32_t CheckHello(CZrMessageReader& reader, uint32_t& received) = 0;

protected:
    ~IZrHelloCheck() = default;
};
