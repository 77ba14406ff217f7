// The browser's frame in this process, beside a test client window, with a
// scripted web control: start arguments, the commands of the link, the
// navigation questions and closing.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CCopyDataLink.h"
#include "CMainFrame.h"
#include "DirectoryCodes.h"
#include "FrameworkIds.h"
#include "ScriptedWebControl.h"
#include "TestClientWindow.h"

using namespace zr::directory;

namespace {

class MainFrameTest : public ::testing::Test {
 protected:
  // Opens the frame; the client records but does not answer until a test
  // turns its answers on.
  void Open(const std::string& arguments) {
    client.autoReply = false;
    frame = new CMainFrame(arguments, [this] {
      auto made = std::make_unique<ScriptedWebControl>(calls);
      control = made.get();
      return made;
    });
    ASSERT_TRUE(frame->LoadFrame(CMainFrame::kFrameResource, CMainFrame::kFrameStyle));
    window = frame->m_hWnd;
    TestClientWindow::Drain();
  }
  void TearDown() override {
    if (::IsWindow(window)) {
      ::DestroyWindow(window);
    }
    TestClientWindow::Drain();
  }
  // Sends a command as the client does and lets the frame carry it out.
  void Send(uint32_t code, const std::string& text = std::string()) {
    client.Command(code, text);
    TestClientWindow::Drain();
  }
  RECT WindowRect() const {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
  }
  std::string Title() const {
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
  }

  TestClientWindow client;
  ScriptedWebControl::Calls calls;
  CMainFrame* frame = nullptr;
  ScriptedWebControl* control = nullptr;
  HWND window = nullptr;
};

}  // namespace

TEST_F(MainFrameTest, StartsOwnedByTheClientWithItsArgumentsAndReportsItsMode) {
  struct Case {
    const char* arguments;
    const char* title;
    bool directory;
    uint64_t report;
    bool placed;
  };
  const Case cases[] = {
      {"Event_Management lib.dll 1 30 40 720 600", "Event Management", false, kInEventMode, true},
      {"Directory lib.dll 0 30 40 560 450", "Directory", true, kInDirectoryMode, true},
      {"", "Directory", true, kInDirectoryMode, false},
  };
  for (const Case& c : cases) {
    client.received.clear();
    Open(c.arguments);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "ZRDirectory");
    EXPECT_EQ(::GetWindow(window, GW_OWNER), client.Window());
    EXPECT_TRUE(::GetWindowLongPtrA(window, GWL_STYLE) & WS_CLIPSIBLINGS);
    EXPECT_EQ(::GetMenu(window), nullptr);
    EXPECT_NE(::GetDlgItem(window, AFX_IDW_STATUS_BAR), nullptr);
    HWND control = ::GetDlgItem(window, 101);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(Title(), c.title) << c.arguments;
    EXPECT_EQ(frame->IsDirectoryMode(), c.directory) << c.arguments;
    ASSERT_EQ(client.received.size(), 1u) << c.arguments;
    EXPECT_EQ(client.received[0], TestClientWindow::Received(c.report, ""));
    if (c.placed) {
      RECT rect = WindowRect();
      EXPECT_EQ(rect.left, 30);
      EXPECT_EQ(rect.top, 40);
    }
    // The control fills the client area above the status bar.
    RECT area{};
    RECT controlRect{};
    RECT status{};
    ::GetClientRect(window, &area);
    ::GetWindowRect(control, &controlRect);
    ::GetWindowRect(::GetDlgItem(window, AFX_IDW_STATUS_BAR), &status);
    EXPECT_EQ(controlRect.right - controlRect.left, area.right);
    EXPECT_EQ(controlRect.bottom, status.top);
    ::DestroyWindow(window);
    TestClientWindow::Drain();
  }
}

TEST_F(MainFrameTest, WindowCommands) {
  Open("Directory lib.dll 0 10 10 560 450");
  frame->ShowWindow(SW_SHOW);
  Send(kSetTitle, "My_Own__Title");
  EXPECT_EQ(Title(), "My Own  Title");
  Send(kMoveWindow, "50 60 400 300");
  RECT rect = WindowRect();
  EXPECT_EQ(rect.left, 50);
  EXPECT_EQ(rect.top, 60);
  EXPECT_EQ(rect.right - rect.left, 400);
  EXPECT_EQ(rect.bottom - rect.top, 300);
  Send(kMoveWindow, "1 2 3");
  Send(kMoveWindow, "");
  rect = WindowRect();
  EXPECT_EQ(rect.left, 50);
  EXPECT_EQ(rect.right - rect.left, 400);

  Send(kHide);
  EXPECT_FALSE(::IsWindowVisible(window));
  Send(kRestore);
  EXPECT_TRUE(::IsWindowVisible(window));
  Send(kShowMinimized);
  EXPECT_TRUE(::IsIconic(window));
  Send(kShowMaximized);
  EXPECT_TRUE(::IsZoomed(window));
  Send(kHideAndShowClient);
  EXPECT_FALSE(::IsWindowVisible(window));
  EXPECT_TRUE(::IsWindowVisible(client.Window()));
  Send(9999, "unknown");
  EXPECT_TRUE(::IsWindow(window));
}

TEST_F(MainFrameTest, FirstNavigationGoesUnaskedAndLaterOnesAreAsked) {
  Open("Directory lib.dll 0 10 10 560 450");
  client.received.clear();
  Send(kNavigate, "http://host/first");
  EXPECT_TRUE(client.received.empty());
  client.autoReply = true;
  EXPECT_EQ(calls.navigations, std::vector<std::string>{"http://host/first|nocache"});

  // The client answers the report with its directory page, which is asked
  // about and let go.
  Send(kDirectoryMode);
  EXPECT_EQ(client.received,
            (std::vector<TestClientWindow::Received>{
                {kInDirectoryMode, "http://host/first"},
                {kAskNavigation, "http://127.0.0.1:9/members?ref=0"}}));
  EXPECT_EQ(frame->Host()->GetLocationURL(), "http://127.0.0.1:9/members?ref=0");

  client.received.clear();
  Send(kNavigate, "http://host/second");
  ASSERT_FALSE(client.received.empty());
  EXPECT_EQ(client.received[0], TestClientWindow::Received(kAskNavigation, "http://host/second"));
  Send(kEventMode);
  EXPECT_TRUE(frame->IsEventMode());
  ASSERT_TRUE(client.WaitFor(kInEventMode, 0, 0));
  EXPECT_EQ(client.WaitFor(kInEventMode, 0, 0)->second, "http://host/second");
}

TEST_F(MainFrameTest, PlaceLinkAnsweredStayIsNotFollowedAndHidesTheBrowser) {
  Open("Directory lib.dll 0 10 10 560 450");
  frame->ShowWindow(SW_SHOW);
  Send(kNavigate, "http://host/first");
  client.received.clear();
  client.autoReply = true;
  const std::string link = "http://host/room?ZRURL=1&Community=127.0.0.1";
  Send(kNavigate, link);
  EXPECT_EQ(client.received, (std::vector<TestClientWindow::Received>{{kAskNavigation, link}}));
  EXPECT_EQ(client.actions, std::vector<std::string>{"open " + link});
  EXPECT_EQ(frame->Host()->GetLocationURL(), "http://host/first");
  EXPECT_FALSE(::IsWindowVisible(window));
}

TEST_F(MainFrameTest, RefreshAndSameAddress) {
  Open("Directory lib.dll 0 10 10 560 450");
  Send(kNavigate, "http://host/a");
  Send(kRefresh);
  Send(kNavigate, "http://host/a");
  EXPECT_EQ(calls.refreshes, 2);
  EXPECT_EQ(calls.navigations.size(), 1u);
}

TEST_F(MainFrameTest, StatusTextGoesToTheStatusBar) {
  Open("Directory lib.dll 0 10 10 560 450");
  ASSERT_NE(control, nullptr);
  control->Events().OnStatusTextChange("zr://Community=c&place=http:/host/room");
  EXPECT_EQ(frame->StatusPaneText(), "http://host/room");
  control->Events().OnStatusTextChange("Done");
  EXPECT_EQ(frame->StatusPaneText(), "Done");
}

TEST_F(MainFrameTest, CloseCommandEndsTheFrame) {
  Open("Directory lib.dll 0 10 10 560 450");
  Send(kClose);
  EXPECT_FALSE(::IsWindow(window));
}

TEST_F(MainFrameTest, CommandWithoutTheClientWindowCloses) {
  client.Destroy();
  Open("Directory lib.dll 0 10 10 560 450");
  EXPECT_EQ(::GetWindow(window, GW_OWNER), nullptr);
  ASSERT_TRUE(CCopyDataLink::Send(nullptr, kBrowserWindowClass, kSetTitle, "Changed"));
  TestClientWindow::Drain();
  EXPECT_FALSE(::IsWindow(window));
}

TEST_F(MainFrameTest, CloseDuringAQuestionEndsItAsCancelledAndThenCloses) {
  Open("Directory lib.dll 0 10 10 560 450");
  Send(kNavigate, "http://host/first");
  client.autoReply = false;
  client.onReceived = [this](const TestClientWindow::Received& command) {
    if (command.first == kAskNavigation) {
      client.Command(kClose);
    }
  };
  Send(kNavigate, "http://host/second");
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(calls.navigations.size(), 2u);
}
