// The chat client's answers to the directory browser's reports.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "CDirectoryReplies.h"
#include "DirectoryCodes.h"

using namespace zr::directory;

namespace {

// Records what the client sends and does, in order.
class RecordingHost : public CDirectoryClientHost {
 public:
  std::vector<std::pair<uint32_t, std::string>> log;
  std::string directoryPage = "http://dir.example.org/members";
  std::string eventPage = "http://events.example.org/manage";

  void SendToBrowser(uint32_t code, const std::string& text) override { log.emplace_back(code, text); }
  std::string CurrentPageAddress() const override { return directoryPage; }
  std::string EventPageAddress() const override { return eventPage; }
  std::string Nickname() const override { return "Ann Lee Two"; }
  std::string CurrentPlaceName() const override { return "Lobby"; }
  bool IsPlaceLink(const std::string& text) const override { return text.rfind("zr://", 0) == 0; }
  bool IsInteractionLink(const std::string& text) const override {
    return text.find("actn=") != std::string::npos;
  }
  void OpenPlace(const std::string& text) override { log.emplace_back(0, "open " + text); }
  void CloseBrowser() override { log.emplace_back(0, "close browser"); }
  void PerformInteraction(const std::string& text) override { log.emplace_back(0, "do " + text); }
};

using Log = std::vector<std::pair<uint32_t, std::string>>;

}  // namespace

TEST(DirectoryReplies, DirectoryModeLoadsThePageWithACounterOrRefreshesIt) {
  RecordingHost host;
  CDirectoryReplies replies(host);
  replies.OnCommand(kInDirectoryMode, "");
  replies.OnCommand(kInDirectoryMode, "http://other/");
  replies.OnCommand(kInDirectoryMode, "  http://DIR.example.org:80/members");
  replies.OnCommand(kInDirectoryMode, "http://dir.example.org:8080/members");
  EXPECT_EQ(host.log, (Log{{kNavigate, "http://dir.example.org/members?ref=0"},
                           {kNavigate, "http://dir.example.org/members?ref=1"},
                           {kRefresh, ""},
                           {kRefresh, ""}}));
  EXPECT_EQ(replies.RefCounter(), 2);
}

TEST(DirectoryReplies, EmptyDirectoryPageNeverCountsAsTheSamePage) {
  RecordingHost host;
  host.directoryPage.clear();
  CDirectoryReplies replies(host);
  replies.OnCommand(kInDirectoryMode, "");
  EXPECT_EQ(host.log, (Log{{kNavigate, "?ref=0"}}));
}

TEST(DirectoryReplies, QuestionsAreAnsweredWithTheTextAsReceived) {
  struct Case {
    const char* question;
    Log expected;
  };
  const Case cases[] = {
      {"http://www.example.org/", {{kAnswerGo, "http://www.example.org/"}}},
      {"  http://www.example.org/", {{kAnswerGo, "  http://www.example.org/"}}},
      {" zr://Place=http://p/",
       {{kAnswerStay, " zr://Place=http://p/"}, {0, "open zr://Place=http://p/"},
        {0, "close browser"}}},
      {"http://h/q?actn=6&msg=hi",
       {{kAnswerStay, "http://h/q?actn=6&msg=hi"}, {0, "do http://h/q?actn=6&msg=hi"}}},
  };
  for (const Case& c : cases) {
    RecordingHost host;
    CDirectoryReplies replies(host);
    replies.OnCommand(kAskNavigation, c.question);
    EXPECT_EQ(host.log, c.expected) << c.question;
  }
}

TEST(DirectoryReplies, EchoEventModeAndOtherCodes) {
  RecordingHost host;
  CDirectoryReplies replies(host);
  replies.OnCommand(kEcho, "  http://x/");
  replies.OnCommand(kInEventMode, "http://ignored/");
  replies.OnCommand(kNavigate, "http://not-for-the-client/");
  replies.OnCommand(9999, "x");
  EXPECT_EQ(host.log,
            (Log{{kNavigate, "  http://x/"},
                 {kNavigate, "http://events.example.org/manage?nickname=Ann+Lee+Two&place=Lobby"}}));
}
