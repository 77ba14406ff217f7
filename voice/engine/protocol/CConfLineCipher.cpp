#include "CConfLineCipher.h"

#include "Base64.h"

#include <algorithm>
#include <vector>

CConfLineCipher::CConfLineCipher(const ConfKey& key)
    : m_encipher(key.data(), key.size(), BlowfishDirection::Encipher),
      m_decipher(key.data(), key.size(), BlowfishDirection::Decipher)
{
}

ConfCredentials CConfLineCipher::ChooseCredentials(const std::string& account,
                                                   const std::string& accountKey)
{
    ConfCredentials credentials;
    if (accountKey.empty()) {
        credentials.accountField = kDefaultConfAccount;
        std::copy(kDefaultBlowfishKey.begin(), kDefaultBlowfishKey.end(),
                  credentials.key.begin());
        return credentials;
    }
    credentials.accountField = account;
    const std::vector<uint8_t> decoded = Base64Decode(accountKey.data(), accountKey.size());
    const size_t used = std::min(decoded.size(), credentials.key.size());
    std::copy(decoded.begin(), decoded.begin() + static_cast<std::ptrdiff_t>(used),
              credentials.key.begin());
    return credentials;
}

std::string CConfLineCipher::Encipher(std::string_view text) const
{
    const size_t blocks = (text.size() + CBlowfish::kBlockSize - 1) / CBlowfish::kBlockSize;
    std::vector<uint8_t> bytes(blocks * CBlowfish::kBlockSize, 0);
    std::copy(text.begin(), text.end(), bytes.begin());
    for (size_t offset = 0; offset < bytes.size(); offset += CBlowfish::kBlockSize)
        m_encipher.CryptBlock(bytes.data() + offset);
    return Base64Encode(bytes.data(), bytes.size()) + "\n";
}

std::string CConfLineCipher::Decipher(std::string_view line) const
{
    std::vector<uint8_t> bytes = Base64Decode(line.data(), line.size());
    bytes.resize(bytes.size() - bytes.size() % CBlowfish::kBlockSize);
    for (size_t offset = 0; offset < bytes.size(); offset += CBlowfish::kBlockSize)
        m_decipher.CryptBlock(bytes.data() + offset);
    const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
    return std::string(bytes.begin(), end);
}
