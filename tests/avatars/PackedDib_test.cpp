// BMP files made by ImageMagick read to the pixels ImageMagick reads, and
// headers that lie are refused.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "PackedDib.h"
#include "PictureError.h"

namespace {

struct BmpCase {
    const char* name;
    int32_t width;
    int32_t height;
    uint16_t bitCount;
};

class BmpFixtureTest : public ::testing::TestWithParam<BmpCase> {};

TEST_P(BmpFixtureTest, ReadsImageMagicksPixels) {
    const BmpCase& c = GetParam();
    std::vector<uint8_t> bmp = ReadFixture(std::string(c.name) + ".bmp");
    std::vector<uint8_t> expected = ReadFixture(std::string(c.name) + ".rgb");
    ASSERT_FALSE(bmp.empty());
    CPackedDib dib;
    int32_t error = -1;
    ASSERT_TRUE(dib.ReadBmpFile(bmp.data(), bmp.size(), error)) << "error " << error;
    EXPECT_EQ(error, kPictureOk);
    EXPECT_EQ(dib.Width(), c.width);
    EXPECT_EQ(dib.Height(), c.height);
    EXPECT_EQ(dib.BitCount(), c.bitCount);
    // The kept header is always the 40-byte one, whatever the file had.
    EXPECT_EQ(dib.Bytes()[0], 40);
    std::vector<uint8_t> got;
    for (int32_t y = 0; y < dib.Height(); ++y) {
        for (int32_t x = 0; x < dib.Width(); ++x) {
            uint8_t px[3];
            dib.RgbAt(x, y, px);
            got.insert(got.end(), px, px + 3);
        }
    }
    EXPECT_EQ(got, expected);
}

// b8v5 carries the 124-byte header ImageMagick writes by default.
INSTANTIATE_TEST_SUITE_P(Fixtures, BmpFixtureTest,
                         ::testing::Values(BmpCase{"b1", 19, 9, 1}, BmpCase{"b4", 21, 13, 4},
                                           BmpCase{"b8", 48, 64, 8}, BmpCase{"b8v5", 33, 17, 8},
                                           BmpCase{"b24", 23, 11, 24}),
                         [](const auto& info) { return std::string(info.param.name); });

void PutLe32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

struct HostileCase {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> patch;
    int32_t error;
};

class BmpHostileTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(BmpHostileTest, IsRefused) {
    std::vector<uint8_t> bmp = ReadFixture("b4.bmp");
    GetParam().patch(bmp);
    CPackedDib dib;
    int32_t error = 0;
    EXPECT_FALSE(dib.ReadBmpFile(bmp.data(), bmp.size(), error)) << GetParam().what;
    EXPECT_EQ(error, GetParam().error) << GetParam().what;
    EXPECT_TRUE(dib.IsEmpty());
}

// Offsets in a BMP file: 10 bits offset, 14 info size, 18 width, 22 height,
// 26 planes, 28 bit count, 30 compression, 46 colours used.
INSTANTIATE_TEST_SUITE_P(
    Headers, BmpHostileTest,
    ::testing::Values(
        HostileCase{"core header", [](auto& b) { PutLe32(b, 14, 12); }, kPictureBadFormat},
        HostileCase{"info size beyond the file", [](auto& b) { PutLe32(b, 14, 124); b.resize(100); },
                    kPictureBadFormat},
        HostileCase{"colours used above 256", [](auto& b) { PutLe32(b, 46, 257); }, kPictureBadFormat},
        HostileCase{"negative height", [](auto& b) { PutLe32(b, 22, 0xFFFFFFF3u); }, kPictureBadFormat},
        HostileCase{"zero width", [](auto& b) { PutLe32(b, 18, 0); }, kPictureBadFormat},
        HostileCase{"two planes", [](auto& b) { b[26] = 2; }, kPictureBadFormat},
        HostileCase{"bit count 3", [](auto& b) { b[28] = 3; }, kPictureBadFormat},
        HostileCase{"RLE4", [](auto& b) { b[30] = 2; }, kPictureBadFormat},
        HostileCase{"rows missing", [](auto& b) { b.resize(b.size() - 1); }, kPictureBadFormat},
        HostileCase{"huge width", [](auto& b) { PutLe32(b, 18, 0x7FFFFFFF); }, kPictureNoMemory},
        HostileCase{"row size beyond 32 bits",
                    [](auto& b) { PutLe32(b, 18, 0x40000001); PutLe32(b, 22, 1); b[28] = 32; },
                    kPictureNoMemory},
        HostileCase{"not BM", [](auto& b) { b[1] = 'X'; }, kPictureBadFormat}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(BmpRead, RunLengthFileIsRefused) {
    std::vector<uint8_t> bmp = ReadFixture("brle.bmp");
    CPackedDib dib;
    int32_t error = 0;
    EXPECT_FALSE(dib.ReadBmpFile(bmp.data(), bmp.size(), error));
}

TEST(BmpRead, BitsOffsetOutsideTheFileFallsBackToAfterTheTable) {
    std::vector<uint8_t> bmp = ReadFixture("b4.bmp");
    CPackedDib good;
    int32_t error = 0;
    ASSERT_TRUE(good.ReadBmpFile(bmp.data(), bmp.size(), error));
    PutLe32(bmp, 10, 0xFFFFFF00u);
    CPackedDib patched;
    ASSERT_TRUE(patched.ReadBmpFile(bmp.data(), bmp.size(), error));
    EXPECT_EQ(patched.Bytes(), good.Bytes());
}

TEST(BmpRead, PackedDibCapIsFiftyThousandBytes) {
    // 8-bit 150 x 150 is 22,500 bytes of rows and loads; 24-bit is 67,500 and
    // is refused.
    for (uint16_t bits : {8, 24}) {
        size_t table = bits == 8 ? 1024 : 0;
        size_t rows = CPackedDib::StrideOf(150, bits) * 150u;
        std::vector<uint8_t> packed(40 + table + rows, 0);
        PutLe32(packed, 0, 40);
        PutLe32(packed, 4, 150);
        PutLe32(packed, 8, 150);
        packed[12] = 1;
        packed[14] = static_cast<uint8_t>(bits);
        CPackedDib dib;
        int32_t error = 0;
        EXPECT_EQ(dib.ReadPacked(packed.data(), packed.size(), error), bits == 8) << bits;
    }
}

TEST(BmpRead, EveryPrefixOfEveryFixtureIsSafe) {
    for (const char* name : {"b1", "b4", "b8v5", "b24", "brle"}) {
        std::vector<uint8_t> bmp = ReadFixture(std::string(name) + ".bmp");
        for (size_t length = 0; length < bmp.size(); ++length) {
            std::vector<uint8_t> prefix(bmp.begin(), bmp.begin() + static_cast<std::ptrdiff_t>(length));
            CPackedDib dib;
            int32_t error = 0;
            EXPECT_FALSE(dib.ReadBmpFile(prefix.data(), prefix.size(), error)) << name << length;
            EXPECT_NE(error, kPictureOk);
        }
    }
}

TEST(BmpSize, FromTheHeaderAlone) {
    std::vector<uint8_t> bmp = ReadFixture("b8.bmp");
    int32_t width = 0;
    int32_t height = 0;
    ASSERT_TRUE(CPackedDib::BmpFileSize(bmp.data(), 26, width, height));
    EXPECT_EQ(width, 48);
    EXPECT_EQ(height, 64);
    EXPECT_FALSE(CPackedDib::BmpFileSize(bmp.data(), 25, width, height));
}

}  // namespace
