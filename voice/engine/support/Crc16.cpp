#include "Crc16.h"

#include <array>

namespace {

constexpr uint16_t kPolynomial = 0x1021;

constexpr std::array<uint16_t, 256> MakeCrcTable()
{
    std::array<uint16_t, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        uint16_t crc = static_cast<uint16_t>(byte << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<uint16_t>((crc & 0x8000) ? (crc << 1) ^ kPolynomial : crc << 1);
        table[byte] = crc;
    }
    return table;
}

constexpr std::array<uint16_t, 256> kCrcTable = MakeCrcTable();

} // namespace

uint16_t Crc16(const void* bytes, size_t length)
{
    const auto* in = static_cast<const uint8_t*>(bytes);
    uint16_t crc = 0;
    for (size_t i = 0; i < length; ++i)
        crc = static_cast<uint16_t>((crc << 8) ^ kCrcTable[((crc >> 8) ^ in[i]) & 0xFF]);
    return crc;
}
