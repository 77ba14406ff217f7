// The Blowfish block cipher (64-bit blocks, 16 rounds, keys of 1 to 56 bytes)
// and the buffer cipher on it that the conference protocol, the update list
// and stamped records use: every 8-byte block on its own (no chaining), the
// last block padded with zero bytes.
#pragma once

#include "BlowfishTables.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

enum class BlowfishDirection { Encipher = 0, Decipher = 1 };

// The engine's built-in key, shared with the conference protocol.
constexpr std::array<uint8_t, 8> kDefaultBlowfishKey = {0x5e, 0x17, 0xa2, 0xc9,
                                                        0xd0, 0x4b, 0x83, 0xf6};

class CBlowfish
{
public:
    static constexpr size_t kBlockSize = 8;
    static constexpr size_t kMaxKeyLength = 56;

    // Keys longer than 56 bytes are cut to 56; an empty key leaves the
    // initial subkeys unmixed. With Decipher, CryptBlock deciphers.
    CBlowfish(const uint8_t* key, size_t keyLength, BlowfishDirection direction);
    virtual ~CBlowfish() = default;

    // Enciphers or deciphers one block in place; the two 32-bit halves are
    // big-endian.
    virtual void CryptBlock(uint8_t* block) const;
    virtual size_t InputBlockSize() const;
    virtual size_t OutputBlockSize() const;

private:
    uint32_t Mix(uint32_t half) const;
    void EncipherHalves(uint32_t& left, uint32_t& right) const;
    void MixKeyIntoSubkeys(const uint8_t* key, size_t keyLength);
    void ExpandSubkeys();

    std::array<uint32_t, kBlowfishSubkeyCount> m_subkeys;
    std::array<std::array<uint32_t, kBlowfishSboxSize>, kBlowfishSboxCount> m_sboxes;
};

struct BlowfishBuffer
{
    std::vector<uint8_t> bytes; // the padded, processed bytes
    size_t padCount = 0;        // zero bytes added (0-7)
    size_t blockCount = 0;
};

// Copies the bytes, pads them with zero bytes to a multiple of 8 and processes
// every block independently. The key is the text up to its terminator; a null
// or empty text selects the default key.
BlowfishBuffer BlowfishCryptBuffer(BlowfishDirection direction, const void* bytes,
                                   size_t length, const char* keyText);

// The same with a binary key (for instance the default key).
BlowfishBuffer BlowfishCryptBuffer(BlowfishDirection direction, const void* bytes,
                                   size_t length, const uint8_t* key, size_t keyLength);
