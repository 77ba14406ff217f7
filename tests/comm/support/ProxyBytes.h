// Test helpers for proxy handshakes: byte strings and queue contents.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TvlByteQueue.h"
#include "WireEncoder.h"

// Concatenation is WireEncoder.h's operator+ on the same byte vectors.
using ProxyBytes = Bytes;

// "05 01 00" -> {5, 1, 0}.
ProxyBytes Hex(const std::string& hex);
// The characters of `text` as bytes.
ProxyBytes Text(const std::string& text);
// `n` bytes of `c`.
ProxyBytes Repeat(size_t n, char c);
// Takes every byte out of the queue.
ProxyBytes Drain(CTvlByteQueue& queue);
// Readable form for failure messages.
std::string Printable(const ProxyBytes& bytes);
