// Text rules of the DDE layer that need no platform: names compared as DDE
// compares them, the numeric parameter that a request names, and trace lines
// of bounded length.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <optional>
#include <string>

namespace ZrDdeText {

// The longest trace line; longer lines are cut.
constexpr size_t kMaxTraceLine = 1023;

// DDE service, topic and item names are equal without regard to case.
bool NamesEqual(const std::string& a, const std::string& b);

// The request parameter named by an item: leading blanks, one optional sign,
// then the leading decimal digits; 0 when there are none. A number that does
// not fit 32 bits names nothing and gives no value. Negative numbers are kept
// in two's complement.
std::optional<uint32_t> ParseParameter(const std::string& text);

// printf-style formatting into a line of at most kMaxTraceLine characters.
std::string FormatLine(const char* format, va_list args);

} // namespace ZrDdeText
