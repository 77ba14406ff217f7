// ZrDirectory.exe with the system's WebBrowser control, driven by a test
// client window of class "ZRFrame" in this process: start, the reports and
// questions of the link, refusing to start, and ending with the client.
#include <gtest/gtest.h>

#include <string>

#include "CStartArguments.h"
#include "DirectoryCodes.h"
#include "TestClientWindow.h"

using namespace zr::directory;

namespace {

constexpr DWORD kWaitMs = 60000;

std::string ProgramDir() {
  std::string dir = ZR_DIRECTORY_DIR;
  for (char& c : dir) {
    if (c == '/') {
      c = '\\';
    }
  }
  return dir;
}

// Starts the program directly; the process handle, or null.
HANDLE StartDirectly(const std::string& arguments) {
  std::string line = "\"" + ProgramDir() + "\\ZrDirectory.exe\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return nullptr;
  }
  ::CloseHandle(process.hThread);
  return process.hProcess;
}

bool WaitForExit(HANDLE process) {
  return TestClientWindow::PumpUntil(
      [&] { return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, kWaitMs, process);
}

HANDLE BrowserProcess() {
  HWND browser = ::FindWindowA(kBrowserWindowClass, nullptr);
  DWORD id = 0;
  ::GetWindowThreadProcessId(browser, &id);
  return id ? ::OpenProcess(SYNCHRONIZE, FALSE, id) : nullptr;
}

// Sends 1542 and returns the address of the 1552 report that answers it.
std::string ReportedAddress(TestClientWindow& client) {
  size_t from = client.received.size();
  client.Command(kDirectoryMode);
  std::optional<TestClientWindow::Received> report = client.WaitFor(kInDirectoryMode, from, kWaitMs);
  return report ? report->second : "(no report)";
}

}  // namespace

TEST(DirectoryProcess, WithoutAClientWindowTheProgramEndsAtOnce) {
  ASSERT_EQ(::FindWindowA(kClientWindowClass, nullptr), nullptr);
  HANDLE process = StartDirectly("Directory none.dll 0 0 0 560 450");
  ASSERT_NE(process, nullptr);
  EXPECT_TRUE(WaitForExit(process));
  EXPECT_EQ(::FindWindowA(kBrowserWindowClass, nullptr), nullptr);
  ::CloseHandle(process);
}

TEST(DirectoryProcess, SessionWithTheClient) {
  TestClientWindow client;
  ASSERT_TRUE(client.Open(CStartArguments::kMemberDirectory, "Member_Directory", ProgramDir(),
                          "Z:\\no\\such\\ZrRes.dll"));
  std::optional<TestClientWindow::Received> started = client.WaitFor(kInDirectoryMode, 0, kWaitMs);
  ASSERT_TRUE(started.has_value());
  EXPECT_EQ(started->second, "");
  HWND browser = ::FindWindowA(kBrowserWindowClass, nullptr);
  ASSERT_NE(browser, nullptr);
  HANDLE process = BrowserProcess();
  ASSERT_NE(process, nullptr);

  char title[128] = {};
  ::GetWindowTextA(browser, title, sizeof title);
  EXPECT_STREQ(title, "Member Directory");
  EXPECT_EQ(::GetWindow(browser, GW_OWNER), client.Window());
  RECT rect{};
  ::GetWindowRect(browser, &rect);
  RECT expected = client.BrowserPlacement(CStartArguments::kMemberDirectory);
  EXPECT_EQ(rect.left, expected.left);
  EXPECT_EQ(rect.right - rect.left, 560);
  EXPECT_EQ(rect.bottom - rect.top, 450);

  // The client answered the empty report with its page and a counter; that
  // first navigation went without a question. Asked for the page again, the
  // browser reports it; the client loads the page with the next counter,
  // and that navigation is asked and let go.
  const std::string first = "http://127.0.0.1:9/members?ref=0";
  const std::string second = "http://127.0.0.1:9/members?ref=1";
  EXPECT_EQ(ReportedAddress(client), first);
  std::optional<TestClientWindow::Received> question = client.WaitFor(kAskNavigation, 0, kWaitMs);
  ASSERT_TRUE(question.has_value());
  EXPECT_EQ(question->second, second);
  client.autoReply = false;
  EXPECT_EQ(ReportedAddress(client), second);

  // A place link: the client answers 1546, takes the link and hides the
  // browser; the browser stays on its page.
  const std::string link = "http://127.0.0.1:9/room?ZRURL=1";
  client.autoReply = true;
  size_t from = client.received.size();
  client.Command(kNavigate, link);
  question = client.WaitFor(kAskNavigation, from, kWaitMs);
  ASSERT_TRUE(question.has_value());
  EXPECT_EQ(question->second, link);
  client.autoReply = false;
  EXPECT_EQ(ReportedAddress(client), second);
  EXPECT_EQ(client.actions, std::vector<std::string>{"open " + link});
  EXPECT_FALSE(::IsWindowVisible(browser));

  // Title and placement commands reach the running browser.
  client.Command(kSetTitle, "Event_Management");
  client.Command(kMoveWindow, "20 30 700 500");
  EXPECT_EQ(ReportedAddress(client), second);
  ::GetWindowTextA(browser, title, sizeof title);
  EXPECT_STREQ(title, "Event Management");
  ::GetWindowRect(browser, &rect);
  EXPECT_EQ(rect.left, 20);
  EXPECT_EQ(rect.right - rect.left, 700);

  // A second browser refuses to start beside this one.
  HANDLE another = StartDirectly("Directory none.dll 0 0 0 560 450");
  ASSERT_NE(another, nullptr);
  EXPECT_TRUE(WaitForExit(another));
  ::CloseHandle(another);
  EXPECT_EQ(::FindWindowA(kBrowserWindowClass, nullptr), browser);

  // Without the client's window the browser ends by itself.
  client.Destroy();
  EXPECT_TRUE(WaitForExit(process));
  ::CloseHandle(process);
  EXPECT_EQ(::FindWindowA(kBrowserWindowClass, nullptr), nullptr);
}

#ifdef ZR_RES_PRODUCT_DLL
// With the client's resource library the frame takes its texts and icon from
// it, but shows no menu.
TEST(DirectoryProcess, WithTheResourceLibraryThereIsNoMenuAndCloseEndsTheBrowser) {
  TestClientWindow client;
  client.autoReply = false;
  ASSERT_TRUE(client.Open(CStartArguments::kEventManagement, "Event_Management", ProgramDir(),
                          ZR_RES_PRODUCT_DLL));
  ASSERT_TRUE(client.WaitFor(kInEventMode, 0, kWaitMs).has_value());
  HWND browser = ::FindWindowA(kBrowserWindowClass, nullptr);
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(::GetMenu(browser), nullptr);
  RECT rect{};
  ::GetWindowRect(browser, &rect);
  EXPECT_EQ(rect.right - rect.left, 720);
  EXPECT_EQ(rect.bottom - rect.top, 600);
  HANDLE process = BrowserProcess();
  ASSERT_NE(process, nullptr);
  client.HideAndClose();
  EXPECT_TRUE(WaitForExit(process));
  ::CloseHandle(process);
}
#endif
