#include "TvlMessageBoxSink.h"

#include <cstdio>

void CTvlMessageBoxSink::Log(const char* title, const char* timestamp, const char* text)
{
    char caption[256];
    std::snprintf(caption, sizeof caption, "%s (%s)", title, timestamp);
    m_show(nullptr, text, caption, MB_OK | MB_ICONWARNING);
}

void CTvlMessageBoxSink::Trace(const char* line)
{
    OutputDebugStringA(line);
}
