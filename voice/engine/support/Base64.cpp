#include "Base64.h"

#include <array>

namespace {

constexpr char kAlphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr uint8_t kNotInAlphabet = 255;
constexpr uint8_t kPadding = 64;

// The decoding table is a compile-time constant, so no thread ever sees it
// half built.
constexpr std::array<uint8_t, 256> MakeDecodeTable()
{
    std::array<uint8_t, 256> table{};
    for (auto& entry : table)
        entry = kNotInAlphabet;
    for (uint8_t value = 0; value < 64; ++value)
        table[static_cast<uint8_t>(kAlphabet[value])] = value;
    table['='] = kPadding;
    return table;
}

constexpr std::array<uint8_t, 256> kDecodeTable = MakeDecodeTable();

void EncodeGroup(const uint8_t* group, size_t count, std::string& out)
{
    const uint32_t bits = (uint32_t{group[0]} << 16) |
                          (count > 1 ? uint32_t{group[1]} << 8 : 0) |
                          (count > 2 ? uint32_t{group[2]} : 0);
    out += kAlphabet[(bits >> 18) & 0x3F];
    out += kAlphabet[(bits >> 12) & 0x3F];
    out += count > 1 ? kAlphabet[(bits >> 6) & 0x3F] : '=';
    out += count > 2 ? kAlphabet[bits & 0x3F] : '=';
}

} // namespace

std::string Base64Encode(const void* bytes, size_t length)
{
    const auto* in = static_cast<const uint8_t*>(bytes);
    std::string out;
    out.reserve((length + 2) / 3 * 4);
    for (size_t offset = 0; offset < length; offset += 3) {
        const size_t count = length - offset < 3 ? length - offset : 3;
        EncodeGroup(in + offset, count, out);
    }
    return out;
}

std::vector<uint8_t> Base64Decode(const char* text, size_t length)
{
    std::vector<uint8_t> out;
    out.reserve(length / 4 * 3 + 3);
    uint32_t bits = 0;
    int bitCount = 0;
    for (size_t i = 0; i < length; ++i) {
        const uint8_t value = kDecodeTable[static_cast<uint8_t>(text[i])];
        if (value == kNotInAlphabet)
            break;
        if (value == kPadding)
            continue;
        bits = (bits << 6) | value;
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            out.push_back(static_cast<uint8_t>(bits >> bitCount));
            bits &= (1u << bitCount) - 1;
        }
    }
    return out;
}

size_t Base64DecodeInPlace(std::string& buffer)
{
    const std::vector<uint8_t> decoded = Base64Decode(buffer.data(), buffer.size());
    if (!decoded.empty())
        buffer.assign(decoded.begin(), decoded.end());
    return decoded.size();
}
