// CDriverLogSink: the library's log lines as driver events.
#pragma once

#include "DriverJson.h"
#include "TvlLogSink.h"

// A log line becomes {"event": "log", "title", "text"} on the driver's
// output instead of a warning box; traces go to stderr.
class CDriverLogSink : public ITvlLogSink {
public:
    explicit CDriverLogSink(DriverOutput output) : m_output(std::move(output)) {}

    void Log(const char* title, const char* timestamp, const char* text) override;
    void Trace(const char* line) override;

private:
    DriverOutput m_output;
};
