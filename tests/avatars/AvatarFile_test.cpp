// Avatar files: written and read back, selective loading, and malformed
// files refused without crashing.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "AvatarFile.h"
#include "Fixtures.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Bytes(size_t count, uint8_t seed) {
    std::vector<uint8_t> v(count);
    for (size_t i = 0; i < count; ++i) {
        v[i] = static_cast<uint8_t>(seed + i * 7);
    }
    return v;
}

CAvatarFile Sample(uint8_t flags = CAvatarFile::kTransparent | CAvatarFile::kSound | 0x01) {
    CAvatarFile file;
    file.SetName("Wave");
    file.SetFlags(flags);
    file.SetFrameWidth(48);
    file.SetKeyColour(0x112233);
    file.SetPlayParameters(2, 3, 4);
    file.SetStill(ReadFixture("g16.gif"));
    file.SetStrip(Bytes(5000, 1));
    file.SetSound(Bytes(700, 9));
    return file;
}

class AvatarFolder : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("zra-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    void Write(const std::string& fileName, const std::vector<uint8_t>& bytes) {
        std::ofstream out(folder_ / fileName, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::string Folder() const { return folder_.string(); }

    fs::path folder_;
};

TEST_F(AvatarFolder, SavedFileLoadsWithEveryField) {
    CAvatarFile written = Sample();
    ASSERT_TRUE(written.Save(Folder()));
    ASSERT_TRUE(fs::exists(folder_ / "wave.zra"));
    CAvatarFile read;
    // A name in mixed case opens the lower-case file name.
    ASSERT_EQ(read.Load(Folder(), "WAVE", 7), 1);
    EXPECT_EQ(read.GetName(), "Wave");
    EXPECT_EQ(read.FormatNameSuffix(), " (Wave)");
    EXPECT_TRUE(read.IsTransparent());
    EXPECT_TRUE(read.HasSound());
    EXPECT_TRUE(read.HasPlayOption1());
    EXPECT_FALSE(read.HasPlayOption2());
    EXPECT_FALSE(read.HasPlayOption16());
    EXPECT_EQ(read.GetFrameWidth(), 48);
    EXPECT_EQ(read.GetKeyColour(), 0x112233u);
    EXPECT_EQ(read.GetPlayParameter1(), 2);
    EXPECT_EQ(read.GetPlayParameter2(), 3);
    EXPECT_EQ(read.GetThirdParameter(), 4);
    EXPECT_EQ(read.GetStill(), written.GetStill());
    EXPECT_EQ(read.GetStrip(), written.GetStrip());
    EXPECT_EQ(read.GetSound(), written.GetSound());
    EXPECT_EQ(read.FrameCount(144), 3u);
}

TEST(AvatarFileLayout, KeyColourBytesAreBlueGreenRed) {
    std::vector<uint8_t> bytes = Sample().Serialize();
    const size_t n = 4;
    ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "ZRAG0101");
    EXPECT_EQ(bytes[8], n);
    EXPECT_EQ(bytes[12 + n], 0x0D);
    EXPECT_EQ(bytes[13 + n], 0);
    EXPECT_EQ(bytes[14 + n], 48);
    EXPECT_EQ(bytes[15 + n], 0x11);
    EXPECT_EQ(bytes[16 + n], 0x22);
    EXPECT_EQ(bytes[17 + n], 0x33);
}

struct SelectCase {
    uint32_t flags;
    bool still;
    bool strip;
    bool sound;
};

class AvatarSelectTest : public ::testing::TestWithParam<SelectCase> {};

TEST_P(AvatarSelectTest, KeepsTheAskedBlocks) {
    const SelectCase& c = GetParam();
    std::vector<uint8_t> bytes = Sample().Serialize();
    CAvatarFile read;
    ASSERT_EQ(read.LoadBytes(bytes.data(), bytes.size(), c.flags), 1);
    EXPECT_EQ(read.GetName(), "Wave");
    EXPECT_EQ(read.GetFrameWidth(), 48);
    EXPECT_EQ(!read.GetStill().empty(), c.still) << c.flags;
    EXPECT_EQ(!read.GetStrip().empty(), c.strip) << c.flags;
    EXPECT_EQ(!read.GetSound().empty(), c.sound) << c.flags;
    // Reading the strip without leave to read the sound drops the sound flag.
    EXPECT_EQ(read.HasSound(), c.flags != 2) << c.flags;
}

INSTANTIATE_TEST_SUITE_P(Flags, AvatarSelectTest,
                         ::testing::Values(SelectCase{0, false, false, false},
                                           SelectCase{1, true, false, false},
                                           SelectCase{2, false, true, false},
                                           SelectCase{6, false, true, true},
                                           SelectCase{7, true, true, true}));

std::vector<uint8_t> WithVersion(const char* version) {
    std::vector<uint8_t> bytes = Sample().Serialize();
    std::copy(version, version + 4, bytes.begin() + 4);
    return bytes;
}

std::vector<uint8_t> WithStillLength(uint32_t length) {
    CAvatarFile file = Sample(0);
    file.SetStill(Bytes(length, 3));
    std::vector<uint8_t> bytes = file.Serialize();
    return bytes;
}

std::vector<uint8_t> WithBlockLength(size_t blockOffset, uint32_t length) {
    std::vector<uint8_t> bytes = Sample().Serialize();
    for (int i = 0; i < 4; ++i) {
        bytes[blockOffset + i] = static_cast<uint8_t>(length >> (24 - 8 * i));
    }
    return bytes;
}

struct MalformedCase {
    const char* what;
    std::vector<uint8_t> bytes;
    int loaded;
};

class AvatarMalformedTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(AvatarMalformedTest, LoadsOrRefuses) {
    const MalformedCase& c = GetParam();
    CAvatarFile read;
    read.SetName("given");
    EXPECT_EQ(read.LoadBytes(c.bytes.data(), c.bytes.size(), 7), c.loaded) << c.what;
    if (!c.loaded) {
        EXPECT_EQ(read.GetName(), "given") << c.what;
        EXPECT_TRUE(read.GetStill().empty() && read.GetStrip().empty() && read.GetSound().empty());
    }
}

// Blocks of the sample: still at 49 + 4 = 53.
const size_t kStillAt = 53;
const size_t kStripAt = kStillAt + 4 + 464;

INSTANTIATE_TEST_SUITE_P(
    Files, AvatarMalformedTest,
    ::testing::Values(MalformedCase{"version 0100", WithVersion("0100"), 1},
                      MalformedCase{"version 0101", WithVersion("0101"), 1},
                      MalformedCase{"version 0102", WithVersion("0102"), 0},
                      MalformedCase{"version 1000", WithVersion("1000"), 0},
                      MalformedCase{"bad magic", [] { auto b = WithVersion("0101"); b[3] = 'X'; return b; }(), 0},
                      MalformedCase{"still of 64000 bytes", WithStillLength(64000), 1},
                      MalformedCase{"still of 64001 bytes", WithStillLength(64001), 0},
                      MalformedCase{"still length negative", WithBlockLength(kStillAt, 0xFFFFFFF0u), 0},
                      MalformedCase{"strip above the cap", WithBlockLength(kStripAt, 130049), 0},
                      MalformedCase{"header cut short", [] { auto b = WithVersion("0101"); b.resize(40); return b; }(), 0},
                      MalformedCase{"empty", {}, 0}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(AvatarFileRead, ShortBlockKeepsOnlyTheBytesPresent) {
    std::vector<uint8_t> bytes = Sample().Serialize();
    bytes.resize(kStripAt + 4 + 100);
    CAvatarFile read;
    ASSERT_EQ(read.LoadBytes(bytes.data(), bytes.size(), 7), 1);
    EXPECT_EQ(read.GetStrip(), Bytes(100, 1));
    EXPECT_TRUE(read.GetSound().empty());
}

TEST(AvatarFileRead, EveryPrefixIsSafe) {
    std::vector<uint8_t> bytes = Sample().Serialize();
    for (size_t length = 0; length <= bytes.size(); ++length) {
        std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        CAvatarFile read;
        int loaded = read.LoadBytes(prefix.data(), prefix.size(), 7);
        EXPECT_EQ(loaded, length >= kStillAt ? 1 : 0) << length;
        EXPECT_LE(read.GetStill().size() + read.GetStrip().size() + read.GetSound().size(), length);
    }
}

TEST_F(AvatarFolder, NamesThatLeaveTheFolderAreRefused) {
    fs::create_directories(folder_ / "inner");
    CAvatarFile sample = Sample();
    ASSERT_TRUE(sample.Save(Folder()));
    for (const char* name : {"", "../wave", "..", "inner/../wave", "inner\\..\\wave", "c:wave"}) {
        CAvatarFile read;
        EXPECT_EQ(read.Load((folder_ / "inner").string(), name, 7), 0) << name;
        EXPECT_EQ(read.GetName(), name);
    }
    CAvatarFile badName = Sample();
    badName.SetName("../escape");
    EXPECT_FALSE(badName.Save(Folder()));
}

TEST_F(AvatarFolder, MissingFileFails) {
    CAvatarFile read;
    EXPECT_EQ(read.Load(Folder(), "nobody", 0), 0);
    EXPECT_EQ(read.GetName(), "nobody");
}

TEST(AvatarFileFrames, FrameCountFromTheStripWidth) {
    CAvatarFile file;
    EXPECT_EQ(file.FrameCount(144), 1u);  // frame width 0: the whole strip
    file.SetFrameWidth(48);
    EXPECT_EQ(file.FrameCount(144), 3u);
    EXPECT_EQ(file.FrameCount(40), 0u);
}

}  // namespace
