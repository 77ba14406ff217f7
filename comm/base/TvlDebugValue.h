// CTvlDebugValue: one tunable value of the switch file.
#pragma once

#include <cstdint>

#include "TvlObject.h"

// Read from the switch source (TvlSwitchSource.h) when constructed.
class CTvlDebugValue : public CTvlObject {
public:
    // 32-bit value, default 0.
    explicit CTvlDebugValue(const char* key);
    // 16-bit value with a 16-bit default; a larger number keeps its low 16 bits.
    CTvlDebugValue(const char* key, uint16_t defaultValue);

    int32_t Value() const { return m_value; }

private:
    int32_t m_value;
};
