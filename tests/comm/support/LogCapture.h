// Test helper: records every log and trace line while it is alive.
#pragma once

#include <string>
#include <vector>

#include "TvlLogSink.h"

// True for text of the form "10/Dec/26,13:05:59" (TvlTimestamp's format).
bool IsTvlTimestamp(const std::string& text);

class CLogCapture : public ITvlLogSink {
public:
    struct Entry {
        std::string title;
        std::string timestamp;
        std::string text;
    };

    CLogCapture();
    ~CLogCapture() override;
    CLogCapture(const CLogCapture&) = delete;
    CLogCapture& operator=(const CLogCapture&) = delete;

    void Log(const char* title, const char* timestamp, const char* text) override;
    void Trace(const char* line) override;

    std::vector<Entry> entries;
    std::vector<std::string> traces;

private:
    ITvlLogSink* m_previous;
};
