#include "CInteraction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Sent {
  uint32_t member;  // 0: said in the place
  std::string text;
  int type;
  int code;
};

class FakePlace : public IInteractionPlace {
 public:
  bool IsAuditorium() const override { return auditorium; }
  bool IsDirectlyInPlace() const override { return onStage; }
  std::string PlaceName() const override { return "Hall"; }
  void Say(const std::string& text, const CTvlBlob& payload) override { Record(0, text, payload); }
  void SendToMember(uint32_t member, const std::string& text, const CTvlBlob& payload) override {
    Record(member, text, payload);
  }
  bool SendToAdministrator(const std::string& text) override {
    if (!administrator) return false;
    Record(99, text, CTvlBlob());
    return true;
  }
  uint32_t LookUp(const std::string& name) override {
    lookups.push_back(name);
    return 17;
  }
  void ShowMessage(uint32_t id) override { messages.push_back(id); }

  void Record(uint32_t member, const std::string& text, const CTvlBlob& payload) {
    const uint8_t* bytes = payload.Bytes();
    const bool typed = bytes && payload.Length() >= 2;
    sent.push_back({member, text, typed ? bytes[0] : -1, typed ? bytes[1] : -1});
  }

  bool auditorium = true;
  bool onStage = true;
  bool administrator = true;
  std::vector<Sent> sent;
  std::vector<std::string> lookups;
  std::vector<uint32_t> messages;
};

TEST(Interaction, ParseReadsKeysAndUnescapes) {
  CInteraction interaction;
  interaction.Parse(
      "http://ev/x?intrctionId=q1,q2&intrctionType=1,2&sndr=ann%3C%2C%3Ebob&msg=Why%3F%3C%2C%3Eok&"
      "answer=Yes+indeed%21&guestName=star@hvn&actn=2");
  EXPECT_TRUE(interaction.IsValid());
  EXPECT_EQ(interaction.GetType(), CInteraction::kLookUpGuest);
  EXPECT_EQ(interaction.GetIdentifiers(), "q1,q2");
  EXPECT_EQ(interaction.GetTypes(), "1,2");
  EXPECT_EQ(interaction.GetSender(), "ann<,>bob");
  EXPECT_EQ(interaction.GetMessage(), "Why?<,>ok");
  EXPECT_EQ(interaction.GetAnswer(), "Yes indeed!");
  EXPECT_EQ(interaction.GetGuestName(), "star@hvn");
}

TEST(Interaction, UnescapeRules) {
  struct Case {
    const char* in;
    bool plus;
    const char* out;
  } cases[] = {
      {"a+b%21", false, "a+b!"},
      {"a+b%21", true, "a b!"},
      {"%3C%2C%3E", false, "<,>"},
      {"%3c%2c%3e", false, "<,>"},
      {"100%", false, "100%"},
      {"%4", false, "%4"},
      {"%zz", false, "%zz"},
      {"%00x", false, "%00x"},
  };
  for (const Case& c : cases) EXPECT_EQ(CInteraction::Unescape(c.in, c.plus), c.out) << c.in;
}

TEST(Interaction, TextWithoutInteractionStaysInvalid) {
  CInteraction interaction;
  for (const char* query : {"http://ev/x?msg=hi", "http://ev/x?reactn=3", "actn=0", ""}) {
    interaction.Parse(query);
    EXPECT_FALSE(interaction.IsValid()) << query;
    EXPECT_EQ(interaction.GetMessage(), "");
  }
}

TEST(Interaction, PerformByTypeAndCondition) {
  struct Case {
    const char* query;
    bool auditorium;
    bool onStage;
    bool done;
    std::vector<std::pair<std::string, int>> said;  // text and payload code (-1: empty)
    std::vector<uint32_t> messages;
  } cases[] = {
      {"actn=1&msg=hello", true, true, true, {{"hello", -1}}, {}},
      {"actn=5&msg=hello", true, true, true, {{"hello", -1}}, {}},
      {"actn=1&msg=hello", true, false, false, {}, {CInteraction::kNotOnStageText}},
      {"actn=1&msg=hello", false, true, false, {}, {CInteraction::kNotOnStageText}},
      {"actn=4&msg=q&answer=a+b", true, true, true, {{"q", 6}, {"a b", -1}}, {}},
      {"actn=4&msg=q&answer=a", true, false, false, {}, {CInteraction::kNotOnStageText}},
  };
  for (const Case& c : cases) {
    FakePlace place;
    place.auditorium = c.auditorium;
    place.onStage = c.onStage;
    CInteraction interaction;
    interaction.Parse(c.query);
    EXPECT_EQ(interaction.Perform(place), c.done) << c.query;
    std::vector<std::pair<std::string, int>> said;
    for (const Sent& s : place.sent) said.push_back({s.text, s.code});
    EXPECT_EQ(said, c.said) << c.query;
    EXPECT_EQ(place.messages, c.messages) << c.query;
    EXPECT_FALSE(interaction.IsValid()) << c.query;
  }
}

TEST(Interaction, AdministratorLineOrMessage316) {
  FakePlace place;
  CInteraction interaction;
  interaction.Parse("actn=6&msg=help");
  EXPECT_TRUE(interaction.Perform(place));
  ASSERT_EQ(place.sent.size(), 1u);
  EXPECT_EQ(place.sent[0].member, 99u);
  place.administrator = false;
  interaction.Parse("actn=6&msg=help");
  EXPECT_FALSE(interaction.Perform(place));
  EXPECT_EQ(place.messages, std::vector<uint32_t>{CInteraction::kNoAdministratorText});
}

TEST(Interaction, LookUpDropsTheHostServiceEndingOnlyAtTheEnd) {
  struct Case {
    const char* guest;
    const char* looked;
    uint32_t service;
  } cases[] = {{"star@hvn", "star", 3}, {"st@hvnar", "st@hvnar", 2}, {"plain", "plain", 2}, {"@hvn", "", 3}};
  for (const Case& c : cases) {
    FakePlace place;
    CInteraction interaction;
    interaction.Parse(std::string("actn=2&guestName=") + c.guest);
    EXPECT_TRUE(interaction.Perform(place));
    EXPECT_EQ(place.lookups, std::vector<std::string>{c.looked});
    EXPECT_EQ(interaction.GuestServiceType(), c.service);
    EXPECT_EQ(interaction.GetLookupRequest(), 17u);
    EXPECT_TRUE(interaction.IsValid()) << "kept for its items";
  }
  FakePlace offStage;
  offStage.onStage = false;
  CInteraction fromStage;
  fromStage.Parse("actn=3&guestName=x");
  EXPECT_FALSE(fromStage.Perform(offStage));
  EXPECT_TRUE(offStage.lookups.empty());
}

TEST(Interaction, FormItemsGoToTheFirstMemberOfTheServiceAndStopAtTheShortestList) {
  FakePlace place;
  CInteraction interaction;
  interaction.Parse("actn=2&guestName=star@hvn&intrctionType=1,2,3&intrctionId=q1,q2,q3&"
                    "msg=Why,not%3F%3C%2C%3EHow&sndr=ann%3C%2C%3Ebob%3C%2C%3Ecy");
  interaction.Perform(place);
  interaction.SetItemMode(CInteraction::kFormItems);
  interaction.SendItems(place, {{11, 2, "Hall", 1}, {12, 3, "Hall", 1}, {13, 3, "Hall", 1}});
  ASSERT_EQ(place.sent.size(), 2u);
  EXPECT_EQ(place.sent[0].member, 12u);
  EXPECT_EQ(place.sent[0].text, "ITEM 1,q1,ann,Why,not?");
  EXPECT_EQ(place.sent[1].text, "ITEM 2,q2,bob,How");
  EXPECT_EQ(place.sent[0].type, 4);
  EXPECT_EQ(place.sent[0].code, CInteraction::kItemCode);
  EXPECT_EQ(interaction.GetItemMode(), CInteraction::kNoItems);
}

TEST(Interaction, GuestAnswerOnlyWhenTheGuestIsOnThisStage) {
  struct Case {
    CInteractionMember guest;
    size_t sent;
    std::vector<uint32_t> messages;
  } cases[] = {
      {{12, 2, "Hall", 0}, 2, {}},
      {{12, 2, "Hall", 4}, 0, {CInteraction::kGuestNotOnStageText}},
      {{12, 2, "Lobby", 0}, 0, {CInteraction::kGuestNotOnStageText}},
      {{12, 3, "Hall", 0}, 0, {}},
  };
  for (const Case& c : cases) {
    FakePlace place;
    CInteraction interaction;
    interaction.Parse("actn=2&guestName=star&msg=q&answer=a");
    interaction.Perform(place);
    interaction.SetItemMode(CInteraction::kGuestAnswer);
    interaction.SendItems(place, {c.guest});
    ASSERT_EQ(place.sent.size(), c.sent);
    if (c.sent) {
      EXPECT_EQ(place.sent[0].member, 0u);
      EXPECT_EQ(place.sent[1].member, 12u);
      EXPECT_EQ(place.sent[1].code, CInteraction::kGuestAnswerCode);
    }
    EXPECT_EQ(place.messages, c.messages);
  }
}

}  // namespace
