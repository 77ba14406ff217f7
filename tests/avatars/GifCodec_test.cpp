// GIF decoding against ImageMagick's own reading of the same files, encoding
// round trips, and crafted streams that must be refused or must decode.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "GifCodec.h"
#include "PictureError.h"

namespace {

std::vector<uint8_t> RgbOf(const CPackedDib& dib) {
    std::vector<uint8_t> rgb;
    for (int32_t y = 0; y < dib.Height(); ++y) {
        for (int32_t x = 0; x < dib.Width(); ++x) {
            uint8_t px[3];
            dib.RgbAt(x, y, px);
            rgb.insert(rgb.end(), px, px + 3);
        }
    }
    return rgb;
}

struct DecodeCase {
    const char* name;
    int32_t width;
    int32_t height;
    uint16_t bitCount;
};

class GifFixtureTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(GifFixtureTest, DecodesToImageMagicksPixels) {
    const DecodeCase& c = GetParam();
    std::vector<uint8_t> gif = ReadFixture(std::string(c.name) + ".gif");
    std::vector<uint8_t> expected = ReadFixture(std::string(c.name) + ".rgb");
    ASSERT_FALSE(gif.empty());
    CGifCodec codec;
    CPackedDib dib = codec.Decode(gif.data(), gif.size());
    ASSERT_FALSE(dib.IsEmpty()) << "error " << codec.Error();
    EXPECT_EQ(codec.Error(), kPictureOk);
    EXPECT_EQ(dib.Width(), c.width);
    EXPECT_EQ(dib.Height(), c.height);
    EXPECT_EQ(dib.BitCount(), c.bitCount);
    EXPECT_EQ(dib.ColourCount(), 1u << c.bitCount);
    EXPECT_EQ(RgbOf(dib), expected);
}

// Min code size 2 and 3 make 4-bit DIBs, 4 too; 5 and above 8-bit ones.
INSTANTIATE_TEST_SUITE_P(Fixtures, GifFixtureTest,
                         ::testing::Values(DecodeCase{"g2", 13, 7, 4}, DecodeCase{"g8", 9, 11, 4},
                                           DecodeCase{"g16", 37, 23, 4},
                                           DecodeCase{"g16i", 37, 23, 4},
                                           DecodeCase{"g256", 61, 45, 8},
                                           DecodeCase{"g256i", 61, 45, 8},
                                           DecodeCase{"g87", 20, 5, 8},
                                           DecodeCase{"gtrans", 17, 13, 8},
                                           DecodeCase{"gnoise", 220, 220, 8},
                                           DecodeCase{"ganim", 8, 6, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GifDecode, InterlacedImageEqualsItsSequentialTwin) {
    for (const char* pair : {"g16", "g256"}) {
        std::vector<uint8_t> plain = ReadFixture(std::string(pair) + ".gif");
        std::vector<uint8_t> interlaced = ReadFixture(std::string(pair) + "i.gif");
        CGifCodec codec;
        CPackedDib a = codec.Decode(plain.data(), plain.size());
        CPackedDib b = codec.Decode(interlaced.data(), interlaced.size());
        ASSERT_FALSE(a.IsEmpty());
        EXPECT_EQ(a.Bytes(), b.Bytes()) << pair;
    }
}

// A hand-made GIF: 2-colour global table (black, white), one image, codes
// given with their widths.
struct Code {
    int value;
    int width;
};

std::vector<uint8_t> MakeGif(int width, int height, int minCodeSize, const std::vector<Code>& codes,
                             bool globalTable = true, size_t zerosBeforeImage = 0) {
    std::vector<uint8_t> g = {'G', 'I', 'F', '8', '9', 'a', static_cast<uint8_t>(width), 0,
                              static_cast<uint8_t>(height), 0,
                              static_cast<uint8_t>(globalTable ? 0x80 : 0), 0, 0};
    if (globalTable) {
        g.insert(g.end(), {0, 0, 0, 255, 255, 255});
    }
    g.insert(g.end(), zerosBeforeImage, 0);
    g.insert(g.end(), {0x2C, 0, 0, 0, 0, static_cast<uint8_t>(width), 0,
                       static_cast<uint8_t>(height), 0, 0, static_cast<uint8_t>(minCodeSize)});
    std::vector<uint8_t> data;
    uint32_t bits = 0;
    int count = 0;
    for (const Code& c : codes) {
        bits |= static_cast<uint32_t>(c.value) << count;
        count += c.width;
        while (count >= 8) {
            data.push_back(static_cast<uint8_t>(bits));
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0) {
        data.push_back(static_cast<uint8_t>(bits));
    }
    g.push_back(static_cast<uint8_t>(data.size()));
    g.insert(g.end(), data.begin(), data.end());
    g.insert(g.end(), {0, 0x3B});
    return g;
}

struct CraftedCase {
    const char* what;
    std::vector<uint8_t> gif;
    int32_t error;
    std::vector<uint8_t> pixels;  // expected indexes, top row first, when decoded
};

class GifCraftedTest : public ::testing::TestWithParam<CraftedCase> {};

TEST_P(GifCraftedTest, DecodesOrRefuses) {
    const CraftedCase& c = GetParam();
    CGifCodec codec;
    CPackedDib dib = codec.Decode(c.gif.data(), c.gif.size());
    EXPECT_EQ(codec.Error(), c.error) << c.what;
    if (c.error != kPictureOk) {
        EXPECT_TRUE(dib.IsEmpty()) << c.what;
        return;
    }
    ASSERT_FALSE(dib.IsEmpty()) << c.what;
    std::vector<uint8_t> got;
    for (int32_t y = 0; y < dib.Height(); ++y) {
        for (int32_t x = 0; x < dib.Width(); ++x) {
            got.push_back(dib.IndexAt(x, y));
        }
    }
    EXPECT_EQ(got, c.pixels) << c.what;
}

// Min code size 2: clear 4, end 5, first free code 6, width 3.
INSTANTIATE_TEST_SUITE_P(
    Streams, GifCraftedTest,
    ::testing::Values(
        CraftedCase{"plain", MakeGif(2, 2, 2, {{4, 3}, {1, 3}, {0, 3}, {6, 3}, {5, 3}}), kPictureOk,
                    {1, 0, 1, 0}},
        CraftedCase{"no leading clear", MakeGif(2, 1, 2, {{1, 3}, {1, 3}, {5, 3}}), kPictureOk, {1, 1}},
        CraftedCase{"code equal to the next free code",
                    MakeGif(3, 1, 2, {{4, 3}, {1, 3}, {6, 3}, {5, 3}}), kPictureOk, {1, 1, 1}},
        CraftedCase{"zero bytes before the image",
                    MakeGif(2, 1, 2, {{4, 3}, {1, 3}, {0, 3}, {5, 3}}, true, 3), kPictureOk, {1, 0}},
        CraftedCase{"end code early leaves zeros",
                    MakeGif(2, 2, 2, {{4, 3}, {1, 3}, {5, 3}}), kPictureOk, {1, 0, 0, 0}},
        CraftedCase{"no global colour table", MakeGif(2, 1, 2, {{4, 3}, {1, 3}, {5, 3}}, false),
                    kPictureBadFormat, {}},
        CraftedCase{"zero width", MakeGif(0, 1, 2, {{4, 3}, {5, 3}}), kPictureZeroSize, {}},
        CraftedCase{"min code size 0", MakeGif(2, 1, 0, {{1, 1}}), kPictureBadCode, {}},
        CraftedCase{"min code size 12", MakeGif(2, 1, 12, {{1, 13}}), kPictureBadCode, {}},
        CraftedCase{"first code after clear not a literal",
                    MakeGif(2, 1, 2, {{4, 3}, {6, 3}, {5, 3}}), kPictureBadCode, {}},
        CraftedCase{"code beyond the next free code",
                    MakeGif(3, 1, 2, {{4, 3}, {1, 3}, {7, 3}, {5, 3}}), kPictureBadCode, {}},
        CraftedCase{"not a GIF", {'G', 'I', 'X', '8', '9', 'a'}, kPictureBadFormat, {}},
        CraftedCase{"trailer before any image",
                    {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 1, 1, 1, 0x3B},
                    kPictureTruncated, {}},
        CraftedCase{"unknown block",
                    {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 1, 1, 1, 0x77},
                    kPictureBadFormat, {}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(GifDecode, LargestPixelAreaIsRefusedBeforeAllocating) {
    std::vector<uint8_t> gif = MakeGif(0, 0, 8, {{256, 9}, {1, 9}, {257, 9}});
    gif[6] = gif[7] = gif[8] = gif[9] = 0xFF;                            // screen 65535 x 65535
    const size_t descriptor = 13 + 6 + 1;
    gif[descriptor + 4] = gif[descriptor + 5] = gif[descriptor + 6] = gif[descriptor + 7] = 0xFF;
    CGifCodec codec;
    EXPECT_TRUE(codec.Decode(gif.data(), gif.size()).IsEmpty());
    EXPECT_EQ(codec.Error(), kPictureNoMemory);
}

TEST(GifDecode, EveryPrefixOfEveryFixtureIsSafe) {
    for (const char* name : {"g2", "g16", "g16i", "g256i", "gtrans", "ganim", "g87"}) {
        std::vector<uint8_t> gif = ReadFixture(std::string(name) + ".gif");
        for (size_t length = 0; length < gif.size(); ++length) {
            std::vector<uint8_t> prefix(gif.begin(), gif.begin() + static_cast<std::ptrdiff_t>(length));
            CGifCodec codec;
            CPackedDib dib = codec.Decode(prefix.data(), prefix.size());
            if (dib.IsEmpty()) {
                EXPECT_NE(codec.Error(), kPictureOk) << name << " at " << length;
            }
        }
    }
}

TEST(GifSize, ReadsTheFirstImageDescriptor) {
    std::vector<uint8_t> gif = ReadFixture("gtrans.gif");
    int32_t width = 0;
    int32_t height = 0;
    ASSERT_TRUE(CGifCodec::ImageSize(gif.data(), gif.size(), width, height));
    EXPECT_EQ(width, 17);
    EXPECT_EQ(height, 13);
    EXPECT_FALSE(CGifCodec::ImageSize(gif.data(), 20, width, height));
}

CPackedDib RandomDib(int32_t width, int32_t height, uint16_t bits, uint32_t levels, uint32_t seed) {
    std::vector<uint8_t> colours(4 * 256);
    for (size_t i = 0; i < colours.size(); ++i) {
        colours[i] = (i % 4 == 3) ? 0 : static_cast<uint8_t>(i * 37 + 11);
    }
    CPackedDib dib;
    dib.Create(width, height, bits, colours.data());
    std::mt19937 random(seed);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            dib.SetIndex(x, y, static_cast<uint8_t>(random() % levels));
        }
    }
    return dib;
}

struct RoundTripCase {
    int32_t width;
    int32_t height;
    uint16_t bits;
    uint32_t levels;
};

class GifRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(GifRoundTripTest, EncodedPictureDecodesToTheSameDib) {
    const RoundTripCase& c = GetParam();
    CPackedDib dib = RandomDib(c.width, c.height, c.bits, c.levels, 99);
    CGifCodec codec;
    std::vector<uint8_t> gif = codec.Encode(dib);
    ASSERT_EQ(codec.Error(), kPictureOk);
    ASSERT_GT(gif.size(), 6u);
    EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
    EXPECT_EQ(gif.back(), 0x3B);
    // The global table holds exactly 2^bits entries.
    EXPECT_EQ(gif[10], 0x80 | (c.bits - 1) << 4 | (c.bits - 1));
    EXPECT_EQ(gif[13 + 3 * (1u << c.bits)], 0x2C);
    CPackedDib back = codec.Decode(gif.data(), gif.size());
    ASSERT_EQ(codec.Error(), kPictureOk);
    EXPECT_EQ(back.Bytes(), dib.Bytes());
}

// 1 x 1 needs more image bytes than width x height x 2; noise over 300 x 300
// fills the table and clears it many times.
INSTANTIATE_TEST_SUITE_P(Sizes, GifRoundTripTest,
                         ::testing::Values(RoundTripCase{1, 1, 4, 16}, RoundTripCase{1, 1, 8, 256},
                                           RoundTripCase{3, 5, 4, 16}, RoundTripCase{7, 3, 8, 2},
                                           RoundTripCase{48, 64, 8, 256},
                                           RoundTripCase{300, 300, 8, 256},
                                           RoundTripCase{499, 499, 4, 16},
                                           RoundTripCase{257, 1, 8, 1}));

TEST(GifEncode, FixturesReencodeToTheSamePixels) {
    for (const char* name : {"g2", "g16", "g256", "gnoise"}) {
        std::vector<uint8_t> gif = ReadFixture(std::string(name) + ".gif");
        CGifCodec codec;
        CPackedDib dib = codec.Decode(gif.data(), gif.size());
        std::vector<uint8_t> ours = codec.Encode(dib);
        CPackedDib back = codec.Decode(ours.data(), ours.size());
        EXPECT_EQ(back.Bytes(), dib.Bytes()) << name;
    }
}

TEST(GifEncode, RefusesOtherBitCounts) {
    std::vector<uint8_t> bmp = ReadFixture("b24.bmp");
    int32_t error = 0;
    CPackedDib dib;
    ASSERT_TRUE(dib.ReadBmpFile(bmp.data(), bmp.size(), error));
    CGifCodec codec;
    EXPECT_TRUE(codec.Encode(dib).empty());
    EXPECT_EQ(codec.Error(), kPictureBadFormat);
}

}  // namespace
