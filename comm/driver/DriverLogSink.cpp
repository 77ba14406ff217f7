#include "DriverLogSink.h"

#include <cstdio>

void CDriverLogSink::Log(const char* title, const char*, const char* text)
{
    m_output(CDriverJson("log").Add("title", title).Add("text", text).Text());
}

void CDriverLogSink::Trace(const char* line)
{
    std::fputs(line, stderr);
}
