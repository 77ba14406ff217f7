#include "Base64.h"

#include "TestHex.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct Base64Vector
{
    const char* plain;
    const char* encoded;
};

// RFC 4648, section 10.
const Base64Vector kRfc4648Vectors[] = {
    {"", ""},
    {"f", "Zg=="},
    {"fo", "Zm8="},
    {"foo", "Zm9v"},
    {"foob", "Zm9vYg=="},
    {"fooba", "Zm9vYmE="},
    {"foobar", "Zm9vYmFy"},
};

std::string Decode(const std::string& text)
{
    const std::vector<uint8_t> bytes = Base64Decode(text.data(), text.size());
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

TEST(Base64, Rfc4648VectorsBothWays)
{
    for (const Base64Vector& vector : kRfc4648Vectors) {
        SCOPED_TRACE(vector.plain);
        EXPECT_EQ(vector.encoded, Base64Encode(vector.plain, std::strlen(vector.plain)));
        EXPECT_EQ(vector.plain, Decode(vector.encoded));
    }
}

TEST(Base64, EncodesEveryByteValue)
{
    std::string all;
    for (int value = 0; value < 256; ++value)
        all += static_cast<char>(value);
    const std::string encoded = Base64Encode(all.data(), all.size());
    EXPECT_EQ(344u, encoded.size());
    EXPECT_EQ(all, Decode(encoded));
}

TEST(Base64, DecodingFollowsTheEngineRules)
{
    struct Case
    {
        std::string text;
        std::string plain;
    };
    const Case cases[] = {
        // The first character outside the alphabet ends the decoding.
        {"Zm9v\nYmFy", "foo"},
        {"Zm9vYmFy\n", "foobar"},
        {std::string("Zm9v\0YmFy", 9), "foo"},
        {"Zm9v YmFy", "foo"},
        {"!Zm9v", ""},
        // "=" is skipped wherever it stands.
        {"Zm=9v", "foo"},
        {"=Zm9vYmFy", "foobar"},
        // Decoded as "Zm9vYgZm9v": the bits after "Yg" run on into "Zm9v".
        {"Zm9vYg==Zm9v", std::string("foob\x06" "f\xF6")},
        // Bits that do not make a whole byte are dropped.
        {"Zg", "f"},
        {"Z", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.plain, Decode(c.text));
    }
}

TEST(Base64, DecodesOnlyWithinTheGivenLength)
{
    const char text[] = "Zm9vYmFy";
    const std::vector<uint8_t> bytes = Base64Decode(text, 4);
    EXPECT_EQ("foo", std::string(bytes.begin(), bytes.end()));
    EXPECT_TRUE(Base64Decode(text, 0).empty());
}

TEST(Base64, DecodesAnAccountKey)
{
    const std::string key = "Qm4TzK7pWa2";
    EXPECT_EQ("426E13CCAEE959AD", ToHex(Base64Decode(key.data(), key.size())));
}

TEST(Base64, DecodeInPlaceReplacesOnlyWhenSomethingWasDecoded)
{
    std::string buffer = "Zm9vYmFy";
    EXPECT_EQ(6u, Base64DecodeInPlace(buffer));
    EXPECT_EQ("foobar", buffer);

    std::string foreign = "\n!";
    EXPECT_EQ(0u, Base64DecodeInPlace(foreign));
    EXPECT_EQ("\n!", foreign);
}
