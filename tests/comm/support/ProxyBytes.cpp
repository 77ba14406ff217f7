#include "ProxyBytes.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

ProxyBytes Hex(const std::string& hex)
{
    ProxyBytes bytes;
    std::istringstream in(hex);
    std::string pair;
    while (in >> pair)
        bytes.push_back(static_cast<uint8_t>(std::strtoul(pair.c_str(), nullptr, 16)));
    return bytes;
}

ProxyBytes Text(const std::string& text)
{
    return ProxyBytes(text.begin(), text.end());
}

ProxyBytes Repeat(size_t n, char c)
{
    return ProxyBytes(n, static_cast<uint8_t>(c));
}

ProxyBytes Drain(CTvlByteQueue& queue)
{
    ProxyBytes bytes;
    uint32_t length = 0;
    while (const uint8_t* front = queue.Front(length)) {
        bytes.insert(bytes.end(), front, front + length);
        queue.Discard(length);
    }
    return bytes;
}

std::string Printable(const ProxyBytes& bytes)
{
    std::string text;
    for (uint8_t byte : bytes) {
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            text += static_cast<char>(byte);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        }
    }
    return text;
}
