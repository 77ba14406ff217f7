// The user's edits of the server list: marking the current server, adding,
// modifying and removing, and the search by name the list box does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CZrServerList.h"

namespace {

using Edit = CZrServerList::Edit;

class ServerListEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    list.Load("Home\thost-a\nhomeward\thost-h\nOther\thost-b\n");
    current = list.MarkCurrent("host-b", "Lumora Talk!", "chat.example");
  }

  std::vector<std::string> ShownNames() const {
    std::vector<std::string> names;
    for (const ZrServerEntry& entry : list.Entries())
      if (!entry.removed) names.push_back(entry.name);
    return names;
  }

  CZrServerList list;
  int current = -1;
};

struct MarkCase {
  const char* what;
  std::string address;
  int expectedIndex;
  std::string expectedName;
  std::string expectedAddress;
};

TEST(ServerListMark, CurrentServer) {
  const MarkCase cases[] = {
      {"empty address marks nothing", "", -1, "", ""},
      {"an entry with exactly that address", "host-b", 1, "Other", "host-b"},
      {"another letter case is not the entry", "HOST-B", 2, "HOST-B", "HOST-B"},
      {"the default home server in another case", "Chat.Example", 2, "Lumora Talk!", "chat.example"},
      {"an unknown server is named by its address", "host-x:2000", 2, "host-x:2000", "host-x:2000"},
  };
  for (const MarkCase& c : cases) {
    CZrServerList list;
    list.Load("Home\thost-a\nOther\thost-b\n");
    const int index = list.MarkCurrent(c.address, "Lumora Talk!", "chat.example");
    ASSERT_EQ(index, c.expectedIndex) << c.what;
    int marked = 0;
    for (const ZrServerEntry& entry : list.Entries()) marked += entry.current ? 1 : 0;
    EXPECT_EQ(marked, index < 0 ? 0 : 1) << c.what;
    if (index < 0) continue;
    EXPECT_TRUE(list.At(index).current) << c.what;
    EXPECT_EQ(list.At(index).name, c.expectedName) << c.what;
    EXPECT_EQ(list.At(index).address, c.expectedAddress) << c.what;
  }
}

TEST(ServerListMark, ARemovedEntryIsNotTheCurrentOne) {
  CZrServerList list;
  list.Load("Home\thost-a\n");
  ASSERT_EQ(list.Remove("Home", "host-a", nullptr), Edit::kDone);
  EXPECT_EQ(list.MarkCurrent("host-a", "T", "d"), 1);
}

TEST_F(ServerListEdit, FindByNameIsAPrefixSearchIgnoringCaseInNameOrder) {
  EXPECT_EQ(list.FindByName("HOME"), (std::vector<int>{0, 1}));
  EXPECT_EQ(list.FindByName("homew"), (std::vector<int>{1}));
  EXPECT_EQ(list.FindByName("Homes"), std::vector<int>{});
  EXPECT_EQ(list.FindByName(""), (std::vector<int>{0, 1, 2}));
}

TEST_F(ServerListEdit, AddChecksAndAppends) {
  struct Case {
    const char* what;
    std::string name, address;
    Edit expected;
  };
  const Case cases[] = {
      {"empty name", "", "host-n", Edit::kEmptyName},
      {"blank name", "   ", "host-n", Edit::kEmptyName},
      {"empty address", "New", "", Edit::kEmptyAddress},
      {"name and address empty: the name is asked first", "", "", Edit::kEmptyName},
      {"a shown name begins with it, other case", "OTH", "host-n", Edit::kExists},
      {"same name, other address", "Home", "host-z", Edit::kExists},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(list.Add(c.name, c.address, nullptr), c.expected) << c.what;
    EXPECT_EQ(list.Entries().size(), 3u) << c.what;
  }
  int index = -1;
  ASSERT_EQ(list.Add(" New\tOne ", " host-n ", &index), Edit::kDone);
  EXPECT_EQ(index, 3);
  EXPECT_EQ(list.At(index).name, "New One");
  EXPECT_EQ(list.At(index).address, "host-n");
  EXPECT_FALSE(list.At(index).current);
}

TEST_F(ServerListEdit, AddAfterRemoveTakesTheNameAgain) {
  ASSERT_EQ(list.Remove("homeward", "host-h", nullptr), Edit::kDone);
  int index = -1;
  EXPECT_EQ(list.Add("Homeward", "host-h2", &index), Edit::kDone);
  EXPECT_EQ(index, 3);
}

TEST_F(ServerListEdit, ModifyChecksAndChanges) {
  struct Case {
    const char* what;
    int index;
    std::string name, address;
    Edit expected;
  };
  const Case cases[] = {
      {"the current server", current, "Renamed", "host-b", Edit::kNotEditable},
      {"no such entry", 9, "X", "y", Edit::kNotEditable},
      {"no entry selected", -1, "X", "y", Edit::kNotEditable},
      {"empty name", 0, "", "host-a", Edit::kEmptyName},
      {"empty address", 0, "Home", " ", Edit::kEmptyAddress},
      {"nothing changed", 0, "Home", "host-a", Edit::kUnchanged},
      {"another shown entry by that name has the address", 0, "homeW", "host-h", Edit::kExists},
  };
  for (const Case& c : cases) EXPECT_EQ(list.Modify(c.index, c.name, c.address), c.expected) << c.what;
  EXPECT_EQ(list.Format(), "Home\thost-a\nhomeward\thost-h\nOther\thost-b\n");

  // The entry's own name found by the search does not count against it.
  EXPECT_EQ(list.Modify(1, "Home", "host-h"), Edit::kDone);
  EXPECT_EQ(list.Modify(0, "Ho", "host-a"), Edit::kDone);
  EXPECT_EQ(list.Modify(0, "Far", "host-f"), Edit::kDone);
  EXPECT_EQ(list.Format(), "Far\thost-f\nHome\thost-h\nOther\thost-b\n");
}

TEST_F(ServerListEdit, RemoveFindsByNameAndAddress) {
  int index = -1;
  EXPECT_EQ(list.Remove("Home", "host-x", &index), Edit::kNotFound);
  EXPECT_EQ(list.Remove("Nobody", "host-a", &index), Edit::kNotFound);
  // "hom" finds Home and homeward; the address picks homeward.
  ASSERT_EQ(list.Remove("hom", "host-h", &index), Edit::kDone);
  EXPECT_EQ(index, 1);
  EXPECT_TRUE(list.At(1).removed);
  EXPECT_FALSE(list.IsShown(1));
  // A removed entry is found no more.
  EXPECT_EQ(list.Remove("homeward", "host-h", &index), Edit::kNotFound);
  EXPECT_EQ(ShownNames(), (std::vector<std::string>{"Home", "Other"}));
}

TEST_F(ServerListEdit, TheCurrentServerCannotBeRemovedEvenByItsFields) {
  int index = -1;
  EXPECT_FALSE(list.IsEditable(current));
  EXPECT_EQ(list.Remove("Other", "host-b", &index), Edit::kNotFound);
  EXPECT_EQ(ShownNames(), (std::vector<std::string>{"Home", "homeward", "Other"}));
}

}  // namespace
