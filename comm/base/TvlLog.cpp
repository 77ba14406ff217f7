#include "TvlLog.h"

#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "TvlStreamLogSink.h"

namespace {

constexpr size_t kLogTextSize = 2048;

ITvlLogSink* g_sink = nullptr;
TvlMemoryHook g_memoryHook = nullptr;
TvlExitHook g_exitHook = nullptr;

ITvlLogSink& DefaultSink()
{
    static CTvlStreamLogSink stderrSink(stderr);
    return stderrSink;
}

} // namespace

ITvlLogSink* TvlSetLogSink(ITvlLogSink* sink)
{
    ITvlLogSink* previous = g_sink;
    g_sink = sink;
    return previous;
}

ITvlLogSink& TvlLogSink()
{
    return g_sink ? *g_sink : DefaultSink();
}

void TvlLog(const char* title, const char* format, ...)
{
    char text[kLogTextSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    TvlLogSink().Log(title, TvlTimestamp(), text);
}

void TvlFatal(int32_t line, const char* file)
{
    TvlLog("Runtime error", "Line %" PRId32 ", File `%s'.%cProcess terminated.", line, file, '\n');
    TvlExit(1);
}

void TvlOutOfMemory()
{
    if (g_memoryHook)
        g_memoryHook();
    else
        TvlLog("Memory exception", "Out of virtual memory.%cProcess terminated.", '\n');
    TvlExit(1);
}

void TvlExit(int32_t code)
{
    if (g_exitHook)
        g_exitHook(code);
    std::exit(code);
}

const char* TvlTimestamp()
{
    static char text[30];
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (!local || !std::strftime(text, sizeof text, "%d/%b/%y,%H:%M:%S", local))
        text[0] = '\0';
    return text;
}

const char* TvlAddressText(uint32_t networkAddress)
{
    static char text[16];
    const auto* octets = reinterpret_cast<const uint8_t*>(&networkAddress);
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", unsigned{octets[0]}, unsigned{octets[1]},
                  unsigned{octets[2]}, unsigned{octets[3]});
    return text;
}

const char* TvlNumberText(int32_t value)
{
    static char text[12];
    std::snprintf(text, sizeof text, "%" PRId32, value);
    return text;
}

TvlMemoryHook TvlSetMemoryHook(TvlMemoryHook hook)
{
    TvlMemoryHook previous = g_memoryHook;
    g_memoryHook = hook;
    return previous;
}

TvlExitHook TvlSetExitHook(TvlExitHook hook)
{
    TvlExitHook previous = g_exitHook;
    g_exitHook = hook;
    return previous;
}
