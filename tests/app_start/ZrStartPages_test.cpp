#include "ZrStartPages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// The pages are written in text mode: CR LF line breaks on Windows.
std::string OnDisk(const char* text) {
  std::string bytes;
  for (const char* c = text; *c; ++c) {
#ifdef _WIN32
    if (*c == '\n') bytes += '\r';
#endif
    bytes += *c;
  }
  return bytes;
}

class StartPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("zr_start_pages_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  std::string Prefix() const { return folder.string() + "/"; }
  std::string Read(const char* name) const {
    std::ifstream file(folder / name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
  void Put(const char* name, const std::string& text) const {
    std::ofstream(folder / name, std::ios::binary) << text;
  }

  fs::path folder;
};

TEST_F(StartPagesTest, AnEmptyFolderGetsAllThreePages) {
  WriteStartPages(Prefix());
  for (int i = 0; i < kStartPageCount; ++i) {
    SCOPED_TRACE(StartPages()[i].fileName);
    EXPECT_EQ(Read(StartPages()[i].fileName), OnDisk(StartPages()[i].text));
  }
  EXPECT_NE(std::string(StartPages()[0].text).find("Connecting to community..."), std::string::npos);
  EXPECT_NE(std::string(StartPages()[2].text).find("could not be retrieved"), std::string::npos);
}

TEST_F(StartPagesTest, PagesThatAreAllThereAreLeftAsTheyAre) {
  Put("welcome.htm", "mine");
  Put("blank.htm", "");
  Put("error.htm", "also mine");
  WriteStartPages(Prefix());
  EXPECT_EQ(Read("welcome.htm"), "mine");
  EXPECT_EQ(Read("blank.htm"), "");
  EXPECT_EQ(Read("error.htm"), "also mine");
}

TEST_F(StartPagesTest, OneMissingPageRewritesAllThree) {
  Put("welcome.htm", "changed");
  Put("error.htm", "changed");
  WriteStartPages(Prefix());
  EXPECT_EQ(Read("welcome.htm"), OnDisk(StartPages()[0].text));
  EXPECT_EQ(Read("blank.htm"), OnDisk(StartPages()[1].text));
  EXPECT_EQ(Read("error.htm"), OnDisk(StartPages()[2].text));
}

TEST_F(StartPagesTest, AFolderThatCannotBeWrittenIsSkipped) {
  WriteStartPages(Prefix() + "missing/");
  EXPECT_FALSE(fs::exists(folder / "missing"));
}

}  // namespace
