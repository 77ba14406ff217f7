// The server list file on disk: opened or created, a bad path replaced by the
// default one, rewritten whole.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "CZrServerListFile.h"

namespace {

// The file is kept in text mode: a line feed is stored as the system's line
// end.
#ifdef _WIN32
const char kStoredLineEnd[] = "\r\n";
#else
const char kStoredLineEnd[] = "\n";
#endif

class ServerListFile : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    base = ::testing::TempDir() + "zrserver_" + info->name();
    path = base + ".hst";
    fallback = base + "_default.hst";
    std::remove(path.c_str());
    std::remove(fallback.c_str());
  }
  void TearDown() override {
    std::remove(path.c_str());
    std::remove(fallback.c_str());
  }

  static void WriteFile(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
  }
  static std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static bool Exists(const std::string& name) { return std::ifstream(name).good(); }

  std::string base, path, fallback;
};

TEST_F(ServerListFile, AnExistingFileIsReadAndRewrittenShorter) {
  WriteFile(path, "First\thost-1\nSecond\thost-2\n");
  CZrServerListFile file;
  ASSERT_TRUE(file.Open(path, fallback));
  EXPECT_FALSE(file.IsPathReplaced());
  std::string text;
  ASSERT_TRUE(file.ReadAll(text));
  EXPECT_EQ(text, "First\thost-1\nSecond\thost-2\n");
  // Opening alone changes nothing.
  EXPECT_EQ(ReadFile(path), "First\thost-1\nSecond\thost-2\n");
  ASSERT_TRUE(file.Rewrite("A\tb\n"));
  file.Close();
  EXPECT_EQ(ReadFile(path), std::string("A\tb") + kStoredLineEnd);
}

TEST_F(ServerListFile, AMissingFileIsCreatedEmpty) {
  CZrServerListFile file;
  ASSERT_TRUE(file.Open(path, fallback));
  std::string text = "stale";
  ASSERT_TRUE(file.ReadAll(text));
  EXPECT_EQ(text, "");
  file.Close();
  EXPECT_TRUE(Exists(path));
  EXPECT_FALSE(Exists(fallback));
}

TEST_F(ServerListFile, ABadPathFallsBackToTheDefault) {
  const std::string bad = base + "_no_such_folder/zrserver.hst";
  CZrServerListFile file;
  ASSERT_TRUE(file.Open(bad, fallback));
  EXPECT_TRUE(file.IsPathReplaced());
  EXPECT_EQ(file.GetPath(), fallback);
  ASSERT_TRUE(file.Rewrite("Home\thost\n"));
  file.Close();
  EXPECT_EQ(ReadFile(fallback), std::string("Home\thost") + kStoredLineEnd);
}

TEST_F(ServerListFile, NoFileWhenTheDefaultIsBadToo) {
  const std::string bad = base + "_no_such_folder/zrserver.hst";
  CZrServerListFile file;
  EXPECT_FALSE(file.Open(bad, base + "_no_such_folder/default.hst"));
  EXPECT_FALSE(file.IsOpen());
  std::string text;
  EXPECT_FALSE(file.ReadAll(text));
  EXPECT_FALSE(file.Rewrite("x\ty\n"));
}

}  // namespace
