// Stamped records: a text with an expiry time, kept enciphered in the
// registry. Binary form: 16-bit CRC of everything after it, 32-bit expiry time
// (seconds since 1970), then the text without terminator, both numbers
// little-endian. Stored form: the binary form padded with zero bytes to a
// multiple of 8, enciphered with Blowfish under the default key, in base64.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct StampedRecord
{
    std::string text;
    uint32_t expiry = 0;
    uint16_t storedCrc = 0;
    uint16_t computedCrc = 0;
    bool valid = false; // CRCs match, at least 12 bytes, text begins "http:"
};

// Decodes at most `length` characters. A text shorter than 8 characters, or a
// record whose fixed fields are not all there, is not valid.
StampedRecord DecodeStampedRecord(const char* text, size_t length);

// Stored form of `text` expiring `days` days from now.
std::string EncodeStampedRecord(std::string_view text, int32_t days);

// Stored form of `text` with the given expiry time.
std::string EncodeStampedRecordUntil(std::string_view text, uint32_t expiry);
