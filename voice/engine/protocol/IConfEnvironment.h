// Text services of the conference session: its message strings and the
// conversion between the system's code page and the UTF-8 of the wire.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class IConfEnvironment
{
public:
    virtual ~IConfEnvironment() = default;

    virtual std::string String(int32_t number) = 0;
    virtual std::optional<std::string> ToUtf8(std::string_view text) = 0;
    virtual std::optional<std::string> FromUtf8(std::string_view text) = 0;
    // The first line number of a session (and after the counter wraps).
    virtual uint32_t SequenceSeed() = 0;
};
