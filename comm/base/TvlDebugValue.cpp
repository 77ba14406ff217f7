#include "TvlDebugValue.h"

#include "TvlSwitchSource.h"

CTvlDebugValue::CTvlDebugValue(const char* key) : m_value(TvlSwitchSource().GetInt(key, 0)) {}

CTvlDebugValue::CTvlDebugValue(const char* key, uint16_t defaultValue)
    : m_value(static_cast<uint16_t>(TvlSwitchSource().GetInt(key, defaultValue)))
{
}
