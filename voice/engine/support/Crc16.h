// CRC-16 with polynomial 0x1021, initial value 0, most significant bit first
// and no final XOR (the CRC-16/XMODEM parameters), as stamped records use it.
#pragma once

#include <cstddef>
#include <cstdint>

uint16_t Crc16(const void* bytes, size_t length);
