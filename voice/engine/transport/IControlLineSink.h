// Where a control channel delivers what the server sends: each received
// line, and the length of a line or tunnel body too long to take.
#pragma once

#include <cstddef>
#include <string>

class IControlLineSink
{
public:
    virtual ~IControlLineSink() = default;

    virtual void OnLine(const char* bytes, size_t length) = 0;
    // `length` is the length as the server gave or sent it, in decimal.
    virtual void OnTooLong(const std::string& length) = 0;
};
