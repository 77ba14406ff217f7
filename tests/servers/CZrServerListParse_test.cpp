// Reading and writing the server list file's text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CZrServerList.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs NamesAndAddresses(const std::vector<ZrServerEntry>& entries) {
  Pairs pairs;
  for (const ZrServerEntry& entry : entries) pairs.emplace_back(entry.name, entry.address);
  return pairs;
}

struct ParseCase {
  const char* what;
  std::string text;
  Pairs expected;
};

TEST(ServerListParse, LineRules) {
  const std::string longName(CZrServerList::kMaxLineLength - 3, 'n');
  const ParseCase cases[] = {
      {"plain line", "Home\thost-a\n", {{"Home", "host-a"}}},
      {"leading blanks and blanks around both fields", "  Home \t host-a  \n", {{"Home", "host-a"}}},
      {"taken from the first letter or digit", "-- #7 Club\thost\n", {{"7 Club", "host"}}},
      {"inner blanks kept", "My Own Server\t127.0.0.1:2000\n", {{"My Own Server", "127.0.0.1:2000"}}},
      {"split at the first TAB only", "a\tb\tc\n", {{"a", "b\tc"}}},
      {"no TAB", "Home host-a\nNext\thost-b\n", {{"Next", "host-b"}}},
      {"no letter or digit", " -- \t !\nNext\thost-b\n", {{"Next", "host-b"}}},
      {"TAB before the first letter", "\thost-a\n", {}},
      {"last line without line feed", "Home\thost-a\nLast\thost-z", {{"Home", "host-a"}}},
      {"line ends of the other system", "Home\thost-a\r\n", {{"Home", "host-a"}}},
      {"empty lines", "\n\nHome\thost-a\n\n", {{"Home", "host-a"}}},
      {"empty text", "", {}},
      {"longest line read", longName + "\th\n", {{longName, "h"}}},
      {"longer line skipped whole", longName + "x\th\nNext\thost-b\n", {{"Next", "host-b"}}},
  };
  for (const ParseCase& c : cases)
    EXPECT_EQ(NamesAndAddresses(CZrServerList::Parse(c.text)), c.expected) << c.what;
}

TEST(ServerListParse, AnOverlongLineLeavesNoTailBehind) {
  // A tail that looks like an entry of its own must not appear.
  const std::string text = std::string(2000, 'x') + "\tTail\tpart\n";
  EXPECT_TRUE(CZrServerList::Parse(text).empty());
}

TEST(ServerListFormat, WritesShownEntriesInFileOrder) {
  CZrServerList list;
  list.Load("Zeta\thost-z\nAlpha\thost-a\nMid\thost-m\n");
  int added = -1;
  ASSERT_EQ(list.Add("Beta", "host-b", &added), CZrServerList::Edit::kDone);
  int removed = -1;
  ASSERT_EQ(list.Remove("Mid", "host-m", &removed), CZrServerList::Edit::kDone);
  EXPECT_EQ(list.Format(), "Zeta\thost-z\nAlpha\thost-a\nBeta\thost-b\n");
}

TEST(ServerListFormat, WhatIsWrittenReadsBackTheSame) {
  CZrServerList list;
  list.Load("  Home \t host-a \nOther\thost-b\n");
  list.MarkCurrent("host-c", "Default", "host-d");
  CZrServerList again;
  again.Load(list.Format());
  EXPECT_EQ(NamesAndAddresses(again.Entries()),
            (Pairs{{"Home", "host-a"}, {"Other", "host-b"}, {"host-c", "host-c"}}));
}

}  // namespace
