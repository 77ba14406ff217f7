// The people list's rules without windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "PeopleRules.h"
#include "ZrObjectDesc.h"

namespace {

using people::RowFacts;

const people::SortTexts kTexts{"Observers", "Other Observers", "corridor", "room", "ignored"};

RowFacts Person(const std::string& name, bool ignored = false) {
  RowFacts row;
  row.kind = 0x100;
  row.name = name;
  row.ignored = ignored;
  return row;
}

RowFacts RootSpecial() {
  RowFacts row;
  row.rootSpecial = true;
  row.listMade = true;
  row.kind = people::kSpecialRowKind;
  return row;
}

RowFacts Header(uint32_t kind) {
  RowFacts row;
  row.kind = kind;
  return row;
}

std::vector<std::string> Sorted(std::vector<RowFacts> rows, bool inside) {
  std::stable_sort(rows.begin(), rows.end(), [inside](const RowFacts& a, const RowFacts& b) {
    return people::CompareRows(a, b, inside, kTexts) < 0;
  });
  std::vector<std::string> texts;
  for (const RowFacts& row : rows) texts.push_back(people::SortText(row, inside, kTexts));
  return texts;
}

TEST(PeopleOrder, OtherObserversStaysLastWhateverTheNames) {
  // Names that would sort after "Other Observers" by their letters.
  const std::vector<RowFacts> rows = {Person("zed"), RootSpecial(), Person("Zoe"), Person("~tilde"),
                                      Header(people::kCorridorKind), Person("ann")};
  const std::vector<std::string> order = Sorted(rows, false);
  EXPECT_EQ(order, (std::vector<std::string>{"ann", "corridor", "zed", "Zoe", "~tilde",
                                             "Other Observers"}));
}

TEST(PeopleOrder, TheObserverRowReadsObserversWhileTheUserIsInside) {
  EXPECT_EQ(people::SortText(RootSpecial(), true, kTexts), "Observers");
  EXPECT_EQ(people::SortText(RootSpecial(), false, kTexts), "Other Observers");
  // Inside, it still goes last even though "Observers" < "zed".
  EXPECT_EQ(Sorted({RootSpecial(), Person("zed")}, true).back(), "Observers");
}

TEST(PeopleOrder, NamesCompareWithoutCaseAndIgnoredPeopleSortTogether) {
  struct Case {
    RowFacts a;
    RowFacts b;
    int sign;
  };
  const Case cases[] = {
      {Person("Bob"), Person("bob"), 0},
      {Person("alice"), Person("Bob"), -1},
      {Person("bo"), Person("bob"), -1},
      // Ignored: "ignored" instead of the name.
      {Person("aaron", true), Person("bob"), 1},
      {Person("zack", true), Person("aaron", true), 0},
      {Person("zack", true), Person("jim"), -1},
      {Header(people::kRoomKind), Person("rooster"), -1},
      {Header(people::kRoomKind), Person("robert"), 1},
      {Header(people::kCorridorKind), Header(people::kRoomKind), -1},
  };
  for (const Case& c : cases) {
    const int result = people::CompareRows(c.a, c.b, false, kTexts);
    const int sign = (result > 0) - (result < 0);
    EXPECT_EQ(sign, c.sign) << c.a.name << " vs " << c.b.name;
  }
}

TEST(PeopleOrder, TogglingIgnoreTwiceRestoresThePlace) {
  std::vector<RowFacts> rows = {Person("carl"), Person("ann"), Person("bea")};
  rows[0].ignored = true;
  EXPECT_EQ(Sorted(rows, false), (std::vector<std::string>{"ann", "bea", "ignored"}));
  rows[0].ignored = false;
  EXPECT_EQ(Sorted(rows, false), (std::vector<std::string>{"ann", "bea", "carl"}));
}

TEST(PeopleRows, FirstStateOfARow) {
  RowFacts empty;
  empty.listMade = true;
  empty.kind = people::kSpecialRowKind;
  empty.name = "[-Empty-]";
  RowFacts tour = Header(people::kTourKind);
  struct Case {
    const char* what;
    RowFacts row;
    uint32_t parentKind;
    bool hasPosition;
    int32_t state;
  };
  const Case cases[] = {
      {"other observers", RootSpecial(), 0, false, 1},
      {"empty label", empty, people::kCorridorKind, false, 4},
      {"room header", Header(people::kRoomKind), 0x882, false, 15},
      {"corridor header", Header(people::kCorridorKind), 0x882, false, 15},
      {"tour", tour, people::kRoomKind, false, 1},
      {"seated person", Person("a"), people::kRoomKind, true, 0},
      {"person not yet seated", Person("a"), people::kRoomKind, false, 4},
      {"observer", Person("a"), people::kCorridorKind, false, 0},
      {"person in a tour", Person("a"), people::kTourKind, false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(people::InitialRowState(c.row, c.parentKind, c.hasPosition), c.state) << c.what;
  }
}

TEST(PeopleKinds, ClassesAndPlaces) {
  EXPECT_TRUE(people::IsOwnKind(0x180));
  EXPECT_FALSE(people::IsOwnKind(0x100));
  EXPECT_EQ(people::PersonClass(0x190), 0x110u);
  EXPECT_TRUE(people::IsModeratorClass(272));
  EXPECT_TRUE(people::IsModeratorClass(287));
  EXPECT_FALSE(people::IsModeratorClass(271));
  EXPECT_FALSE(people::IsModeratorClass(288));
  EXPECT_FALSE(people::IsModeratorClass(0x210));  // a group, not a member
  EXPECT_TRUE(people::IsAdminClass(274));
  EXPECT_FALSE(people::IsAdminClass(273));
  EXPECT_TRUE(people::IsHostClass(273));
  EXPECT_TRUE(people::IsAuditoriumPlace(0x8E1));  // bits 5-7 do not count
  EXPECT_FALSE(people::IsAuditoriumPlace(0x802));
  EXPECT_TRUE(people::IsPrivatePlace(0x820));
  EXPECT_FALSE(people::IsPrivatePlace(0x800));
}

TEST(PeopleLimits, MaxObserversIsKeptBetweenOneAndFifty) {
  const std::pair<int32_t, int32_t> cases[] = {{0, 1}, {-5, 1}, {1, 1}, {10, 10}, {50, 50}, {99, 50}};
  for (const auto& [setting, shown] : cases) {
    EXPECT_EQ(people::ClampMaxObservers(setting), shown) << setting;
  }
}

TEST(PeopleLimits, GagAndBanAreCutToTwentyFourForAllButAdministrators) {
  struct Case {
    uint32_t duration;
    uint32_t localClass;
    uint32_t sent;
  };
  const Case cases[] = {
      {100, 276, 24},
      {24, 276, 24},
      {0, 276, 0},
      {100, 273, 24},
      {100, 272, 100},
      {100, 274, 100},
      // A duration whose product with 60 wraps in 32 bits is still cut.
      {71582789, 276, 24},
      {0xFFFFFFFF, 276, 24},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(people::CutSanctionDuration(c.duration, c.localClass), c.sent)
        << c.duration << " by class " << c.localClass;
  }
}

TEST(PeopleStatus, TextsByParticipationState) {
  struct Case {
    int32_t state;
    bool avatars;
    uint32_t main;
    bool communityFirst;
    uint32_t rest;
    bool sticky;
  };
  const Case cases[] = {
      {0, false, 549, false, 199, true},  {1, true, 548, false, 547, true},
      {1, false, 548, false, 547, false}, {2, true, 522, false, 547, true},
      {2, false, 522, false, 547, false}, {3, false, 471, true, 199, true},
      {4, false, 547, false, 199, true},
  };
  for (const Case& c : cases) {
    const people::StatusLine line = people::StatusFor(c.state, c.avatars);
    EXPECT_TRUE(line.valid);
    EXPECT_EQ(line.main, c.main) << c.state;
    EXPECT_EQ(line.communityFirst, c.communityFirst) << c.state;
    EXPECT_EQ(line.rest, c.rest) << c.state;
    EXPECT_EQ(line.sticky, c.sticky) << c.state;
  }
  EXPECT_FALSE(people::StatusFor(5, true).valid);
  EXPECT_FALSE(people::StatusFor(-1, true).valid);
}

TEST(PeopleStatus, HeaderIsPaddedToTheRowWidth) {
  const auto sevenPerChar = [](const std::string& text) { return static_cast<int32_t>(text.size()) * 7; };
  EXPECT_EQ(people::PadHeader("_Observing", 100, sevenPerChar), "_Observing_____");
  EXPECT_EQ(people::PadHeader("_Chatting here: 12", 20, sevenPerChar), "_Chatting here: 12");
  // A measure that never reaches the width stops at a bound.
  EXPECT_EQ(people::PadHeader("x", 100, [](const std::string&) { return 0; }).size(), 512u);
}

std::unique_ptr<CZrObjectDesc> Desc(uint32_t id, uint32_t kind, const std::string& name) {
  auto desc = std::make_unique<CZrObjectDesc>(kind);
  desc->id = id;
  desc->kind = kind;
  desc->name = name;
  return desc;
}

class ObserverAnswer : public ::testing::Test {
 protected:
  CZrObjectDesc corridor{0x400};
  std::set<uint32_t> known;

  void SetUp() override {
    corridor.kind = people::kCorridorKind;
    corridor.id = 5;
  }
  void AddPersons(uint32_t first, int count) {
    for (int i = 0; i < count; ++i) {
      corridor.members.push_back(Desc(first + i, 0x100, "p" + std::to_string(first + i)));
    }
  }
  std::vector<people::ObserverRow> Pick(int32_t max) {
    return people::PickObservers(corridor, [this](uint32_t id) { return known.count(id) > 0; }, max);
  }
};

TEST_F(ObserverAnswer, StopsAfterTheLimitOfNewPersons) {
  AddPersons(100, 10);
  EXPECT_EQ(Pick(3).size(), 3u);
  EXPECT_EQ(Pick(people::ClampMaxObservers(0)).size(), 1u);
  EXPECT_EQ(Pick(people::ClampMaxObservers(99)).size(), 10u);
}

TEST_F(ObserverAnswer, KnownPersonsAreLeftOutAndDoNotCount) {
  AddPersons(100, 5);
  known = {100, 101, 103};
  const std::vector<people::ObserverRow> rows = Pick(10);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].description->id, 102u);
  EXPECT_EQ(rows[1].description->id, 104u);
  known = {100, 101, 102, 103, 104};
  EXPECT_TRUE(Pick(10).empty());
}

TEST_F(ObserverAnswer, ContainersBringTheirMembersUnderThem) {
  auto tour = Desc(200, people::kTourKind, "tour");
  tour->members.push_back(Desc(201, 0x100, "guide"));
  tour->members.push_back(Desc(202, 0x100, "guest"));
  corridor.members.push_back(std::move(tour));
  AddPersons(300, 1);
  const std::vector<people::ObserverRow> rows = Pick(10);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].description->id, 200u);
  EXPECT_EQ(rows[0].parent, -1);
  EXPECT_EQ(rows[1].parent, 0);
  EXPECT_EQ(rows[2].parent, 0);
  EXPECT_EQ(rows[3].description->id, 300u);
  EXPECT_EQ(rows[3].parent, -1);
}

TEST_F(ObserverAnswer, AnAnswerOfAnotherKindAddsNothing) {
  AddPersons(100, 3);
  corridor.kind = people::kRoomKind;
  EXPECT_TRUE(Pick(10).empty());
}

}  // namespace
