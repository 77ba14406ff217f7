#include "Blowfish.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t ReadBigEndian32(const uint8_t* bytes)
{
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) |
           (uint32_t{bytes[2]} << 8) | uint32_t{bytes[3]};
}

void WriteBigEndian32(uint32_t value, uint8_t* bytes)
{
    bytes[0] = static_cast<uint8_t>(value >> 24);
    bytes[1] = static_cast<uint8_t>(value >> 16);
    bytes[2] = static_cast<uint8_t>(value >> 8);
    bytes[3] = static_cast<uint8_t>(value);
}

} // namespace

CBlowfish::CBlowfish(const uint8_t* key, size_t keyLength, BlowfishDirection direction)
{
    std::copy(std::begin(kBlowfishInitialP), std::end(kBlowfishInitialP), m_subkeys.begin());
    for (size_t box = 0; box < kBlowfishSboxCount; ++box)
        std::copy(std::begin(kBlowfishInitialS[box]), std::end(kBlowfishInitialS[box]),
                  m_sboxes[box].begin());
    MixKeyIntoSubkeys(key, std::min(keyLength, kMaxKeyLength));
    ExpandSubkeys();
    // Deciphering runs the same rounds with the subkeys in reverse order.
    if (direction == BlowfishDirection::Decipher)
        std::reverse(m_subkeys.begin(), m_subkeys.end());
}

void CBlowfish::CryptBlock(uint8_t* block) const
{
    uint32_t left = ReadBigEndian32(block);
    uint32_t right = ReadBigEndian32(block + 4);
    EncipherHalves(left, right);
    WriteBigEndian32(left, block);
    WriteBigEndian32(right, block + 4);
}

size_t CBlowfish::InputBlockSize() const
{
    return kBlockSize;
}

size_t CBlowfish::OutputBlockSize() const
{
    return kBlockSize;
}

uint32_t CBlowfish::Mix(uint32_t half) const
{
    const uint32_t a = m_sboxes[0][half >> 24];
    const uint32_t b = m_sboxes[1][(half >> 16) & 0xFF];
    const uint32_t c = m_sboxes[2][(half >> 8) & 0xFF];
    const uint32_t d = m_sboxes[3][half & 0xFF];
    return ((a + b) ^ c) + d;
}

void CBlowfish::EncipherHalves(uint32_t& left, uint32_t& right) const
{
    for (size_t round = 0; round < 16; ++round) {
        left ^= m_subkeys[round];
        right ^= Mix(left);
        std::swap(left, right);
    }
    std::swap(left, right);
    right ^= m_subkeys[16];
    left ^= m_subkeys[17];
}

void CBlowfish::MixKeyIntoSubkeys(const uint8_t* key, size_t keyLength)
{
    if (keyLength == 0)
        return;
    size_t next = 0;
    for (uint32_t& subkey : m_subkeys) {
        uint32_t word = 0;
        for (int i = 0; i < 4; ++i) {
            word = (word << 8) | key[next];
            next = (next + 1) % keyLength;
        }
        subkey ^= word;
    }
}

void CBlowfish::ExpandSubkeys()
{
    uint32_t left = 0;
    uint32_t right = 0;
    for (size_t i = 0; i < kBlowfishSubkeyCount; i += 2) {
        EncipherHalves(left, right);
        m_subkeys[i] = left;
        m_subkeys[i + 1] = right;
    }
    for (auto& box : m_sboxes) {
        for (size_t i = 0; i < kBlowfishSboxSize; i += 2) {
            EncipherHalves(left, right);
            box[i] = left;
            box[i + 1] = right;
        }
    }
}

BlowfishBuffer BlowfishCryptBuffer(BlowfishDirection direction, const void* bytes,
                                   size_t length, const uint8_t* key, size_t keyLength)
{
    BlowfishBuffer result;
    result.blockCount = (length + CBlowfish::kBlockSize - 1) / CBlowfish::kBlockSize;
    result.bytes.assign(result.blockCount * CBlowfish::kBlockSize, 0);
    result.padCount = result.bytes.size() - length;
    if (length > 0)
        std::memcpy(result.bytes.data(), bytes, length);
    const CBlowfish cipher(key, keyLength, direction);
    for (size_t block = 0; block < result.blockCount; ++block)
        cipher.CryptBlock(result.bytes.data() + block * CBlowfish::kBlockSize);
    return result;
}

BlowfishBuffer BlowfishCryptBuffer(BlowfishDirection direction, const void* bytes,
                                   size_t length, const char* keyText)
{
    if (keyText == nullptr || *keyText == '\0')
        return BlowfishCryptBuffer(direction, bytes, length, kDefaultBlowfishKey.data(),
                                   kDefaultBlowfishKey.size());
    return BlowfishCryptBuffer(direction, bytes, length,
                               reinterpret_cast<const uint8_t*>(keyText), std::strlen(keyText));
}
