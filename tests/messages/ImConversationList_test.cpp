#include "ImConversationList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Shown {
  uint32_t sender;
  std::string name;
  std::string text;
  std::string pending;
};

class RecordingRoad : public IImRoad {
 public:
  bool SendIm(uint32_t recipient, const std::string& text, const CTvlBlob&) override {
    sent.push_back({recipient, text});
    return connected;
  }
  void PostOutgoingNotice(const std::string& text, const CTvlBlob&) override { notices.push_back(text); }
  uint32_t SendLookup(const std::string& name) override {
    looked.push_back(name);
    return connected ? ++lastRequest : 0;
  }
  void ShowIm(uint32_t sender, const std::string& name, const std::string& text, const CTvlBlob&,
              const std::string& pending) override {
    shown.push_back({sender, name, text, pending});
  }
  void ShowNotFound(const std::string& name) override { notFound.push_back(name); }

  bool connected = true;
  uint32_t lastRequest = 40;
  std::vector<std::pair<uint32_t, std::string>> sent;
  std::vector<std::string> notices;
  std::vector<std::string> looked;
  std::vector<Shown> shown;
  std::vector<std::string> notFound;
};

class RecordingDialog : public IImLookupClient {
 public:
  void OnLookupResult(const std::vector<CImLookupResult>& results) override { answers.push_back(results.size()); }
  std::vector<size_t> answers;
};

TEST(ImConversationList, FirstMessageFromDialogWaitsForTheReplyAndIsShownOnce) {
  RecordingRoad road;
  CImConversationList list(road);
  ASSERT_TRUE(list.SendIm(7, "bob", "hello bob", CTvlBlob()));
  ASSERT_EQ(road.sent.size(), 1u);
  EXPECT_EQ(road.sent[0], std::make_pair(7u, std::string("hello bob")));
  EXPECT_EQ(road.notices, std::vector<std::string>{"hello bob"});
  EXPECT_TRUE(road.shown.empty());
  // A second message from the dialog keeps the first as the pending text.
  list.SendIm(7, "bob", "are you there", CTvlBlob());
  EXPECT_EQ(list.Find(7)->pending, "hello bob");

  list.OnImReceived(7, "hi", CTvlBlob(), "bob");
  list.OnImReceived(7, "again", CTvlBlob(), "bob");
  ASSERT_EQ(road.shown.size(), 2u);
  EXPECT_EQ(road.shown[0].pending, "hello bob");
  EXPECT_EQ(road.shown[0].text, "hi");
  EXPECT_EQ(road.shown[1].pending, "");
}

TEST(ImConversationList, PageSendsRecordNothingAndFailedSendsPostNoNotice) {
  RecordingRoad road;
  CImConversationList list(road);
  list.SendToPage(9, "from page", CTvlBlob());
  EXPECT_EQ(list.Find(9), nullptr);
  road.connected = false;
  EXPECT_FALSE(list.SendIm(9, "carol", "lost", CTvlBlob()));
  EXPECT_EQ(road.notices, std::vector<std::string>{"from page"});
}

TEST(ImConversationList, IncomingTextIsCutAfter800Characters) {
  struct Case {
    size_t length;
    size_t shown;
  } cases[] = {{0, 0}, {799, 799}, {800, 800}, {801, 799}, {5000, 799}};
  for (const Case& c : cases) {
    RecordingRoad road;
    CImConversationList list(road);
    list.OnImReceived(3, std::string(c.length, 'x'), CTvlBlob(), "ann");
    ASSERT_EQ(road.shown.size(), 1u);
    EXPECT_EQ(road.shown[0].text.size(), c.shown) << c.length;
  }
}

TEST(ImConversationList, FailedSendTellsTheConversationsNameUnlessQuiet) {
  RecordingRoad road;
  CImConversationList list(road);
  list.SendIm(5, "dave", "x", CTvlBlob());
  list.OnSendFailed(5, CImConversationList::kQuietFailure);
  list.OnSendFailed(6, 1);
  EXPECT_TRUE(road.notFound.empty());
  list.OnSendFailed(5, 1);
  EXPECT_EQ(road.notFound, std::vector<std::string>{"dave"});
  list.CloseConversation(5);
  list.OnSendFailed(5, 1);
  EXPECT_EQ(road.notFound.size(), 1u);
}

TEST(ImConversationList, LookupRepliesReachTheirDialogOnce) {
  RecordingRoad road;
  CImConversationList list(road);
  RecordingDialog first;
  RecordingDialog second;
  const uint32_t a = list.Lookup("bob", first);
  const uint32_t b = list.Lookup("carol", second);
  ASSERT_NE(a, b);
  EXPECT_EQ(road.looked, (std::vector<std::string>{"bob", "carol"}));
  EXPECT_TRUE(list.OnLookupReply(b, std::vector<CImLookupResult>(2)));
  EXPECT_FALSE(list.OnLookupReply(b, {}));
  list.DropLookup(a);
  EXPECT_FALSE(list.OnLookupReply(a, {}));
  EXPECT_TRUE(first.answers.empty());
  EXPECT_EQ(second.answers, std::vector<size_t>{2});
  // A look-up that could not be sent waits for nothing.
  road.connected = false;
  EXPECT_EQ(list.Lookup("eve", first), 0u);
  EXPECT_EQ(list.LookupCount(), 0u);
}

}  // namespace
