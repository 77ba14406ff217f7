// How parameter values given and read as texts are understood and written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class EngineValueText
{
public:
    // "true" in any case is 1, anything else 0.
    static int32_t ParseFlag(std::string_view text);
    static const char* FormatFlag(int32_t flag);
    // Leading blanks, an optional sign and decimal digits, stopping at the
    // first other character; no digits give 0. Values beyond the 32-bit
    // range are held at its ends.
    static int32_t ParseNumber(std::string_view text);
    // The text without its control characters (0-31 and 127).
    static std::string StripControl(std::string_view text);
    static bool HasControl(std::string_view text);
};
