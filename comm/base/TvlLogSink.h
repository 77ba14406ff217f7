// Destination of the library's log and trace lines.
#pragma once

// A log sink receives finished lines; TvlLog and the trace switches do the
// formatting. Install one with TvlSetLogSink (TvlLog.h).
class ITvlLogSink {
public:
    virtual ~ITvlLogSink() = default;
    // One log line: its title, the TvlTimestamp text and the formatted text.
    virtual void Log(const char* title, const char* timestamp, const char* text) = 0;
    // One finished developer trace line, line end included.
    virtual void Trace(const char* line) = 0;
};
