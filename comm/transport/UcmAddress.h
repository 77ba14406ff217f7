// Numeric IPv4 addresses in text form.
#pragma once

#include <cstdint>

// Reads an address with the rules of the classic address parser: one to four
// parts separated by dots (a, a.b, a.b.c, a.b.c.d; the last part fills the
// remaining bytes), each decimal, octal with a leading 0, or hexadecimal
// with 0x. The result is in network order (first octet first in memory).
// False for anything else, a name included.
bool UcmParseAddress(const char* text, uint32_t& networkAddress);
