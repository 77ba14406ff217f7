#include "TvlStreamLogSink.h"

void CTvlStreamLogSink::Log(const char* title, const char* timestamp, const char* text)
{
    std::fprintf(m_stream, "%s(%s): %s\n", title, timestamp, text);
    std::fflush(m_stream);
}

void CTvlStreamLogSink::Trace(const char* line)
{
    std::fprintf(m_stream, "%s", line);
    std::fflush(m_stream);
}
