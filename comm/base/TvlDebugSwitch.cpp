#include "TvlDebugSwitch.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "TvlSwitchSource.h"

namespace {

constexpr size_t kTraceLineSize = 512;

} // namespace

CTvlDebugSwitch::CTvlDebugSwitch(const char* key, const char* label)
    : m_label(label ? label : key), m_level(TvlSwitchSource().GetInt(key, 0))
{
}

void CTvlDebugSwitch::Trace(const char* format, ...) const
{
    if (m_level == 0)
        return;
    char line[kTraceLineSize];
    const size_t room = sizeof line - 1; // the line end always fits
    int used = std::snprintf(line, room, "%s,%s: ", m_label.c_str(), TvlTimestamp());
    size_t length = used < 0 ? 0 : std::min(static_cast<size_t>(used), room - 1);
    va_list args;
    va_start(args, format);
    used = std::vsnprintf(line + length, room - length, format, args);
    va_end(args);
    if (used > 0)
        length = std::min(length + static_cast<size_t>(used), room - 1);
    line[length] = '\n';
    line[length + 1] = '\0';
    TvlLogSink().Trace(line);
}

const TvlTraceSwitches& TvlTraces()
{
    static const TvlTraceSwitches switches{
        CTvlDebugSwitch(TvlKey::UcmDebug, kTvlUcmLabel),   CTvlDebugSwitch(TvlKey::UcmKernel, kTvlUcmLabel),
        CTvlDebugSwitch(TvlKey::UcmSelect, kTvlUcmLabel),  CTvlDebugSwitch(TvlKey::UcmSpawn, kTvlUcmLabel),
        CTvlDebugSwitch(TvlKey::UcmMessages, kTvlUcmLabel), CTvlDebugSwitch(TvlKey::TvlDebug),
    };
    return switches;
}
