#include "DriverJson.h"

#include <cinttypes>
#include <cstdio>

CDriverJson::CDriverJson(const std::string& event) : m_text("{\"event\": " + Quote(event)) {}

void CDriverJson::Name(const char* name)
{
    m_text += ", " + Quote(name) + ": ";
}

CDriverJson& CDriverJson::Add(const char* name, const std::string& text)
{
    Name(name);
    m_text += Quote(text);
    return *this;
}

CDriverJson& CDriverJson::Add(const char* name, int64_t value)
{
    Name(name);
    char number[24];
    std::snprintf(number, sizeof number, "%" PRId64, value);
    m_text += number;
    return *this;
}

CDriverJson& CDriverJson::Add(const char* name, bool value)
{
    Name(name);
    m_text += value ? "true" : "false";
    return *this;
}

CDriverJson& CDriverJson::AddJson(const char* name, const std::string& json)
{
    Name(name);
    m_text += json;
    return *this;
}

std::string CDriverJson::Quote(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<uint8_t>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(byte));
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}
