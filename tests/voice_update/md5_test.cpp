#include "Md5.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string Hex(const Md5::Digest& digest)
{
    std::string text;
    char byte[3];
    for (uint8_t value : digest) {
        std::snprintf(byte, sizeof byte, "%02x", value);
        text += byte;
    }
    return text;
}

} // namespace

TEST(Md5, GivesThePublishedDigests)
{
    const struct { std::string message; const char* digest; } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
        // Lengths around the 56-byte padding edge.
        {std::string(55, 'x'), "04364420e25c512fd958a70738aa8f72"},
        {std::string(56, 'x'), "668a72d5ba17f08e62dabcafad6db14b"},
        {std::string(64, 'x'), "c1bb4f81d892b2d57947682aeb252456"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Hex(Md5::Of(c.message.data(), c.message.size())), c.digest) << c.message.size();
}

TEST(Md5, MatchesOnlyTheExactBase64Digest)
{
    const std::string text = "abc";
    EXPECT_EQ(Md5::Base64Of(text.data(), text.size()), "kAFQmDzST7DWlj99KOF/cg==");
    EXPECT_TRUE(Md5::MatchesBase64(text.data(), text.size(), "kAFQmDzST7DWlj99KOF/cg=="));
    for (const char* wrong : {"", "kAFQmDzST7DWlj99KOF/cg", "kAFQmDzST7DWlj99KOF/cG==", "1B2M2Y8AsgTpgAmY7PhCfg=="})
        EXPECT_FALSE(Md5::MatchesBase64(text.data(), text.size(), wrong)) << wrong;
}
