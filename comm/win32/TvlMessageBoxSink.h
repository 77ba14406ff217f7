// Log sink of the Windows client: every log line becomes a warning box.
#pragma once

#include <windows.h>

#include "TvlLogSink.h"

// Shows each log line modally with the caption "title (timestamp)", the
// warning icon and no owner window; sends traces to the debugger output.
// Install it with TvlSetLogSink at start-up.
class CTvlMessageBoxSink : public ITvlLogSink {
public:
    using ShowBox = int(WINAPI*)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

    // `show` is MessageBoxA; tests pass a recorder instead.
    explicit CTvlMessageBoxSink(ShowBox show = ::MessageBoxA) : m_show(show) {}

    void Log(const char* title, const char* timestamp, const char* text) override;
    void Trace(const char* line) override;

private:
    ShowBox m_show;
};
