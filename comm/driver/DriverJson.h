// CDriverJson: one event of the driver as a JSON object on one line.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Where the driver's event lines go.
using DriverOutput = std::function<void(const std::string& line)>;

// {"event": "<name>", then the fields in the order added}.
class CDriverJson {
public:
    explicit CDriverJson(const std::string& event);

    CDriverJson& Add(const char* name, const std::string& text);
    CDriverJson& Add(const char* name, const char* text) { return Add(name, std::string(text)); }
    CDriverJson& Add(const char* name, int64_t value);
    CDriverJson& Add(const char* name, uint32_t value) { return Add(name, static_cast<int64_t>(value)); }
    CDriverJson& Add(const char* name, int32_t value) { return Add(name, static_cast<int64_t>(value)); }
    CDriverJson& Add(const char* name, bool value);
    // A value that is JSON already (an object, an array or null).
    CDriverJson& AddJson(const char* name, const std::string& json);

    // The object, closed, without a line end.
    std::string Text() const { return m_text + "}"; }

    // A JSON string: quotes, escapes, and every byte that is not printable
    // ASCII as \u00XX, so that any bytes from the network stay valid JSON.
    static std::string Quote(const std::string& text);

private:
    void Name(const char* name);
    std::string m_text;
};
