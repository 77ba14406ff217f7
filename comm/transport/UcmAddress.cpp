#include "UcmAddress.h"

#include <cstring>

namespace {

bool ParsePart(const char*& p, uint64_t& value)
{
    uint32_t base = 10;
    if (*p == '0') {
        base = 8;
        ++p;
        if (*p == 'x' || *p == 'X') {
            base = 16;
            ++p;
            if (*p == '\0' || *p == '.')
                return false;
        }
    } else if (*p < '1' || *p > '9') {
        return false;
    }
    value = 0;
    for (;; ++p) {
        uint32_t digit;
        if (*p >= '0' && *p <= '9')
            digit = static_cast<uint32_t>(*p - '0');
        else if (base == 16 && *p >= 'a' && *p <= 'f')
            digit = static_cast<uint32_t>(*p - 'a' + 10);
        else if (base == 16 && *p >= 'A' && *p <= 'F')
            digit = static_cast<uint32_t>(*p - 'A' + 10);
        else
            return true;
        if (digit >= base)
            return false;
        value = value * base + digit;
        if (value > 0xFFFFFFFFu)
            return false;
    }
}

} // namespace

bool UcmParseAddress(const char* text, uint32_t& networkAddress)
{
    if (text == nullptr)
        return false;
    uint64_t parts[4] = {};
    int count = 0;
    const char* p = text;
    for (;;) {
        if (count == 4 || !ParsePart(p, parts[count]))
            return false;
        ++count;
        if (*p == '\0')
            break;
        if (*p != '.')
            return false;
        ++p;
    }
    for (int i = 0; i + 1 < count; ++i) {
        if (parts[i] > 0xFF)
            return false;
    }
    const uint64_t lastLimit = 0xFFFFFFFFu >> (8 * (count - 1));
    if (parts[count - 1] > lastLimit)
        return false;
    uint32_t value = static_cast<uint32_t>(parts[count - 1]);
    for (int i = 0; i + 1 < count; ++i)
        value |= static_cast<uint32_t>(parts[i]) << (24 - 8 * i);
    const uint8_t bytes[4] = {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                              static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    std::memcpy(&networkAddress, bytes, sizeof bytes);
    return true;
}
