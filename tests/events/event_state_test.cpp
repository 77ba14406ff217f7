// What the event keeps between texts: the participation kinds of the last
// announcement, the moderator's queue and the options chosen in a vote.
#include <gtest/gtest.h>

#include "EventParticipation.h"
#include "EventQueue.h"
#include "VoteSelection.h"

namespace {

EventParticipation Announced(const std::string& text) {
  EventParticipation participation;
  participation.Take(text, ParseAnnouncement(text, "UNKNOWNEVENT"));
  return participation;
}

TEST(EventParticipation, KindNamesByNumberAndThePrompt) {
  const std::string text = "xxxxxxxEVT01 3 Question,Comment,Vote,Welcome";
  const EventParticipation participation = Announced(text);
  EXPECT_EQ(participation.LastAnnouncement(), text);
  const std::pair<int, const char*> names[] = {{0, ""}, {1, "Question"}, {2, "Comment"}, {3, "Vote"}, {4, ""}, {7, ""}};
  for (const auto& [number, name] : names) EXPECT_EQ(participation.KindName(number), name) << number;
  EXPECT_EQ(participation.Prompt("Type your ", " here."), "Type your Question, Comment or Vote here.");
}

TEST(EventParticipation, PromptForOneOrTwoKinds) {
  EXPECT_EQ(Announced("xxxxxxxE 1 Question,hi").Prompt("Type your ", "!"), "Type your Question!");
  EXPECT_EQ(Announced("xxxxxxxE 2 Question,Comment,hi").Prompt("> ", ""), "> Question or Comment");
}

TEST(EventParticipation, NextAnnouncementReplacesTheKindsAndClearEmptiesThem) {
  EventParticipation participation = Announced("xxxxxxxE 2 Question,Comment,hi");
  participation.Take("xxxxxxxF 1 Poll,hi", ParseAnnouncement("xxxxxxxF 1 Poll,hi", "UNKNOWNEVENT"));
  EXPECT_EQ(participation.Kinds(), std::vector<std::string>{"Poll"});
  participation.Clear();
  EXPECT_TRUE(participation.Kinds().empty());
  EXPECT_TRUE(participation.LastAnnouncement().empty());
  EXPECT_EQ(participation.KindName(1), "");
}

TEST(EventQueue, ItemsKeepTheirIndexWhenOthersAreDeleted) {
  EventQueue queue;
  const auto first = queue.Add(7, "ITEM 1,q17,bob,Why,not?");
  const auto second = queue.Add(8, "ITEM 2,q18,ann,Nice talk");
  ASSERT_TRUE(first && second);
  EXPECT_EQ(queue.LiveCount(), 2u);
  EXPECT_TRUE(queue.Delete(*first));
  EXPECT_FALSE(queue.Delete(*first));
  EXPECT_EQ(queue.Find(*first), nullptr);
  const EventQueue::Entry* entry = queue.Find(*second);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->host, 8u);
  EXPECT_EQ(entry->item.questionId, "q18");
  EXPECT_EQ(EventQueue::LineOf(entry->item), "ann Nice talk");
  EXPECT_EQ(queue.LiveCount(), 1u);
  EXPECT_EQ(queue.Find(99), nullptr);
  EXPECT_FALSE(queue.Delete(99));
}

TEST(EventQueue, TextsThatHoldNoItemAddNothing) {
  EventQueue queue;
  for (const char* text : {"", "ITEM", "ITEM 1,q17,bob", "ITEM 1,q17"}) EXPECT_FALSE(queue.Add(1, text)) << text;
  EXPECT_EQ(queue.LiveCount(), 0u);
  const auto index = queue.Add(1, "ITEM 1,q17,bob,Why,not?");
  ASSERT_TRUE(index);
  EXPECT_EQ(EventQueue::LineOf(queue.Find(*index)->item), "bob Why,not?");
}

TEST(VoteSelection, SingleChoiceKeepsOnlyTheLastOption) {
  VoteSelection selection(3, 1);
  EXPECT_FALSE(selection.IsComplete());
  EXPECT_EQ(selection.Toggle(1), VoteSelection::Click::kChosen);
  EXPECT_EQ(selection.Toggle(2), VoteSelection::Click::kChosen);
  EXPECT_EQ(selection.Chosen(), std::vector<int>{2});
  // Choosing the chosen option again keeps it chosen.
  EXPECT_EQ(selection.Toggle(2), VoteSelection::Click::kChosen);
  EXPECT_EQ(selection.Chosen(), std::vector<int>{2});
  EXPECT_TRUE(selection.IsComplete());
  EXPECT_EQ(VoteRequestText("v1", selection.Chosen()), "VOTE v1 1 2 ");
}

TEST(VoteSelection, SeveralChoicesUpToTheMaximumInTheOrderChosen) {
  VoteSelection selection(4, 2);
  EXPECT_EQ(selection.Toggle(3), VoteSelection::Click::kChosen);
  EXPECT_EQ(selection.Toggle(1), VoteSelection::Click::kChosen);
  EXPECT_EQ(selection.Toggle(4), VoteSelection::Click::kRefused);
  EXPECT_EQ(selection.Chosen(), (std::vector<int>{3, 1}));
  EXPECT_EQ(selection.Toggle(3), VoteSelection::Click::kUnchosen);
  EXPECT_FALSE(selection.IsChosen(3));
  EXPECT_EQ(selection.Toggle(4), VoteSelection::Click::kChosen);
  EXPECT_EQ(VoteRequestText("v2", selection.Chosen()), "VOTE v2 2 1 4 ");
}

TEST(VoteSelection, OptionsOutsideTheVoteAreRefused) {
  VoteSelection selection(3, 3);
  for (int option : {0, -1, 4, 11}) EXPECT_EQ(selection.Toggle(option), VoteSelection::Click::kRefused) << option;
  EXPECT_TRUE(selection.Chosen().empty());
  EXPECT_FALSE(selection.IsComplete());
}

}  // namespace
