// The other browser's view under Wine, against navigator_peer: COM starts
// the stand-in as the browser's OLE document server, whose item window the
// view takes in; dde_peer plays the browser's DDE side. What the stand-in
// and the DDE peer log, the windows they are left with and what the view's
// owner hears are checked from outside the view.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BoxCloser.h"
#include "BrowserFakes.h"
#include "CNetscapeEcho.h"
#include "CNetscapeWWW.h"
#include "DdePeer.h"
#include "FakeAppUi.h"
#include "ModuleState.h"
#include "ZrMessageBox.h"

namespace {

using Log = std::vector<std::string>;

constexpr char kServerKey[] = "Software\\Classes\\CLSID\\{61D8DE20-CA9A-11CE-9EA5-0080C82BE3B6}";
// The stand-in's message that makes an item tell of a changed view.
constexpr UINT kChangeMessage = WM_APP + 77;
constexpr DWORD kWaitMs = 20000;

bool WaitUntil(const std::function<bool()>& condition) {
  const DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start > kWaitMs) return false;
    Pump();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

HWND ChildOfClass(HWND parent, const char* className) { return ::FindWindowExA(parent, nullptr, className, nullptr); }

// Ends dde_peer serving as the browser's DDE side.
bool EndBrowser(Peer& browser) {
  uint32_t control = 0;
  if (!CNetscapeWWW::Echo().Connect("NETSCAPE", "control", &control)) return false;
  CNetscapeWWW::Echo().Execute("quit", control);
  CNetscapeWWW::Echo().Disconnect(control);
  return browser.Finish();
}

// navigator_peer registered as the browser's server in this prefix for the
// suite's time; its log and the processes COM started from it.
class StandIn {
 public:
  StandIn()
      : m_log(TestFolder() + "navigator_peer_" + std::to_string(::GetCurrentProcessId()) + ".log"),
        m_refusal(m_log + ".refuse") {
    ::DeleteFileA(m_log.c_str());
  }
  ~StandIn() {
    EndAll();
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, kServerKey);
    ::DeleteFileA(m_log.c_str());
    Refuse(false);
  }
  bool Register() {
    const std::string command = "\"" + TestFolder() + "navigator_peer.exe\" --log \"" + m_log +
                                "\" --refuse-while \"" + m_refusal + "\"";
    const std::string key = std::string(kServerKey) + "\\LocalServer32";
    return ::RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, REG_SZ, command.c_str(),
                             static_cast<DWORD>(command.size() + 1)) == ERROR_SUCCESS;
  }
  Log Lines() const {
    Log lines;
    std::ifstream file(m_log);
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }
  size_t Count(const std::string& line) const {
    size_t count = 0;
    for (const std::string& logged : Lines()) count += logged == line ? 1 : 0;
    return count;
  }
  bool WaitFor(const std::string& line, size_t count = 1) {
    return WaitUntil([&] { return Count(line) >= count; });
  }
  // The processes started so far, newest last.
  std::vector<DWORD> Processes() const {
    std::vector<DWORD> processes;
    for (const std::string& line : Lines())
      if (line.rfind("started ", 0) == 0) processes.push_back(std::stoul(line.substr(8)));
    return processes;
  }
  // While set, the stand-in refuses to make items.
  void Refuse(bool refuse) {
    if (!refuse) {
      ::DeleteFileA(m_refusal.c_str());
      return;
    }
    const HANDLE file = ::CreateFileA(m_refusal.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  }
  void EndAll() {
    for (DWORD process : Processes()) {
      if (HANDLE handle = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process)) {
        ::TerminateProcess(handle, 9);
        ::WaitForSingleObject(handle, 5000);
        ::CloseHandle(handle);
      }
    }
  }

 private:
  std::string m_log;
  std::string m_refusal;
};

class ParentWnd : public CWnd {
 public:
  bool Create() {
    const char* className = RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return CreateEx(0, className, "page frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                    RECT{40, 40, 520, 420}, nullptr, 0);
  }
};

// One view in a top-level window, as the page frame holds it.
struct ViewInFrame {
  ParentWnd frame;
  CNetscapeWWW* view = nullptr;  // deletes itself with its window
  FakeOwner owner;
  FakeHost host;

  explicit ViewInFrame(const std::string& name, bool wantsUrlReports = false) {
    owner.wantsUrlReports = wantsUrlReports;
    if (!frame.Create()) return;
    view = new CNetscapeWWW;
    view->SetOwner(&owner);
    view->SetHost(&host);
    view->SetViewName(name);
    if (!view->Create(CWnd::RegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 400, 300}, &frame, 1)) {
      delete view;
      view = nullptr;
    }
  }
  ~ViewInFrame() {
    if (view) {
      view->CloseBrowser();
      view->DestroyWindow();
    }
    frame.DestroyWindow();
  }
  bool Attach() { return view && view->Attach(0, 0, 400, 300, frame.m_hWnd); }
};

// One stand-in process serves every test: a view kept attached for the
// suite keeps each test's views from being the last ones, whose closing
// ends the stand-in (under Wine, the same client cannot start it again).
// The test that ends it runs last.
class NetscapeView : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_library = ::LoadLibraryA(ZR_RES_PRODUCT_DLL);
    AfxSetResourceHandle(s_library);
    ::OleInitialize(nullptr);
    CNetscapeWWW::SetRetryWait(50);
    s_standIn = std::make_unique<StandIn>();
    s_registered = s_standIn->Register();
    s_keeper = std::make_unique<ViewInFrame>("ZRS", true);
    s_keeperAttached = s_registered && s_keeper->Attach();
  }
  static void TearDownTestSuite() {
    s_keeper.reset();
    s_standIn.reset();
    ::OleUninitialize();
    ::FreeLibrary(s_library);
  }
  void SetUp() override {
    ASSERT_NE(s_library, nullptr) << ZR_RES_PRODUCT_DLL;
    ASSERT_TRUE(s_registered) << "the stand-in's class is registered";
    ASSERT_TRUE(s_keeperAttached);
    m_boxes.SetResourceModule(s_library);
    SetAppUi(&m_ui);
  }
  void TearDown() override { SetAppUi(nullptr); }
  StandIn& Server() { return *s_standIn; }

  static HMODULE s_library;
  static std::unique_ptr<StandIn> s_standIn;
  static bool s_registered;
  static std::unique_ptr<ViewInFrame> s_keeper;
  static bool s_keeperAttached;
  CZrMessageBox m_boxes;
  FakeAppUi m_ui;
};

HMODULE NetscapeView::s_library = nullptr;
std::unique_ptr<StandIn> NetscapeView::s_standIn;
bool NetscapeView::s_registered = false;
std::unique_ptr<ViewInFrame> NetscapeView::s_keeper;
bool NetscapeView::s_keeperAttached = false;

TEST_F(NetscapeView, AnItemThatCannotBeMadeIsTriedFiveTimesThenTheUserIsTold) {
  Server().Refuse(true);
  ViewInFrame page("ZRS");
  ASSERT_NE(page.view, nullptr);
  BoxCloser box(::GetCurrentThreadId());
  EXPECT_FALSE(page.Attach());
  Server().Refuse(false);
  EXPECT_EQ(WithoutLineBreaks(box.Join()),
            "Lumora Zanthe Chat: Netscape found but could not be launched.Please try closing all Netscape windows and then launching "
            "Lumora Chat again.");
  EXPECT_EQ(Server().Count("refused"), 5u);
  EXPECT_EQ(page.view->GetItemWindow(), nullptr);
  EXPECT_EQ(page.view->GetEchoIndex(), -1);
  page.view->Stop();
  EXPECT_FALSE(page.view->Refresh()) << "no item, nothing to reload";
}

TEST_F(NetscapeView, AttachingTakesTheBrowsersWindowInAndItsBarsOut) {
  ViewInFrame page("ZRS");
  ASSERT_TRUE(page.Attach());
  const HWND item = page.view->GetItemWindow();
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(::GetParent(item), page.view->m_hWnd) << "the item window lives in the view";
  EXPECT_TRUE(::IsWindowVisible(item));
  RECT itemRect{};
  ::GetClientRect(item, &itemRect);
  EXPECT_EQ(itemRect.right, 400);
  EXPECT_EQ(itemRect.bottom, 300);
  EXPECT_GE(page.view->GetEchoIndex(), 0);
  ASSERT_NE(CNetscapeWWW::Echo().Record(page.view->GetEchoIndex()), nullptr);

  // Both bars sat at the item window's client origin: hidden, handed to the
  // frame, the later one shrunk to a pixel; the page stays.
  EXPECT_EQ(ClassOf(::GetWindow(item, GW_CHILD)), "Static");
  EXPECT_EQ(ChildOfClass(item, "ToolbarWindow32"), nullptr);
  EXPECT_EQ(ChildOfClass(item, "msctls_statusbar32"), nullptr);
  const HWND toolBar = ChildOfClass(page.frame.m_hWnd, "ToolbarWindow32");
  const HWND statusBar = ChildOfClass(page.frame.m_hWnd, "msctls_statusbar32");
  ASSERT_NE(toolBar, nullptr);
  ASSERT_NE(statusBar, nullptr);
  EXPECT_FALSE(::IsWindowVisible(toolBar));
  EXPECT_FALSE(::IsWindowVisible(statusBar));
  RECT statusRect{};
  ::GetWindowRect(statusBar, &statusRect);
  EXPECT_EQ(statusRect.right - statusRect.left, 1);
  EXPECT_EQ(statusRect.bottom - statusRect.top, 1);
  EXPECT_TRUE(::IsWindowVisible(page.view->m_hWnd)) << "the client's own windows are never moved";
  const HWND pageWindow = ::GetWindow(item, GW_CHILD);
  EXPECT_EQ(m_ui.RedrawEntries(pageWindow), 1) << "the page is repainted with the client's windows";

  page.view->MoveBrowser(RECT{10, 20, 310, 220});
  ::GetClientRect(item, &itemRect);
  EXPECT_EQ(itemRect.right, 300) << "the item follows the view";
  EXPECT_EQ(itemRect.bottom, 200);

  // The directory window wants the page addresses: the bars stay put.
  ViewInFrame directory("ZR", true);
  ASSERT_TRUE(directory.Attach());
  const HWND directoryItem = directory.view->GetItemWindow();
  ASSERT_NE(directoryItem, nullptr);
  EXPECT_NE(ChildOfClass(directoryItem, "ToolbarWindow32"), nullptr);
  EXPECT_NE(ChildOfClass(directoryItem, "msctls_statusbar32"), nullptr);
  // Its status bar asks for a horizontal scroll bar: the item leaves room.
  ::GetClientRect(directoryItem, &itemRect);
  EXPECT_EQ(itemRect.right, 400);
  EXPECT_EQ(itemRect.bottom, 300 - ::GetSystemMetrics(SM_CYHSCROLL));

  page.view->CloseBrowser();
  EXPECT_EQ(m_ui.RedrawEntries(pageWindow), 0);
}

TEST_F(NetscapeView, AnEmbeddedBrowserStaysAsItIsUntilReattached) {
  ViewInFrame page("ZRS");
  ASSERT_NE(page.view, nullptr);
  ASSERT_TRUE(page.view->Embed(0, 0, 400, 300, page.frame.m_hWnd));
  EXPECT_TRUE(page.view->IsEmbedded());
  const HWND item = page.view->GetItemWindow();
  ASSERT_NE(item, nullptr);
  EXPECT_NE(ChildOfClass(item, "ToolbarWindow32"), nullptr) << "embedding moves no bars";
  EXPECT_GE(page.view->GetEchoIndex(), 0);
  page.view->MoveBrowser(RECT{10, 20, 310, 220});
  RECT itemRect{};
  ::GetClientRect(item, &itemRect);
  EXPECT_EQ(itemRect.right, 400) << "an embedded browser is not moved";

  page.view->Reattach();
  EXPECT_FALSE(page.view->IsEmbedded());
  EXPECT_EQ(ChildOfClass(item, "ToolbarWindow32"), nullptr);
  EXPECT_NE(ChildOfClass(page.frame.m_hWnd, "ToolbarWindow32"), nullptr);
  page.view->MoveBrowser(RECT{10, 20, 310, 220});
  ::GetClientRect(item, &itemRect);
  EXPECT_EQ(itemRect.right, 300);
}

TEST_F(NetscapeView, StopAndReloadReachTheBrowsersWindow) {
  ViewInFrame page("ZRS");
  ASSERT_TRUE(page.Attach());
  page.view->Stop();
  EXPECT_TRUE(page.view->Refresh());
  EXPECT_TRUE(Server().WaitFor("command 32795"));
  EXPECT_TRUE(Server().WaitFor("command 32782"));
}

TEST_F(NetscapeView, PagesOpenThroughTheBrowserAndItsReportsReachTheOwner) {
  const std::string openItem = "http://x/,,0xFFFFFFFF,0x3,,,Zanthe";
  Peer browser("answer " + openItem + " 07000000 answer 0x7 " + Hex("\"http://x/y\",\"Nav - [Page Y]\"") +
               " serve NETSCAPE 20000");
  ASSERT_TRUE(browser.WaitFor("serving NETSCAPE"));
  ViewInFrame page("ZRS");
  ASSERT_TRUE(page.Attach());
  const int32_t index = page.view->GetEchoIndex();
  page.view->Navigate("http://x/", 0, "");
  EXPECT_EQ(CNetscapeWWW::Echo().Record(index)->windowId, 7u) << "the window the browser used";
  page.view->Navigate("ZR://Name=Hall Layout=Text", 0, "");
  EXPECT_EQ(page.host.log, Log{"open place Hall flag 0"}) << "a place link is taken, not opened";
  std::string url;
  page.view->GetCurrentUrl(url);
  EXPECT_EQ(url, "http://x/");
  page.owner.log.clear();

  // The browser echoes a new page of its window 7, then the load ends.
  Peer echo("connect Zanthe WWW_URLEcho poke e " + Hex("http://x/y,text/html,7") + " waitdata 500 disconnect");
  ASSERT_TRUE(echo.Finish());
  ASSERT_TRUE(WaitUntil([&] { return page.owner.log.size() >= 5; }));
  EXPECT_EQ(page.owner.log, (Log{"download begin", "location http://x/y Page Y 0", "navigated http://x/y ",
                                 "location http://x/y  0", "location  Page Y 0"}));
  EXPECT_EQ(page.view->GetHistory().GetEntries(), Log{"http://x/y"});

  page.owner.log.clear();
  ::PostMessageA(page.view->GetItemWindow(), kChangeMessage, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return page.owner.log.size() >= 2; }));
  EXPECT_EQ(page.owner.log, (Log{"location http://x/y Page Y 1", "download complete 0"}));

  ASSERT_TRUE(EndBrowser(browser));
  Log requests;
  for (const std::string& line : browser.Lines())
    if (line.rfind("requested http", 0) == 0 || line.rfind("requested 0x", 0) == 0) requests.push_back(line);
  EXPECT_EQ(requests, (Log{"requested " + openItem, "requested 0x7"}));
}

// Protocol URLs followed inside the browser go to the view of their scheme.
TEST_F(NetscapeView, TheDirectoryWindowGetsThePageAddressAndItsProtocolUrls) {
  Peer browser("answer http://d/,,0xFFFFFFFF,0x3,,,Zanthe 09000000 answer 0x9 " +
               Hex("\"http://d/\",\"Directory\"") + " serve NETSCAPE 20000");
  ASSERT_TRUE(browser.WaitFor("serving NETSCAPE"));
  ViewInFrame directory("ZR", true);
  Log reported;
  directory.view->SetUrlReport([&](const std::string& url) { reported.push_back(url); });
  ASSERT_TRUE(directory.Attach());
  directory.view->Navigate("http://d/", 0, "");
  Peer echo("connect Zanthe WWW_URLEcho poke e " + Hex("http://d/a,text/html,9") + " waitdata 500 disconnect");
  ASSERT_TRUE(echo.Finish());
  ASSERT_TRUE(WaitUntil([&] { return directory.owner.log.size() >= 3; }));
  EXPECT_EQ(directory.owner.log,
            (Log{"location http://d/ Directory 0", "navigated http://d/ ", "location http://d/  0"}));
  EXPECT_EQ(reported, Log{"http://d/"});

  Peer link("connect Zanthe WWW_OpenURL request ZRM://Name=Other,,-1 request ZR://Name=Hall,,-1 disconnect");
  ASSERT_TRUE(link.Finish());
  ASSERT_TRUE(WaitUntil([&] { return !directory.host.log.empty(); }));
  Pump();
  EXPECT_EQ(directory.host.log, Log{"open place Hall flag 0"}) << "no view answers for ZRM";
  EXPECT_TRUE(EndBrowser(browser));
}

TEST_F(NetscapeView, ClosingTheLastViewEndsTheBrowser) {
  ViewInFrame page("ZRS");
  ASSERT_TRUE(page.Attach());
  const DWORD process = Server().Processes().back();
  DWORD itemProcess = 0;
  ::GetWindowThreadProcessId(page.view->GetItemWindow(), &itemProcess);
  ASSERT_EQ(itemProcess, process) << "one browser serves every view";
  const HANDLE handle = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, process);
  ASSERT_NE(handle, nullptr);

  const size_t closed = Server().Count("item closed");
  page.view->CloseBrowser();
  EXPECT_TRUE(Server().WaitFor("item closed", closed + 1));
  EXPECT_EQ(::WaitForSingleObject(handle, 300), static_cast<DWORD>(WAIT_TIMEOUT)) << "another view still shows it";
  EXPECT_EQ(page.view->GetItemWindow(), nullptr);
  EXPECT_EQ(page.view->GetEchoIndex(), -1);
  page.view->CloseBrowser();
  EXPECT_EQ(::WaitForSingleObject(handle, 300), static_cast<DWORD>(WAIT_TIMEOUT)) << "a closed view closes nothing";

  s_keeper->view->CloseBrowser();
  ASSERT_EQ(::WaitForSingleObject(handle, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
  DWORD exitCode = 1;
  ::GetExitCodeProcess(handle, &exitCode);
  EXPECT_EQ(exitCode, 0u) << "ended by the client, not by the test";
  ::CloseHandle(handle);
}

}  // namespace
