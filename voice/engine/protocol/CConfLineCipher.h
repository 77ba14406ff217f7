// The cipher of the control lines: each line is enciphered with Blowfish in
// independent 8-byte blocks (the last one padded with zero bytes) and sent as
// base64 text ended by a line feed. Both directions use the same key.
#pragma once

#include "Blowfish.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using ConfKey = std::array<uint8_t, 8>;

// What the CONNECT line carries and the key both sides then use.
struct ConfCredentials
{
    std::string accountField;
    ConfKey key{};
};

// The account number every client without an account key presents.
constexpr char kDefaultConfAccount[] = "73920461";

class CConfLineCipher
{
public:
    explicit CConfLineCipher(const ConfKey& key);

    // An empty account key selects the default account and key whatever the
    // account number; otherwise the key is the first 8 bytes of the decoded
    // account key, padded with zero bytes.
    static ConfCredentials ChooseCredentials(const std::string& account,
                                             const std::string& accountKey);

    // The enciphered form of a numbered line, as base64 text ending in "\n".
    std::string Encipher(std::string_view text) const;

    // Decodes the base64 text (up to the first character outside the
    // alphabet), deciphers the whole blocks and gives the text up to the
    // first zero byte.
    std::string Decipher(std::string_view line) const;

private:
    CBlowfish m_encipher;
    CBlowfish m_decipher;
};
