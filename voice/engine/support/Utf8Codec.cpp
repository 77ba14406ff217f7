#include "Utf8Codec.h"

namespace {

constexpr char16_t kReplacementCharacter = 0xFFFD;

size_t EncodeCharacter(char16_t ch, uint8_t* bytes)
{
    if (ch < 0x80) {
        bytes[0] = static_cast<uint8_t>(ch);
        return 1;
    }
    if (ch < 0x800) {
        bytes[0] = static_cast<uint8_t>(0xC0 | (ch >> 6));
        bytes[1] = static_cast<uint8_t>(0x80 | (ch & 0x3F));
        return 2;
    }
    bytes[0] = static_cast<uint8_t>(0xE0 | (ch >> 12));
    bytes[1] = static_cast<uint8_t>(0x80 | ((ch >> 6) & 0x3F));
    bytes[2] = static_cast<uint8_t>(0x80 | (ch & 0x3F));
    return 3;
}

size_t SequenceLength(uint8_t lead)
{
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

char16_t DecodeSequence(const uint8_t* bytes, size_t sequenceLength)
{
    if (sequenceLength == 3)
        return static_cast<char16_t>(((bytes[0] & 0x0F) << 12) | ((bytes[1] & 0x3F) << 6) |
                                     (bytes[2] & 0x3F));
    if (sequenceLength == 2)
        return static_cast<char16_t>(((bytes[0] & 0x1F) << 6) | (bytes[1] & 0x3F));
    return bytes[0];
}

} // namespace

size_t Utf8Encode(const char16_t* chars, size_t count, char* out, size_t outSize)
{
    size_t needed = 0;
    size_t written = 0;
    for (size_t i = 0; i < count; ++i) {
        uint8_t bytes[3];
        const size_t byteCount = EncodeCharacter(chars[i], bytes);
        if (written == needed && needed + byteCount < outSize) {
            for (size_t b = 0; b < byteCount; ++b)
                out[written++] = static_cast<char>(bytes[b]);
        }
        needed += byteCount;
    }
    if (written < outSize)
        out[written] = '\0';
    return needed + 1;
}

size_t Utf8Decode(const char* bytes, size_t length, char16_t* out, size_t outSize)
{
    const auto* in = reinterpret_cast<const uint8_t*>(bytes);
    size_t needed = 0;
    size_t written = 0;
    size_t offset = 0;
    while (offset < length) {
        const size_t sequenceLength = SequenceLength(in[offset]);
        const bool complete = sequenceLength <= length - offset;
        if (written == needed && needed + 1 < outSize)
            out[written++] =
                complete ? DecodeSequence(in + offset, sequenceLength) : kReplacementCharacter;
        ++needed;
        offset += complete ? sequenceLength : length - offset;
    }
    if (written < outSize)
        out[written] = u'\0';
    return needed + 1;
}
