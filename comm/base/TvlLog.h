// Logging, fatal errors and process exit of the communication library.
#pragma once

#include <cstdint>

#include "TvlLogSink.h"

#if defined(__MINGW32__)
#define TVL_PRINTF_FORMAT(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#else
#define TVL_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#endif

// Formats the text with printf rules into a bounded 2048-byte buffer (longer
// text is cut) and hands it with the title and TvlTimestamp to the log sink.
void TvlLog(const char* title, const char* format, ...) TVL_PRINTF_FORMAT(2, 3);

// Logs "Runtime error" with "Line <line>, File `<file>'." and
// "Process terminated." on the next line, then TvlExit(1). `file` names the
// source module in which the check stands, such as "TvlNdr".
[[noreturn]] void TvlFatal(int32_t line, const char* file);

// Calls the memory hook when one is set, else logs "Memory exception" with
// "Out of virtual memory." / "Process terminated."; then TvlExit(1).
[[noreturn]] void TvlOutOfMemory();

// Calls the exit hook when one is set, then ends the process with `code`
// through the runtime's normal exit.
[[noreturn]] void TvlExit(int32_t code);

// The current local time as "%d/%b/%y,%H:%M:%S", in a static buffer.
const char* TvlTimestamp();

// Dotted text of an IPv4 address held in network order, in a static buffer.
const char* TvlAddressText(uint32_t networkAddress);

// "%d" of the value, in a static buffer.
const char* TvlNumberText(int32_t value);

// Installs the sink that receives every log and trace line and returns the
// previous one. nullptr restores the default: natively a stream sink on
// stderr; a Windows program installs the message-box sink at start-up.
ITvlLogSink* TvlSetLogSink(ITvlLogSink* sink);

// The sink in use.
ITvlLogSink& TvlLogSink();

using TvlMemoryHook = void (*)();
using TvlExitHook = void (*)(int32_t code);

// Optional hooks; both return the previous hook. nullptr clears a hook.
TvlMemoryHook TvlSetMemoryHook(TvlMemoryHook hook);
TvlExitHook TvlSetExitHook(TvlExitHook hook);
