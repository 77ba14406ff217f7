#include "CConfLineCipher.h"

#include "Base64.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const ConfKey kAccountKey = {0x42, 0x6e, 0x13, 0xcc, 0xae, 0xe9, 0x59, 0xad};

ConfKey DefaultKey()
{
    ConfKey key;
    std::copy(kDefaultBlowfishKey.begin(), kDefaultBlowfishKey.end(), key.begin());
    return key;
}

struct CipherLine
{
    ConfKey key;
    std::string plain;
    std::string wire;
};

// Worked out by an independent implementation of the cipher.
TEST(ConfLineCipher, LinesEncipherToTheKnownWireText)
{
    const CipherLine cases[] = {
        {DefaultKey(), "8\tACCEPT\t3\n", "sjFJIDZKCGHH5A0GF4U8Qg==\n"},
        {DefaultKey(), "7\tCONNECT\n", "RGfB40WKGaz7uXoOeojblg==\n"},
        {kAccountKey, "8\tACCEPT\t3\n", "10TlF8FD61he3mzTkoSbKQ==\n"},
    };
    for (const auto& c : cases) {
        const CConfLineCipher cipher(c.key);
        EXPECT_EQ(cipher.Encipher(c.plain), c.wire) << c.plain;
        EXPECT_EQ(cipher.Decipher(c.wire), c.plain) << c.wire;
    }
}

TEST(ConfLineCipher, BlocksAreIndependentAndPaddedWithZeros)
{
    const CConfLineCipher cipher(DefaultKey());
    // Two equal blocks give two equal cipher blocks (no chaining).
    const std::string wire = cipher.Encipher("ABCDEFGHABCDEFGH");
    const auto bytes = Base64Decode(wire.data(), wire.size());
    ASSERT_EQ(bytes.size(), 16u);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 8, bytes.begin() + 8));
    // 9 bytes take two blocks.
    EXPECT_EQ(Base64Decode(cipher.Encipher("123456789").data(), 24).size(), 16u);
    EXPECT_EQ(cipher.Encipher(""), "\n");
}

TEST(ConfLineCipher, DecipherDropsAnIncompleteBlockAndStopsAtZero)
{
    const CConfLineCipher cipher(DefaultKey());
    std::string wire = cipher.Encipher("8\tACCEPT\t3\n");
    wire.pop_back();
    // 16 bytes plus 3 bytes of a block that never completes.
    const std::string extended = wire.substr(0, 22) + "QUJD";
    EXPECT_EQ(cipher.Decipher(extended), "8\tACCEPT\t3\n");
    EXPECT_EQ(cipher.Decipher(""), "");
    EXPECT_EQ(cipher.Decipher("!!!!"), "");
}

TEST(ConfLineCipher, AWrongKeyDoesNotGiveTheLineBack)
{
    const CConfLineCipher sender(kAccountKey);
    const CConfLineCipher receiver(DefaultKey());
    EXPECT_NE(receiver.Decipher(sender.Encipher("8\tACCEPT\t3\n")), "8\tACCEPT\t3\n");
}

TEST(ConfLineCipher, CredentialsFollowTheAccountKey)
{
    struct Case
    {
        const char* account;
        const char* accountKey;
        const char* field;
        ConfKey key;
    };
    const Case cases[] = {
        // No key: the default account and key, whatever the account number.
        {"0", "", "73920461", DefaultKey()},
        {"47205318", "", "73920461", DefaultKey()},
        {"47205318", "Qm4TzK7pWa2", "47205318", kAccountKey},
        // A short key is padded with zero bytes; a long one is cut to 8.
        {"5", "QUJD", "5", {'A', 'B', 'C', 0, 0, 0, 0, 0}},
        {"5", "QUJDREVGR0hJSktM", "5", {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}},
    };
    for (const auto& c : cases) {
        const ConfCredentials credentials =
            CConfLineCipher::ChooseCredentials(c.account, c.accountKey);
        EXPECT_EQ(credentials.accountField, c.field) << c.account << " " << c.accountKey;
        EXPECT_EQ(credentials.key, c.key) << c.account << " " << c.accountKey;
    }
}

} // namespace
