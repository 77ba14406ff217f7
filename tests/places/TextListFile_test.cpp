#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "CTextListFile.h"
#include "TempFolder.h"
#include "UrlParamBase.h"
#include "ZrPlaceDesc.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs EntriesOf(const CTextListFile& list) {
  Pairs pairs;
  for (int i = 0; i < list.GetCount(); ++i) pairs.emplace_back(list.GetAt(i)->GetTitle(), list.GetAt(i)->GetAddress());
  return pairs;
}

class FavoritesFileTest : public ::testing::Test {
 protected:
  std::string FileWith(const std::string& bytes) {
    TempFolder::Write(m_file, bytes);
    return m_file;
  }
  std::string DefaultFile() const { return m_folder.File("zrplaces.txt"); }

  TempFolder m_folder;
  std::string m_file = m_folder.File("favorites.txt");
};

TEST_F(FavoritesFileTest, ReadsLinesIntoSortedEntries) {
  struct Case {
    const char* name;
    std::string bytes;
    Pairs entries;
    std::vector<std::string> kept;
  };
  const std::string longAddress = "http://long.example/" + std::string(3000, 'p');
  const std::vector<Case> cases = {
      {"crlf", "Zed\thttp://z/\r\nAnn\thttp://a/\r\n", {{"Ann", "http://a/"}, {"Zed", "http://z/"}}, {}},
      {"lf", "Zed\thttp://z/\nAnn\thttp://a/\n", {{"Ann", "http://a/"}, {"Zed", "http://z/"}}, {}},
      {"blanks trimmed", "  Ann  \t  http://a/  \r\n", {{"Ann", "http://a/"}}, {}},
      {"last line without newline", "Ann\thttp://a/\r\nBob\thttp://b/", {{"Ann", "http://a/"}, {"Bob", "http://b/"}}, {}},
      {"empty title takes address", "\thttp://a/\n", {{"http://a/", "http://a/"}}, {}},
      {"case-insensitive order", "b\thttp://B/\na\thttp://a/\nc\thttp://c/\n",
       {{"a", "http://a/"}, {"b", "http://B/"}, {"c", "http://c/"}}, {}},
      {"tab inside address", "T\thttp://a/\tx\n", {{"T", "http://a/\tx"}}, {}},
      {"tab inside address without title", "\thttp://a/\tx\n", {{"http://a/ x", "http://a/\tx"}}, {}},
      {"very long line", "Long\t" + longAddress + "\r\n", {{"Long", longAddress}}, {}},
      {"malformed lines kept", "no tab here\r\nAnn\thttp://a/\r\nEmpty\t  \r\n\r\n   \r\n",
       {{"Ann", "http://a/"}}, {"no tab here", "Empty\t  "}},
      {"empty file", "", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CTextListFile list(FileWith(c.bytes), DefaultFile());
    EXPECT_EQ(EntriesOf(list), c.entries);
    EXPECT_EQ(list.GetKeptLines(), c.kept);
    list.Clear();
  }
}

TEST_F(FavoritesFileTest, SavesByteForByteAndKeepsWhatItCannotRead) {
  const std::string sorted = "Ann\thttp://a/\r\nBob\thttp://b/\r\n";
  {
    CTextListFile list(FileWith(sorted), DefaultFile());
    ASSERT_TRUE(list.Save());
  }
  EXPECT_EQ(TempFolder::Read(m_file), sorted);
  {
    CTextListFile list(FileWith("junk line\nBob\thttp://b/\nAnn\thttp://a/"), DefaultFile());
  }
  EXPECT_EQ(TempFolder::Read(m_file), sorted + "junk line\r\n");
}

TEST_F(FavoritesFileTest, FailedWriteLeavesTheOldFileIntact) {
  const std::string old = "Ann\thttp://a/\r\n";
  CTextListFile list(FileWith(old), DefaultFile());
  ASSERT_NE(list.Add("Bob", "http://b/"), nullptr);
  // The temporary file cannot be made: a folder stands in its place.
  std::filesystem::create_directory(m_file + ".tmp");
  EXPECT_FALSE(list.Save());
  EXPECT_EQ(TempFolder::Read(m_file), old);
  std::filesystem::remove(m_file + ".tmp");
  EXPECT_TRUE(list.Save());
  EXPECT_EQ(TempFolder::Read(m_file), old + "Bob\thttp://b/\r\n");
}

TEST_F(FavoritesFileTest, OversizedFileIsNeitherReadNorOverwritten) {
  const std::string big(CTextListFile::kMaxFileBytes + 1, 'x');
  {
    CTextListFile list(FileWith(big), DefaultFile());
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_FALSE(list.Save());
  }
  EXPECT_EQ(TempFolder::Read(m_file).size(), big.size());
}

TEST_F(FavoritesFileTest, MissingFolderFallsBackToTheDefaultFile) {
  const std::string lost = m_folder.File("no such folder") + "/favorites.txt";
  CTextListFile list(lost, DefaultFile());
  EXPECT_EQ(list.GetFileName(), DefaultFile());
  EXPECT_TRUE(std::filesystem::exists(DefaultFile()));
  ASSERT_NE(list.Add("Ann", "http://a/"), nullptr);
  ASSERT_TRUE(list.Save());
  EXPECT_EQ(TempFolder::Read(DefaultFile()), "Ann\thttp://a/\r\n");
}

TEST_F(FavoritesFileTest, MissingFileIsCreatedEmptyWithoutTouchingOthers) {
  CTextListFile list(m_file, DefaultFile());
  EXPECT_EQ(list.GetFileName(), m_file);
  EXPECT_TRUE(std::filesystem::exists(m_file));
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(DefaultFile()));
}

class FavoritesListTest : public FavoritesFileTest {
 protected:
  FavoritesListTest()
      : m_list(m_file, DefaultFile(),
               [this](const std::string& title, const std::string& address) { m_refused.emplace_back(title, address); }) {}

  CTextListFile m_list;
  Pairs m_refused;
};

TEST_F(FavoritesListTest, AddKeepsDuplicateAddressesAdjacentAndRefusesTwins) {
  ASSERT_NE(m_list.Add("B", "http://same/"), nullptr);
  ASSERT_NE(m_list.Add("Z", "http://other/"), nullptr);
  ASSERT_NE(m_list.Add("A", "http://SAME/"), nullptr);
  EXPECT_EQ(m_list.Add("a", "http://same/"), nullptr);
  EXPECT_EQ(m_refused, (Pairs{{"a", "http://same/"}}));
  EXPECT_EQ(m_list.Add("", "  "), nullptr);
  EXPECT_EQ(EntriesOf(m_list), (Pairs{{"Z", "http://other/"}, {"B", "http://same/"}, {"A", "http://SAME/"}}));
  int index = -1;
  EXPECT_EQ(m_list.Find("HTTP://Same/", &index), 1);
  EXPECT_EQ(m_list.FindNext("http://same/", 1), 2);
  EXPECT_EQ(m_list.FindNext("http://same/", 2), -1);
  EXPECT_EQ(m_list.Find("http://p/", &index), -1);
  EXPECT_EQ(index, 1);
}

TEST_F(FavoritesListTest, AddedTextsStayOnOneLine) {
  CListEntry* entry = m_list.Add("Evil\ttitle\r\nInjected\t", " http://a/\r\nX\thttp://x/ ");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->GetTitle(), "Evil title  Injected");
  EXPECT_EQ(entry->GetAddress(), "http://a/  X\thttp://x/");
  EXPECT_EQ(m_list.Add("", "http://t/")->GetTitle(), "http://t/");
  ASSERT_TRUE(m_list.Save());
  CTextListFile again(m_file, DefaultFile());
  EXPECT_EQ(EntriesOf(again), EntriesOf(m_list));
  again.Clear();
}

TEST_F(FavoritesListTest, RandomAddsKeepTheOrderAndFindTheFirstOfARun) {
  std::mt19937 random(1533);
  const std::vector<std::string> addresses = {"http://a/", "http://A/", "http://b/", "http://c/", "http://C/x"};
  for (int i = 0; i < 300; ++i) {
    const std::string& address = addresses[random() % addresses.size()];
    m_list.Add("t" + std::to_string(random() % 40), address);
  }
  for (int i = 1; i < m_list.GetCount(); ++i) {
    EXPECT_LE(UrlParamBase::CompareNoCase(m_list.GetAt(i - 1)->GetAddress(), m_list.GetAt(i)->GetAddress()), 0);
  }
  for (const std::string& address : addresses) {
    int index = -1;
    const int first = m_list.Find(address, &index);
    ASSERT_GE(first, 0);
    EXPECT_EQ(UrlParamBase::CompareNoCase(m_list.GetAt(first)->GetAddress(), address), 0);
    if (first > 0) {
      EXPECT_NE(UrlParamBase::CompareNoCase(m_list.GetAt(first - 1)->GetAddress(), address), 0);
    }
  }
}

TEST_F(FavoritesListTest, PlacesAddAndRefreshCounts) {
  CZrPlaceDesc place;
  place.kind = 0x800;
  place.name = "http://p/";
  place.title = "Plaza";
  place.memberCount = 5;
  place.observerCount = 7;
  place.capacity = 5;
  CListEntry* entry = m_list.AddPlace(place);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->GetTitle(), "Plaza");
  EXPECT_TRUE(entry->IsFull());
  m_list.Add("Second", "http://P/");
  place.kind = 0x801 | 0x20;
  place.memberCount = 3;
  place.capacity = 50;
  m_list.UpdatePlace(place);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(m_list.GetAt(i)->GetCount(), 10);
    EXPECT_EQ(m_list.GetAt(i)->GetObservers(), 7);
    EXPECT_EQ(m_list.GetAt(i)->GetCapacity(), 50);
  }
  place.kind = 0x800;
  place.memberCount = 0xFFFFFFFFu;
  m_list.UpdatePlace(place);
  EXPECT_EQ(m_list.GetAt(0)->GetCount(), INT32_MAX);
  EXPECT_TRUE(m_list.RemoveEntry(entry));
  EXPECT_FALSE(m_list.RemoveEntry(entry));
  EXPECT_EQ(EntriesOf(m_list), (Pairs{{"Second", "http://P/"}}));
}

TEST(FavoritesMenuText, CutsLongTitles) {
  const std::string forty(40, 'x');
  EXPECT_EQ(CListEntry(forty, "a").GetMenuText(), forty);
  EXPECT_EQ(CListEntry(forty + "y", "a").GetMenuText(), std::string(39, 'x') + "...");
  EXPECT_EQ(CListEntry("", "http://a/").GetMenuText(), "http://a/");
}

}  // namespace
