#include "Blowfish.h"

#include "TestHex.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct CipherVector
{
    const char* key;
    const char* plain;
    const char* cipher;
};

// The cipher author's published ECB table (Eric Young's test vectors).
const CipherVector kEcbVectors[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
    {"07A1133E4A0B2686", "0248D43806F67172", "1730E5778BEA1DA4"},
    {"3849674C2602319E", "51454B582DDF440A", "A25E7856CF2651EB"},
    {"04B915BA43FEB5B6", "42FD443059577FA2", "353882B109CE8F1A"},
    {"0113B970FD34F2CE", "059B5E0851CF143A", "48F4D0884C379918"},
    {"0170F175468FB5E6", "0756D8E0774761D2", "432193B78951FC98"},
    {"43297FAD38E373FE", "762514B829BF486A", "13F04154D69D1AE5"},
    {"07A7137045DA2A16", "3BDD119049372802", "2EEDDA93FFD39C79"},
    {"04689104C2FD3B2F", "26955F6835AF609A", "D887E0393C2DA6E3"},
    {"37D06BB516CB7546", "164D5E404F275232", "5F99D04F5B163969"},
    {"1F08260D1AC2465E", "6B056E18759F5CCA", "4A057A3B24D3977B"},
    {"584023641ABA6176", "004BD6EF09176062", "452031C1E4FADA8E"},
    {"025816164629B007", "480D39006EE762F2", "7555AE39F59B87BD"},
    {"49793EBC79B3258F", "437540C8698F3CFA", "53C55F9CB49FC019"},
    {"4FB05E1515AB73A7", "072D43A077075292", "7A8E7BFA937E89A3"},
    {"49E95D6D4CA229BF", "02FE55778117F12A", "CF9C5D7A4986ADB5"},
    {"018310DC409B26D6", "1D9D5C5018F728C2", "D1ABB290658BC778"},
    {"1C587F1C13924FEF", "305532286D6F295A", "55CB3774D13EF201"},
    {"0101010101010101", "0123456789ABCDEF", "FA34EC4847B268B2"},
    {"1F1F1F1F0E0E0E0E", "0123456789ABCDEF", "A790795108EA3CAE"},
    {"E0FEE0FEF1FEF1FE", "0123456789ABCDEF", "C39E072D9FAC631D"},
    {"0000000000000000", "FFFFFFFFFFFFFFFF", "014933E0CDAFF6E4"},
    {"FFFFFFFFFFFFFFFF", "0000000000000000", "F21E9A77B71C49BC"},
    {"0123456789ABCDEF", "0000000000000000", "245946885754369A"},
    {"FEDCBA9876543210", "FFFFFFFFFFFFFFFF", "6B5C5A9C5D9E0A5A"},
};

// The published variable-key table: prefixes of one 24-byte key, one block.
const char kSetKeyPlain[] = "FEDCBA9876543210";
const CipherVector kSetKeyVectors[] = {
    {"F0", kSetKeyPlain, "F9AD597C49DB005E"},
    {"F0E1", kSetKeyPlain, "E91D21C1D961A6D6"},
    {"F0E1D2", kSetKeyPlain, "E9C2B70A1BC65CF3"},
    {"F0E1D2C3", kSetKeyPlain, "BE1E639408640F05"},
    {"F0E1D2C3B4", kSetKeyPlain, "B39E44481BDB1E6E"},
    {"F0E1D2C3B4A5", kSetKeyPlain, "9457AA83B1928C0D"},
    {"F0E1D2C3B4A596", kSetKeyPlain, "8BB77032F960629D"},
    {"F0E1D2C3B4A59687", kSetKeyPlain, "E87A244E2CC85E82"},
    {"F0E1D2C3B4A5968778", kSetKeyPlain, "15750E7A4F4EC577"},
    {"F0E1D2C3B4A596877869", kSetKeyPlain, "122BA70B3AB64AE0"},
    {"F0E1D2C3B4A5968778695A", kSetKeyPlain, "3A833C9AFFC537F6"},
    {"F0E1D2C3B4A5968778695A4B", kSetKeyPlain, "9409DA87A90F6BF2"},
    {"F0E1D2C3B4A5968778695A4B3C", kSetKeyPlain, "884F80625060B8B4"},
    {"F0E1D2C3B4A5968778695A4B3C2D", kSetKeyPlain, "1F85031C19E11968"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E", kSetKeyPlain, "79D9373A714CA34F"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F", kSetKeyPlain, "93142887EE3BE15C"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F00", kSetKeyPlain, "03429E838CE2D14B"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F0011", kSetKeyPlain, "A4299E27469FF67B"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F001122", kSetKeyPlain, "AFD5AED1C1BC96A8"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F00112233", kSetKeyPlain, "10851C0E3858DA9F"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344", kSetKeyPlain, "E6F51ED79B9DB21F"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F001122334455", kSetKeyPlain, "64A6E14AFD36B46F"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F00112233445566", kSetKeyPlain, "80C7D7D45A5479AD"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677", kSetKeyPlain, "05044B62FA52D080"},
};

std::string CryptHex(const CipherVector& vector, const char* input, BlowfishDirection direction)
{
    const std::vector<uint8_t> key = FromHex(vector.key);
    std::vector<uint8_t> block = FromHex(input);
    const CBlowfish cipher(key.data(), key.size(), direction);
    cipher.CryptBlock(block.data());
    return ToHex(block);
}

void ExpectVectors(const CipherVector* vectors, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const CipherVector& vector = vectors[i];
        SCOPED_TRACE(std::string("key ") + vector.key + " plain " + vector.plain);
        EXPECT_EQ(CryptHex(vector, vector.plain, BlowfishDirection::Encipher), vector.cipher);
        EXPECT_EQ(CryptHex(vector, vector.cipher, BlowfishDirection::Decipher), vector.plain);
    }
}

} // namespace

TEST(Blowfish, PublishedEcbVectorsBothWays)
{
    ExpectVectors(kEcbVectors, std::size(kEcbVectors));
}

TEST(Blowfish, PublishedVariableKeyVectorsBothWays)
{
    ExpectVectors(kSetKeyVectors, std::size(kSetKeyVectors));
}

TEST(Blowfish, KeyBeyondFiftySixBytesIsCut)
{
    std::vector<uint8_t> key(72);
    for (size_t i = 0; i < key.size(); ++i)
        key[i] = static_cast<uint8_t>(i * 7 + 1);
    const CBlowfish full(key.data(), key.size(), BlowfishDirection::Encipher);
    const CBlowfish cut(key.data(), CBlowfish::kMaxKeyLength, BlowfishDirection::Encipher);
    uint8_t a[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    uint8_t b[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    full.CryptBlock(a);
    cut.CryptBlock(b);
    EXPECT_EQ(0, std::memcmp(a, b, sizeof(a)));
}

TEST(Blowfish, EmptyKeyStillCiphersBothWays)
{
    const CBlowfish encipher(nullptr, 0, BlowfishDirection::Encipher);
    const CBlowfish decipher(nullptr, 0, BlowfishDirection::Decipher);
    uint8_t block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    encipher.CryptBlock(block);
    EXPECT_NE(1, block[0]);
    decipher.CryptBlock(block);
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}), std::vector<uint8_t>(block, block + 8));
}

TEST(Blowfish, ReportsEightByteBlocks)
{
    const CBlowfish cipher(kDefaultBlowfishKey.data(), kDefaultBlowfishKey.size(),
                           BlowfishDirection::Encipher);
    EXPECT_EQ(8u, cipher.InputBlockSize());
    EXPECT_EQ(8u, cipher.OutputBlockSize());
}

TEST(BlowfishCryptBuffer, PadsToWholeBlocksWithZeroBytes)
{
    struct Case
    {
        size_t length;
        size_t padded;
        size_t pad;
        size_t blocks;
    };
    const Case cases[] = {{0, 0, 0, 0}, {1, 8, 7, 1}, {8, 8, 0, 1}, {9, 16, 7, 2}, {16, 16, 0, 2}};
    const std::string input(16, 'x');
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const BlowfishBuffer result =
            BlowfishCryptBuffer(BlowfishDirection::Encipher, input.data(), c.length, nullptr);
        EXPECT_EQ(c.padded, result.bytes.size());
        EXPECT_EQ(c.pad, result.padCount);
        EXPECT_EQ(c.blocks, result.blockCount);
        const BlowfishBuffer back = BlowfishCryptBuffer(
            BlowfishDirection::Decipher, result.bytes.data(), result.bytes.size(), nullptr);
        std::string expected(input, 0, c.length);
        expected.append(c.pad, '\0');
        EXPECT_EQ(expected, std::string(back.bytes.begin(), back.bytes.end()));
    }
}

TEST(BlowfishCryptBuffer, DefaultKeyMatchesIndependentImplementation)
{
    // Golden value from an independent implementation of the same cipher.
    const BlowfishBuffer result =
        BlowfishCryptBuffer(BlowfishDirection::Encipher, "123456789", 9, nullptr);
    EXPECT_EQ("837EBF2F887D3AEBC5A14310FB78C7E7", ToHex(result.bytes));
    EXPECT_EQ(7u, result.padCount);
}

TEST(BlowfishCryptBuffer, BlocksAreIndependent)
{
    const std::string twice = "ABCDEFGHABCDEFGH";
    const BlowfishBuffer result = BlowfishCryptBuffer(BlowfishDirection::Encipher, twice.data(),
                                                      twice.size(), "some key");
    ASSERT_EQ(16u, result.bytes.size());
    EXPECT_TRUE(std::equal(result.bytes.begin(), result.bytes.begin() + 8,
                           result.bytes.begin() + 8));
}

TEST(BlowfishCryptBuffer, KeyTextUsesItsCharactersAndEmptyMeansDefault)
{
    // A key text keys the cipher with its bytes: "\xF0\xE1" is the published
    // two-byte key.
    const std::vector<uint8_t> plain = FromHex("FEDCBA9876543210");
    const char keyText[] = "\xF0\xE1";
    const BlowfishBuffer byText =
        BlowfishCryptBuffer(BlowfishDirection::Encipher, plain.data(), plain.size(), keyText);
    EXPECT_EQ("E91D21C1D961A6D6", ToHex(byText.bytes));

    const BlowfishBuffer byEmpty =
        BlowfishCryptBuffer(BlowfishDirection::Encipher, plain.data(), plain.size(), "");
    const BlowfishBuffer byDefault =
        BlowfishCryptBuffer(BlowfishDirection::Encipher, plain.data(), plain.size(), nullptr);
    EXPECT_EQ(ToHex(byDefault.bytes), ToHex(byEmpty.bytes));
}
