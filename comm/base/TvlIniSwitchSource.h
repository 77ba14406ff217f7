// Portable reader of a switch file in private-profile form.
#pragma once

#include <string>
#include <utility>

#include "TvlSwitchSource.h"

// Reads section "Debug" of an INI file at every GetInt, with the rules of
// the Windows profile reader: section and key names ignore case, blanks
// around names and values are dropped, an empty value or a missing key or
// file gives the default, and a value is its leading integer (optional sign,
// then decimal or 0x/0o/0b digits; 0 when there are none).
// Native programs use it where Windows uses the private-profile reader.
class CTvlIniSwitchSource : public ITvlSwitchSource {
public:
    explicit CTvlIniSwitchSource(std::string path) : m_path(std::move(path)) {}

    int32_t GetInt(const char* key, int32_t defaultValue) override;

private:
    std::string m_path;
};
