// Base64 coding with the standard alphabet ("A"-"Z", "a"-"z", "0"-"9", "+",
// "/") and "=" padding, as used by the conference protocol and stamped records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Every 3 bytes give 4 characters; a last group of 1 or 2 bytes gives 2 or 3
// characters and one or two "=". Empty input gives an empty text.
std::string Base64Encode(const void* bytes, size_t length);

// Decodes at most `length` characters. "=" is skipped wherever it stands; the
// first character outside the alphabet (a line feed, a zero byte) ends the
// decoding, and the bytes decoded before it are returned. Bits left over at
// the end that do not make a whole byte are dropped.
std::vector<uint8_t> Base64Decode(const char* text, size_t length);

// Replaces `buffer` by its decoded form when anything was decoded; returns the
// number of decoded bytes (0 leaves the buffer as it was).
size_t Base64DecodeInPlace(std::string& buffer);
