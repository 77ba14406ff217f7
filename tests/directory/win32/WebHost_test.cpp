// The browser host over a scripted web control: reports to the frame, the
// navigation question with its wait, and the navigation commands.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CWebHost.h"
#include "CWebHostNotify.h"
#include "ScriptedWebControl.h"

namespace {

constexpr UINT kPostAnswer = WM_APP + 7;

// Records the host's reports; answers questions as the test sets it up.
class RecordingNotify : public CWebHostNotify {
 public:
  enum class Mode { kAnswerGoAtOnce, kCannotAsk, kPostAnswer, kPostQuit };

  std::vector<std::string> log;
  std::vector<std::string> questions;
  Mode mode = Mode::kAnswerGoAtOnce;
  CWebHost* host = nullptr;
  HWND answerWindow = nullptr;
  std::string postedAddress;  // the address the posted answer carries
  bool postedGo = true;

  void NavigationDone(const std::string& title, const std::string& address) override {
    log.push_back("done " + title + "|" + address);
  }
  void NavigationStarted() override { log.push_back("started"); }
  void DownloadDone(int flag) override { log.push_back("download " + std::to_string(flag)); }
  void StatusText(const std::string& text) override { log.push_back("status " + text); }
  void Progress(int percent) override { log.push_back("progress " + std::to_string(percent)); }
  void TitleKnown(const std::string& title, const std::string& address, int flag) override {
    log.push_back("title " + title + "|" + address + "|" + std::to_string(flag));
  }
  bool AskNavigation(const std::string& address) override {
    questions.push_back(address);
    switch (mode) {
      case Mode::kAnswerGoAtOnce:
        host->AddAnswer(address, CNavAnswerList::kGo);
        return true;
      case Mode::kCannotAsk:
        return false;
      case Mode::kPostAnswer:
        ::PostMessageA(answerWindow, kPostAnswer, 0, 0);
        return true;
      case Mode::kPostQuit:
        ::PostQuitMessage(42);
        return true;
    }
    return false;
  }
};

// A window whose posted message delivers the test's answer, as the client's
// posted 1545 / 1546 do.
LRESULT CALLBACK AnswerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kPostAnswer) {
    auto* notify = reinterpret_cast<RecordingNotify*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    notify->host->AddAnswer("http://unrelated/", CNavAnswerList::kGo);
    notify->host->AddAnswer(notify->postedAddress,
                            notify->postedGo ? CNavAnswerList::kGo : CNavAnswerList::kStay);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

class WebHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = AnswerProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZrWebHostTestWindow";
    ::RegisterClassA(&wc);
    parent = ::CreateWindowExA(0, wc.lpszClassName, "host test", WS_OVERLAPPEDWINDOW, 0, 0, 400,
                               300, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(parent, nullptr);
    ::SetWindowLongPtrA(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&notify));
    auto owned = std::make_unique<ScriptedWebControl>(calls);
    control = owned.get();
    host = std::make_unique<CWebHost>(notify, std::move(owned));
    notify.host = host.get();
    notify.answerWindow = parent;
    RECT area{0, 0, 200, 100};
    ASSERT_TRUE(host->Create(area, parent));
  }
  void TearDown() override {
    host.reset();
    ::DestroyWindow(parent);
  }

  HWND parent = nullptr;
  ScriptedWebControl::Calls calls;
  ScriptedWebControl* control = nullptr;
  RecordingNotify notify;
  std::unique_ptr<CWebHost> host;
};

}  // namespace

TEST_F(WebHostTest, ControlWindowHasTheHostsIdentityAndLosesItsScrollBars) {
  HWND window = host->ControlWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(::GetDlgCtrlID(window), 101);
  EXPECT_EQ(::GetParent(window), parent);
  EXPECT_TRUE(::GetWindowLongPtrA(window, GWL_STYLE) & WS_VSCROLL);
  host->RemoveScrollBars();
  LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
  EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL));
  EXPECT_TRUE(style & WS_CHILD);
}

TEST_F(WebHostTest, StatusTextsAreShownAsTheFrameShowsThem) {
  struct Case {
    const char* event;
    const char* shown;
  };
  const Case cases[] = {
      {"zr://Community=c&place=http:/www.example.org/room", "status http://www.example.org/room"},
      {"zr://Place", "status lace"},
      {"Downloading http://host/", "status Downloading http://host/"},
  };
  for (const Case& c : cases) {
    notify.log.clear();
    control->Events().OnStatusTextChange(c.event);
    EXPECT_EQ(notify.log, std::vector<std::string>{c.shown}) << c.event;
  }
}

TEST_F(WebHostTest, CompletedNavigationsAreReportedExceptRedirects) {
  control->Events().OnNavigateComplete("http://host/redirect?to=a");
  EXPECT_TRUE(notify.log.empty());
  control->Events().OnNavigateComplete("http://host/a");
  EXPECT_EQ(notify.log, (std::vector<std::string>{"done |http://host/a", "title |http://host/a|0"}));
}

TEST_F(WebHostTest, ProgressAndDownloadReports) {
  struct Case {
    long progress;
    long maximum;
    std::vector<std::string> reports;
  };
  const Case cases[] = {
      {50, 0, {}},
      {50, 200, {"progress 25"}},
      {3000000, 4000000, {"progress 75"}},
      {-1, 100, {"download 0"}},
  };
  for (const Case& c : cases) {
    notify.log.clear();
    control->Events().OnProgressChange(c.progress, c.maximum);
    EXPECT_EQ(notify.log, c.reports) << c.progress << "/" << c.maximum;
  }
}

TEST_F(WebHostTest, PageTitleIsReportedOnceAfterATitleChange) {
  control->Events().OnDownloadComplete();
  EXPECT_EQ(notify.log, std::vector<std::string>{"download 0"});
  host->NavigateTo("http://host/a");
  notify.log.clear();
  control->SetTitle("Members");
  control->Events().OnTitleChange("Members");
  control->Events().OnDownloadComplete();
  control->Events().OnDownloadComplete();
  EXPECT_EQ(notify.log, (std::vector<std::string>{"title Members||0", "download 0",
                                                  "title Members|http://host/a|1", "download 0"}));
}

TEST_F(WebHostTest, NavigateLoadsANewAddressWithoutCacheAndRefreshesTheSameOne) {
  host->Navigate("http://host/a", false, false);
  host->Navigate("http://host/a", false, false);
  host->Navigate("http://host/a", true, true);
  host->Navigate("http://host/b", true, false);
  EXPECT_EQ(calls.navigations, (std::vector<std::string>{"http://host/a|nocache", "http://host/a|cache",
                                                         "http://host/b|cache"}));
  EXPECT_EQ(calls.refreshes, 1);
  EXPECT_TRUE(host->IsBusy());
  host->Stop();
  EXPECT_FALSE(host->IsBusy());
  EXPECT_EQ(calls.stops, 1);
  EXPECT_EQ(host->GetLocationURL(), "http://host/b");
}

TEST_F(WebHostTest, QuestionUsesTheRepairedAddressAndStartsTheNavigation) {
  EXPECT_TRUE(control->Click("http:/host/page"));
  EXPECT_EQ(notify.questions, std::vector<std::string>{"http://host/page"});
  ASSERT_FALSE(notify.log.empty());
  EXPECT_EQ(notify.log.front(), "started");
}

TEST_F(WebHostTest, WaitEndsOnTheMatchingPostedAnswer) {
  struct Case {
    bool go;
    bool navigated;
  };
  const Case cases[] = {{true, true}, {false, false}};
  for (const Case& c : cases) {
    notify.mode = RecordingNotify::Mode::kPostAnswer;
    notify.postedAddress = "http://host/x";
    notify.postedGo = c.go;
    notify.log.clear();
    EXPECT_EQ(control->Click("http://host/x"), c.navigated);
    EXPECT_EQ(!notify.log.empty(), c.navigated);
    EXPECT_FALSE(host->IsAsking());
  }
}

TEST_F(WebHostTest, AnswersForOtherAddressesStayWhileWaiting) {
  notify.mode = RecordingNotify::Mode::kPostAnswer;
  notify.postedAddress = "http://host/x";
  bool cancel = false;
  EXPECT_FALSE(host->AskNavigation("http://host/x", cancel));
  EXPECT_FALSE(cancel);
  // The unrelated answer posted with it is still there for its own question.
  notify.mode = RecordingNotify::Mode::kCannotAsk;
  cancel = false;
  EXPECT_FALSE(host->AskNavigation("http://unrelated/", cancel));
  EXPECT_FALSE(cancel);
}

TEST_F(WebHostTest, QuestionsThatCannotBeAnsweredCancel) {
  notify.mode = RecordingNotify::Mode::kCannotAsk;
  EXPECT_FALSE(control->Click("http://host/nowhere"));
  EXPECT_TRUE(notify.log.empty());

  notify.mode = RecordingNotify::Mode::kAnswerGoAtOnce;
  host->AbandonQuestions();
  bool cancel = false;
  EXPECT_TRUE(host->AskNavigation("http://host/after-close", cancel));
  EXPECT_TRUE(cancel);
}

TEST_F(WebHostTest, QuitMessageEndsTheWaitAndStaysForTheProgramsLoop) {
  notify.mode = RecordingNotify::Mode::kPostQuit;
  bool cancel = false;
  EXPECT_TRUE(host->AskNavigation("http://host/q", cancel));
  EXPECT_TRUE(cancel);
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 42u);
}

TEST(WebHostWithoutControl, CallsNeedingTheControlDoNothing) {
  ScriptedWebControl::Calls calls;
  RecordingNotify notify;
  CWebHost host(notify, std::make_unique<ScriptedWebControl>(calls, true));
  RECT area{0, 0, 10, 10};
  EXPECT_FALSE(host.Create(area, nullptr));
  host.Move(area);
  host.Navigate("http://host/a", false, false);
  host.Refresh();
  EXPECT_EQ(host.GetLocationURL(), "");
  EXPECT_EQ(host.ControlWindow(), nullptr);
  EXPECT_TRUE(calls.navigations.empty());
  EXPECT_EQ(calls.moves + calls.refreshes, 0);
}
