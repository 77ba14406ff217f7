#include "Utf8Codec.h"

#include "TestHex.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Utf8Vector
{
    std::u16string chars;
    const char* utf8Hex;
};

// Examples of RFC 3629 (section 7) and single characters at each length.
const Utf8Vector kVectors[] = {
    {u"A\u2262\u0391.", "41E289A2CE912E"},
    {u"\uD55C\uAD6D\uC5B4", "ED959CEAB5ADEC96B4"},
    {u"\u65E5\u672C\u8A9E", "E697A5E69CACE8AA9E"},
    {u"\u00E9", "C3A9"},
    {u"\u20AC", "E282AC"},
    {u"\u007F\u0080\u07FF\u0800\uFFFF", "7FC280DFBFE0A080EFBFBF"},
    {u"", ""},
};

std::string Encode(const std::u16string& chars)
{
    const size_t needed = Utf8Encode(chars.data(), chars.size(), nullptr, 0);
    std::vector<char> out(needed);
    EXPECT_EQ(needed, Utf8Encode(chars.data(), chars.size(), out.data(), out.size()));
    EXPECT_EQ('\0', out.back());
    return std::string(out.data(), needed - 1);
}

// The input lies in a heap block of exactly its size, so that a read past its
// end is caught by the address sanitizer.
std::u16string Decode(const std::vector<uint8_t>& bytes)
{
    auto exact = std::make_unique<char[]>(bytes.size() + (bytes.empty() ? 1 : 0));
    std::copy(bytes.begin(), bytes.end(), exact.get());
    const size_t needed = Utf8Decode(exact.get(), bytes.size(), nullptr, 0);
    std::vector<char16_t> out(needed);
    EXPECT_EQ(needed, Utf8Decode(exact.get(), bytes.size(), out.data(), out.size()));
    EXPECT_EQ(u'\0', out.back());
    return std::u16string(out.data(), needed - 1);
}

} // namespace

TEST(Utf8Codec, PublishedExamplesBothWays)
{
    for (const Utf8Vector& vector : kVectors) {
        SCOPED_TRACE(vector.utf8Hex);
        const std::vector<uint8_t> utf8 = FromHex(vector.utf8Hex);
        EXPECT_EQ(std::string(utf8.begin(), utf8.end()), Encode(vector.chars));
        EXPECT_EQ(vector.chars, Decode(utf8));
    }
}

TEST(Utf8Codec, DecodingNeverReadsPastTheInput)
{
    struct Case
    {
        const char* hex;
        std::u16string chars;
    };
    const Case cases[] = {
        {"E282", u"\uFFFD"},       // three-byte lead with one byte left
        {"E2", u"\uFFFD"},         // three-byte lead at the very end
        {"41C3", u"A\uFFFD"},      // two-byte lead at the end
        {"F0", u"\uFFFD"},         // four-byte leads read as three
        {"E282ACE2", u"\u20AC\uFFFD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(c.chars, Decode(FromHex(c.hex)));
    }
}

TEST(Utf8Codec, ContinuationBytesAreNotChecked)
{
    // Byte-compatible with the engine's peers: a lead byte takes its
    // followers whatever they are.
    EXPECT_EQ(u"\u00C1", Decode(FromHex("C341")));
    EXPECT_EQ(u"\x41", Decode(FromHex("41")));
}

TEST(Utf8Codec, EncoderNeverWritesPastTheOutputSize)
{
    const std::u16string chars = u"a\u00E9\u20AC"; // 1 + 2 + 3 bytes
    struct Case
    {
        size_t outSize;
        std::string written;
    };
    const Case cases[] = {
        {1, ""}, {2, "a"}, {3, "a"}, {4, "a\xC3\xA9"}, {6, "a\xC3\xA9"}, {7, "a\xC3\xA9\xE2\x82\xAC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.outSize);
        std::vector<char> out(c.outSize + 4, '#');
        EXPECT_EQ(7u, Utf8Encode(chars.data(), chars.size(), out.data(), c.outSize));
        EXPECT_EQ(c.written, std::string(out.data()));
        EXPECT_EQ(std::string(4, '#'), std::string(out.end() - 4, out.end()));
    }
    EXPECT_EQ(7u, Utf8Encode(chars.data(), chars.size(), nullptr, 0));
}

TEST(Utf8Codec, DecoderNeverWritesPastTheOutputSize)
{
    const std::vector<uint8_t> utf8 = FromHex("61C3A9E282AC");
    for (size_t outSize = 0; outSize <= 4; ++outSize) {
        SCOPED_TRACE(outSize);
        std::vector<char16_t> out(outSize + 2, u'#');
        EXPECT_EQ(4u, Utf8Decode(reinterpret_cast<const char*>(utf8.data()), utf8.size(),
                                 out.data(), outSize));
        if (outSize > 0) {
            const std::u16string expected = std::u16string(u"a\u00E9\u20AC").substr(0, outSize - 1);
            EXPECT_EQ(expected, std::u16string(out.data()));
        }
        EXPECT_EQ(u'#', out[outSize]);
        EXPECT_EQ(u'#', out[outSize + 1]);
    }
}
