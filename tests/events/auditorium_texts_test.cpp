// The texts of an auditorium event, both ways.
#include <gtest/gtest.h>

#include "AuditoriumTexts.h"

namespace {

const char kUnknown[] = "UNKNOWNEVENT";

TEST(EventAnnouncement, KindsTextAndPictureMark) {
  const EventAnnouncement a =
      ParseAnnouncement("xxxxxxxEVT01 2 Question,Comment,Welcome to the show+", kUnknown);
  EXPECT_FALSE(a.inactive);
  EXPECT_EQ(a.event, "EVT01");
  EXPECT_EQ(a.kinds, (std::vector<std::string>{"Question", "Comment"}));
  EXPECT_EQ(a.text, "Welcome to the show");
  EXPECT_TRUE(a.pictureFollows);
}

TEST(EventAnnouncement, Cases) {
  struct Case {
    const char* text;
    bool inactive;
    std::vector<std::string> kinds;
    const char* rest;
    bool picture;
  };
  const Case cases[] = {
      {"xxxxxxxUNKNOWNEVENT 1 Question,hi", true, {}, "", false},
      {"xxxxxxxEVT 0 Just talk   ", false, {}, "Just talk", false},
      {"xxxxxxxEVT 3 One,Two", false, {"One"}, "Two", false},
      {"xxxxxxxEVT 7 One,Two,", false, {}, "7 One,Two,", false},
      {"xxxxxxxEVT", false, {}, "", false},
      {"short", false, {}, "", false},
  };
  for (const Case& c : cases) {
    const EventAnnouncement a = ParseAnnouncement(c.text, kUnknown);
    EXPECT_EQ(a.inactive, c.inactive) << c.text;
    EXPECT_EQ(a.kinds, c.kinds) << c.text;
    EXPECT_EQ(a.text, c.rest) << c.text;
    EXPECT_EQ(a.pictureFollows, c.picture) << c.text;
  }
}

TEST(VoteDefinition, ReadsOptionsAndPrompt) {
  const auto vote = ParseVoteDefinition("xxxxxxxv1 Lunch,3 1 A pizza,B_two salad,C soup,Pick one");
  ASSERT_TRUE(vote);
  EXPECT_EQ(vote->id, "v1");
  EXPECT_EQ(vote->title, "Lunch");
  EXPECT_EQ(vote->maxSelections, 1);
  EXPECT_EQ(vote->labels, (std::vector<std::string>{"A", "B two", "C"}));
  EXPECT_EQ(vote->texts, (std::vector<std::string>{"pizza", "salad", "soup"}));
  EXPECT_EQ(vote->prompt, "Pick one");
}

TEST(VoteDefinition, TenOptionsAndTenChoices) {
  std::string text = "xxxxxxxbig All,10 10 ";
  for (int i = 1; i <= 10; ++i) text += "L" + std::to_string(i) + " t" + std::to_string(i) + ",";
  const auto vote = ParseVoteDefinition(text + "go");
  ASSERT_TRUE(vote);
  EXPECT_EQ(vote->labels.size(), 10u);
  EXPECT_EQ(vote->maxSelections, 10);
  EXPECT_EQ(vote->texts.back(), "t10");
  EXPECT_EQ(vote->prompt, "go");
}

TEST(VoteDefinition, MalformedOpensNothing) {
  for (const char* text : {
           "xxxxxxxv1 Lunch,00 1 A a,",   // no options
           "xxxxxxxv1 Lunch,11 1 A a,",   // too many
           "xxxxxxxv1 Lunch,2 0 A a,B b,",  // no choice allowed
           "xxxxxxxv1 Lunch,2 3 A a,B b,",  // more choices than options
           "xxxxxxxv1 Lunch,3 1 A a,B b,",  // runs out of options
           "xxxxxxx Lunch,1 1 A a,",        // no identifier
           "xxxxxxxv1 ,1 1 A a,",           // no title
           "xxxxxxxv1 Lunch",               // nothing after the title
           "short",
       })
    EXPECT_FALSE(ParseVoteDefinition(text)) << text;
}

TEST(EventQueueItem, SplitsAtTheFirstThreeCommas) {
  const auto item = ParseQueueItem("ITEM 1,q17,bob,Why,not?");
  ASSERT_TRUE(item);
  EXPECT_EQ(item->kind, "1");
  EXPECT_EQ(item->questionId, "q17");
  EXPECT_EQ(item->asker, "bob");
  EXPECT_EQ(item->question, "Why,not?");
  EXPECT_FALSE(ParseQueueItem("ITEM 1,q17,bob"));
  EXPECT_FALSE(ParseQueueItem("ITEM"));
}

TEST(EventRequests, TextsSentToTheAdministratorAndHost) {
  EXPECT_EQ(AddRequestText("Hall", 1, true, "Why<,>not?"), "ADD Hall 1 -a Why,not?");
  EXPECT_EQ(AddRequestText("Hall", 2, false, std::string(250, 'x')), "ADD Hall 2 " + std::string(200, 'x'));
  EXPECT_EQ(VoteRequestText("v1", {2}), "VOTE v1 1 2 ");
  EXPECT_EQ(VoteRequestText("v1", {3, 1}), "VOTE v1 2 3 1 ");
  EXPECT_EQ(AnswerRequestText("q17", "Because."), "ANSWER q17,Because.");
  EXPECT_EQ(AnswerToHostText({"1", "q17", "bob", "Why,not?"}, "Because."), "ANSWER 1,bob,Why,not?<,>Because.");
  EXPECT_EQ(TranscriptRequestText("Hall"), "Hall 100");
}

TEST(WelcomeText, ControlCharactersGoAndLengthIsCut) {
  EXPECT_EQ(CleanWelcomeText("Hi\r\n\tthere\x7F!"), "Hithere!");
  EXPECT_EQ(CleanWelcomeText(std::string(600, 'w')).size(), 500u);
  EXPECT_EQ(CleanWelcomeText("caf\xE9"), "caf\xE9");
}

TEST(SpeakerList, RowsToggleAsWholeEntries) {
  EXPECT_EQ(ToggleSpeaker("", 12), " 12");
  EXPECT_EQ(ToggleSpeaker(" 12", 1), " 12 1");
  EXPECT_EQ(ToggleSpeaker(" 12 1", 12), " 1");
  EXPECT_EQ(ToggleSpeaker(" 1", 1), "");
  // Row 12 is not row 123, nor row 1 row 12.
  EXPECT_FALSE(SpeakerListHas(" 123", 12));
  EXPECT_EQ(ToggleSpeaker(" 123", 12), " 123 12");
  EXPECT_TRUE(SpeakerListHas(" 123 12", 12));
  EXPECT_EQ(ToggleSpeaker(" 123 12", 12), " 123");
}

}  // namespace
