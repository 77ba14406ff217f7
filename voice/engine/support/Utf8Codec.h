// The engine's own UTF-8 codec for 16-bit characters, used when the platform
// has no UTF-8 converter. Characters below 0x80 take one byte, below 0x800 two
// bytes, all others three; continuation bytes are not checked when decoding.
#pragma once

#include <cstddef>
#include <cstdint>

// Both functions read exactly `count`/`length` input units and never write
// past `outSize` units (`out` may be null when `outSize` is 0). They write
// whole characters while room for the terminator remains, then terminate the
// output. They return the size needed for the whole text including the
// terminator, so a result above `outSize` means the output was cut short.
size_t Utf8Encode(const char16_t* chars, size_t count, char* out, size_t outSize);

// A lead byte of 0xE0 or above starts three bytes, 0xC0-0xDF two, anything
// else is a character on its own. A sequence cut short by the end of the input
// becomes one U+FFFD.
size_t Utf8Decode(const char* bytes, size_t length, char16_t* out, size_t outSize);
