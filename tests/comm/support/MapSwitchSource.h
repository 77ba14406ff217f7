// Test helper: a switch source over a fixed set of keys, counting look-ups.
#pragma once

#include <map>
#include <string>

#include "TvlSwitchSource.h"

class CMapSwitchSource : public ITvlSwitchSource {
public:
    explicit CMapSwitchSource(std::map<std::string, int32_t> values) : m_values(std::move(values)) {}

    int32_t GetInt(const char* key, int32_t defaultValue) override
    {
        ++lookups;
        const auto found = m_values.find(key);
        return found == m_values.end() ? defaultValue : found->second;
    }

    int lookups = 0;

private:
    std::map<std::string, int32_t> m_values;
};
