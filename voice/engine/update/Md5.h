// The MD5 message digest, used to check downloaded update files against the
// digest the update list gives for them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class Md5
{
public:
    using Digest = std::array<uint8_t, 16>;

    static Digest Of(const void* bytes, size_t length);
    static std::string Base64Of(const void* bytes, size_t length);
    // True when the digest of the bytes, in base64, is `expectedBase64`;
    // an empty expectation matches nothing.
    static bool MatchesBase64(const void* bytes, size_t length, std::string_view expectedBase64);

private:
    Md5();
    void Update(const uint8_t* bytes, size_t length);
    Digest Finish();
    void Transform(const uint8_t* block);

    std::array<uint32_t, 4> m_state;
    std::array<uint8_t, 64> m_buffer{};
    uint64_t m_length = 0;
};
