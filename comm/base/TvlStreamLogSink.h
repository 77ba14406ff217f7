// Log sink that writes to a C stream (the library's log stream).
#pragma once

#include <cstdio>

#include "TvlLogSink.h"

// Writes log lines as "title(timestamp): text\n" and traces as they are,
// flushing after each. Natively the default sink is one of these on stderr.
class CTvlStreamLogSink : public ITvlLogSink {
public:
    explicit CTvlStreamLogSink(FILE* stream) : m_stream(stream) {}

    void Log(const char* title, const char* timestamp, const char* text) override;
    void Trace(const char* line) override;

private:
    FILE* m_stream;
};
