#include "Md5.h"

#include "Base64.h"


namespace {

constexpr std::array<uint32_t, 64> kSines = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

constexpr std::array<uint8_t, 16> kShifts = {7, 12, 17, 22, 5, 9, 14, 20, 4, 11, 16, 23, 6, 10, 15, 21};

uint32_t RotateLeft(uint32_t value, unsigned count)
{
    return (value << count) | (value >> (32 - count));
}

} // namespace

Md5::Md5() : m_state{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476} {}

Md5::Digest Md5::Of(const void* bytes, size_t length)
{
    Md5 md5;
    md5.Update(static_cast<const uint8_t*>(bytes), length);
    return md5.Finish();
}

std::string Md5::Base64Of(const void* bytes, size_t length)
{
    const Digest digest = Of(bytes, length);
    return Base64Encode(digest.data(), digest.size());
}

bool Md5::MatchesBase64(const void* bytes, size_t length, std::string_view expectedBase64)
{
    return !expectedBase64.empty() && Base64Of(bytes, length) == expectedBase64;
}

void Md5::Update(const uint8_t* bytes, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        m_buffer[m_length % 64] = bytes[i];
        ++m_length;
        if (m_length % 64 == 0)
            Transform(m_buffer.data());
    }
}

Md5::Digest Md5::Finish()
{
    const uint64_t bitLength = m_length * 8;
    const uint8_t marker = 0x80;
    Update(&marker, 1);
    const uint8_t zero = 0;
    while (m_length % 64 != 56)
        Update(&zero, 1);
    for (unsigned i = 0; i < 8; ++i) {
        const auto byte = static_cast<uint8_t>(bitLength >> (8 * i));
        Update(&byte, 1);
    }
    Digest digest{};
    for (size_t i = 0; i < 16; ++i)
        digest[i] = static_cast<uint8_t>(m_state[i / 4] >> (8 * (i % 4)));
    return digest;
}

void Md5::Transform(const uint8_t* block)
{
    uint32_t words[16];
    for (size_t i = 0; i < 16; ++i)
        words[i] = uint32_t(block[4 * i]) | uint32_t(block[4 * i + 1]) << 8 |
                   uint32_t(block[4 * i + 2]) << 16 | uint32_t(block[4 * i + 3]) << 24;
    uint32_t a = m_state[0], b = m_state[1], c = m_state[2], d = m_state[3];
    for (unsigned i = 0; i < 64; ++i) {
        uint32_t mixed;
        unsigned word;
        if (i < 16) {
            mixed = (b & c) | (~b & d);
            word = i;
        } else if (i < 32) {
            mixed = (d & b) | (~d & c);
            word = (5 * i + 1) % 16;
        } else if (i < 48) {
            mixed = b ^ c ^ d;
            word = (3 * i + 5) % 16;
        } else {
            mixed = c ^ (b | ~d);
            word = (7 * i) % 16;
        }
        const uint32_t next = d;
        d = c;
        c = b;
        b = b + RotateLeft(a + mixed + kSines[i] + words[word], kShifts[(i / 16) * 4 + i % 4]);
        a = next;
    }
    m_state[0] += a;
    m_state[1] += b;
    m_state[2] += c;
    m_state[3] += d;
}
