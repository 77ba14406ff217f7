// The fourteen settings of the resource library, for both brands.
#include "ZrResValues.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

namespace {

struct VersionCase {
  int flag, major, minor, expected;
};

TEST(ZrResValues, CheckVersionAcceptsMajor2UpToMinor1) {
  const VersionCase cases[] = {
      {0, 2, 1, 1}, {0, 2, 0, 1}, {0, 2, -1, 1}, {0, 2, 2, 0},
      {0, 3, 1, 0}, {0, 1, 1, 0}, {1, 2, 1, 0}, {-1, 2, 0, 0},
  };
  for (const VersionCase& c : cases) {
    EXPECT_EQ(CZrResValues::CheckVersion(c.flag, c.major, c.minor), c.expected)
        << "flag " << c.flag << " version " << c.major << "." << c.minor;
  }
}

TEST(ZrResValues, ColorTableWithPaletteMarks) {
  const uint32_t expected[20] = {
      0x02CCCCCC, 0x0070FFFF, 0x02FF9191, 0x00646464, 0x00000064, 0x00C80000, 0x0070FFFF,
      0x000000C8, 0x000000C8, 0x02FFDADA, 0x02FF9191, 0x02FF6D6D, 0x00008080, 0x00808000,
      0x02008000, 0x0080FFFF, 0x0080FF80, 0x025591FF, 0x00C00000, 0x00800080,
  };
  for (uint32_t i = 0; i < 20; ++i) EXPECT_EQ(CZrResValues::GetColor(i), expected[i]) << i;
  EXPECT_EQ(CZrResValues::GetColor(20), 0u);
  EXPECT_EQ(CZrResValues::GetColor(0xFFFFFFFFu), 0u);
}

struct ButtonCase {
  uint32_t bar, button;
  int command;
  std::array<int, 4> bitmaps;
};

class ToolBar : public ::testing::Test {
 protected:
  static constexpr int kUntouched = -7;
  std::array<int, 8> outs_;
  int* ptrs_[8];
  void SetUp() override {
    outs_.fill(kUntouched);
    for (int i = 0; i < 8; ++i) ptrs_[i] = &outs_[i];
  }
};

TEST_F(ToolBar, EveryButtonOfEveryBar) {
  const ButtonCase cases[] = {
      {0, 0, 165, {497, 497, 497, 497}},   {0, 1, 32629, {442, 415, 384, 508}},
      {0, 2, 32630, {443, 421, 388, 509}}, {0, 3, 32634, {444, 412, 393, 510}},
      {0, 4, 32632, {445, 426, 392, 511}}, {0, 5, 32631, {446, 423, 390, 512}},
      {0, 6, 32827, {332, 422, 389, 513}}, {1, 0, 1325, {519, 521, 520, 522}},
      {1, 1, 1326, {523, 525, 524, 526}},  {1, 2, 32832, {325, 425, 391, 514}},
      {1, 3, 61262, {801, 801, 801, 801}}, {1, 4, 0, {0, 0, 0, 0}},
      {2, 0, 32827, {531, 530, 529, 528}}, {2, 1, 1327, {515, 517, 516, 518}},
      {2, 2, 32832, {325, 425, 391, 514}},
  };
  for (const ButtonCase& c : cases) {
    SetUp();
    EXPECT_EQ(CZrResValues::GetToolBar(c.bar, c.button, ptrs_), c.command)
        << "bar " << c.bar << " button " << c.button;
    const std::array<int, 8> expected = {c.bitmaps[0], c.bitmaps[1], c.bitmaps[2], c.bitmaps[3],
                                         0, 0, 0, 0};
    EXPECT_EQ(outs_, expected) << "bar " << c.bar << " button " << c.button;
  }
}

TEST_F(ToolBar, OutsideTheRangesLeavesTheOutsUntouched) {
  const std::pair<uint32_t, uint32_t> cases[] = {
      {0, 7}, {0, 9}, {1, 5}, {1, 9}, {2, 3}, {2, 10}, {3, 0}, {0xFFFFFFFFu, 0}, {0, 0xFFFFFFFFu},
  };
  for (const auto& [bar, button] : cases) {
    SetUp();
    EXPECT_EQ(CZrResValues::GetToolBar(bar, button, ptrs_), 0) << bar << "/" << button;
    for (int value : outs_) EXPECT_EQ(value, kUntouched) << bar << "/" << button;
  }
}

TEST_F(ToolBar, NullOutPointersAreSkipped) {
  int* const outs[8] = {&outs_[0], nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &outs_[7]};
  EXPECT_EQ(CZrResValues::GetToolBar(0, 1, outs), 32629);
  EXPECT_EQ(outs_[0], 442);
  EXPECT_EQ(outs_[7], 0);
}

struct BrandCase {
  const char* name;
  const ZrBrand& brand;
  const char* code;
  int netscapeDefault, avatarService, oldPtgFlag, gesturesInIm, sendFile, closeOnExit,
      closeOnLaunch;
};

const BrandCase kBrands[] = {
    {"product", ZrBrand::Product(), "Lum", 0, 0, 1, 1, 1, 1, 1},
    {"test", ZrBrand::Test(), "Tst", 1, 1, 0, 0, 0, 0, 0},
};

TEST(ZrResValues, SwitchesOfEachBrand) {
  for (const BrandCase& b : kBrands) {
    const CZrResValues values(b.brand);
    EXPECT_EQ(values.GetNetscapeDefault(), b.netscapeDefault) << b.name;
    EXPECT_EQ(values.IsUseAvatarService(), b.avatarService) << b.name;
    EXPECT_EQ(values.GetGesturesInIM(), b.gesturesInIm) << b.name;
    EXPECT_EQ(values.GetSendFile(), b.sendFile) << b.name;
    EXPECT_EQ(values.IsCloseNetscapeOnExit(), b.closeOnExit) << b.name;
    EXPECT_EQ(values.IsCloseNetscapeOnLaunch(), b.closeOnLaunch) << b.name;
    int flag = -1;
    EXPECT_EQ(values.GetUseOldPTG(&flag), 0) << b.name;
    EXPECT_EQ(flag, b.oldPtgFlag) << b.name;
    EXPECT_EQ(values.GetUseOldPTG(nullptr), 0) << b.name;
    EXPECT_EQ(CZrResValues::GetAnimationFrames(), 5);
    EXPECT_EQ(CZrResValues::GetAnimationRightSpace(), 2);
  }
}

TEST(ZrResValues, DllVersionGivesBrandCodeAnd21) {
  for (const BrandCase& b : kBrands) {
    char buffer[80];
    std::memset(buffer, 'x', sizeof buffer);
    int major = 0, minor = 0;
    EXPECT_EQ(CZrResValues(b.brand).GetDllVersion(buffer, &major, &minor), buffer);
    EXPECT_STREQ(buffer, b.code);
    EXPECT_EQ(major, 2);
    EXPECT_EQ(minor, 1);
  }
}

TEST(ZrResValues, StringsOfEachBrand) {
  for (const BrandCase& b : kBrands) {
    const CZrResValues values(b.brand);
    std::string texts[17];
    for (uint32_t i = 0; i < 17; ++i) {
      char buffer[80];
      std::memset(buffer, 'x', sizeof buffer);
      values.GetString(i, buffer);
      ASSERT_NE(std::memchr(buffer, '\0', sizeof buffer), nullptr) << b.name << " " << i;
      texts[i] = buffer;
    }
    EXPECT_EQ(texts[0], "") << b.name;
    EXPECT_EQ(texts[12], "Lumora Talk!") << b.name;
    EXPECT_EQ(texts[14], "") << b.name;
    EXPECT_EQ(texts[15], "") << b.name;
    EXPECT_EQ(texts[16], "Welcome, and enjoy your travels in Lumora Chat.") << b.name;
    // One chat host, one chat page, one home host.
    for (int i : {4, 5, 9, 11}) EXPECT_EQ(texts[i], texts[1]) << b.name << " " << i;
    EXPECT_EQ(texts[2], texts[3]) << b.name;
    EXPECT_EQ(texts[8], texts[10]) << b.name;
    // Every host and page lies under the reserved ".example" domain.
    for (int i : {1, 2, 6, 7, 8, 13}) {
      std::string host = texts[i];
      const size_t scheme = host.find("://");
      if (scheme != std::string::npos) host = host.substr(scheme + 3);
      host = host.substr(0, host.find('/'));
      const std::string suffix = ".example";
      ASSERT_GT(host.size(), suffix.size()) << b.name << " " << i;
      EXPECT_EQ(host.substr(host.size() - suffix.size()), suffix) << b.name << " " << texts[i];
    }
  }
}

TEST(ZrResValues, StringAboveTheTableLeavesTheBufferAlone) {
  const CZrResValues values(ZrBrand::Product());
  for (uint32_t index : {17u, 100u, 0xFFFFFFFFu}) {
    char buffer[80];
    std::memset(buffer, 'q', sizeof buffer);
    values.GetString(index, buffer);
    for (char c : buffer) ASSERT_EQ(c, 'q') << index;
  }
  values.GetString(3, nullptr);
}

}  // namespace
