// CTvlDebugSwitch: a named trace switch of the switch file.
#pragma once

#include <cstdint>
#include <string>

#include "TvlLog.h"
#include "TvlObject.h"

// The level is the key's value (default 0), read from the switch source when
// constructed. Trace writes nothing and formats nothing at level 0.
class CTvlDebugSwitch : public CTvlObject {
public:
    // `label` defaults to the key.
    explicit CTvlDebugSwitch(const char* key, const char* label = nullptr);

    // At a level other than 0, hands the line "label,timestamp: text\n" to
    // the log sink's Trace. The line is built in a 512-byte buffer; longer
    // text is cut and the line still ends with a line end.
    void Trace(const char* format, ...) const TVL_PRINTF_FORMAT(2, 3);

    int32_t Level() const { return m_level; }
    bool IsOn() const { return m_level != 0; }
    const std::string& Label() const { return m_label; }

private:
    std::string m_label;
    int32_t m_level;
};

// The library's trace switches read at program start: the five with label
// "UCM" and TVL_DEBUG.
struct TvlTraceSwitches {
    CTvlDebugSwitch ucmDebug;
    CTvlDebugSwitch ucmKernel;
    CTvlDebugSwitch ucmSelect;
    CTvlDebugSwitch ucmSpawn;
    CTvlDebugSwitch ucmMessages;
    CTvlDebugSwitch tvlDebug;
};

// The library's trace switches, read from the switch source at the first
// call; a program installs its source before.
const TvlTraceSwitches& TvlTraces();
