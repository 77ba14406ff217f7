// The page frame of the main window under Wine, with the embedded browser's
// view over a scripted control: pages the user goes to are followed once,
// the page's address and title reach the main window, loading is shown, the
// history opens its pages through the location bar, and the bar's list and
// label keep their rules.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BrowserFakes.h"
#include "CIEBrowser.h"
#include "CLocationBar.h"
#include "CSpyWnd.h"
#include "IPageFrameHost.h"
#include "ModuleState.h"
#include "ScriptedWebControl.h"

namespace {

using Log = std::vector<std::string>;

// The application as the page frame sees it: it makes the embedded view on
// a scripted control and records what the frame asks of it. An opened page
// goes to the frame, as the root place sends it there.
class RecordingHost : public IPageFrameHost {
 public:
  Log log;
  CSpyWnd* frame = nullptr;
  ScriptedWebControl* control = nullptr;
  ScriptedWebControl::Calls calls;
  FakeHost services;

  CBrowser* OpenBrowserView(CWnd& parent, IBrowserOwner& owner) override {
    auto* view = new CIEBrowser;
    view->SetOwner(&owner);
    view->SetHost(&services);
    view->SetControlFactory([this] {
      auto made = std::make_unique<ScriptedWebControl>(calls, false, "");
      control = made.get();
      return made;
    });
    RECT client{};
    parent.GetClientRect(&client);
    if (!view->Create(CWnd::RegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, client, &parent, 1)) {
      delete view;
      return nullptr;
    }
    view->Attach(client.left, client.top, client.right, client.bottom, parent.m_hWnd);
    return view;
  }
  void FollowPage(const std::string& url) override { log.push_back("follow " + url); }
  void OpenPage(const std::string& url) override {
    log.push_back("open " + url);
    frame->Navigate(url, false);
  }
  void SetStatusText(const std::string& text) override { log.push_back("status " + text); }
  void SetLoading(bool loading) override { log.push_back(loading ? "loading" : "loaded"); }
  void SetPageTitle(const std::string& title) override { log.push_back("title " + title); }
  void ReportPage(const std::string& url, const std::string& title) override {
    log.push_back("report " + url + " | " + title);
  }
  int GetIndicatorHeight() override { return indicatorHeight; }
  int GetIndicatorWidth() override { return 0; }
  void RegisterIdleWindow(HWND window) override { idleWindows.push_back(window); }
  void UnregisterIdleWindow(HWND window) override {
    idleWindows.erase(std::remove(idleWindows.begin(), idleWindows.end(), window), idleWindows.end());
  }
  bool DrawBackground(HDC, const RECT&) override {
    ++backgroundsDrawn;
    return true;
  }

  std::vector<HWND> idleWindows;
  int backgroundsDrawn = 0;
  int indicatorHeight = 0;
};

class MainWnd : public CWnd {
 public:
  bool Create() {
    const char* className = RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return CreateEx(0, className, "main", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                    RECT{20, 20, 620, 470}, nullptr, 0);
  }
};

class PageFrame : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_library = LoadLibraryA(ZR_RES_PRODUCT_DLL);
    AfxSetResourceHandle(s_library);
  }
  static void TearDownTestSuite() { FreeLibrary(s_library); }

  void SetUp() override {
    ASSERT_NE(s_library, nullptr) << ZR_RES_PRODUCT_DLL;
    ASSERT_TRUE(m_main.Create());
    m_frame = static_cast<CSpyWnd*>(RUNTIME_CLASS(CSpyWnd)->CreateObject());
    ASSERT_TRUE(m_frame->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 600, 400}, &m_main, 1));
    m_host.frame = m_frame;
    m_frame->Activate(m_host);
    ASSERT_NE(m_frame->GetView(), nullptr);
    ASSERT_NE(m_frame->GetLocationBar(), nullptr);
    m_host.log.clear();
  }
  void TearDown() override { m_main.DestroyWindow(); }

  CLocationBar& Bar() { return *m_frame->GetLocationBar(); }
  HWND Combo() { return GetDlgItem(Bar().m_hWnd, CLocationBar::kAddressId); }
  int ListCount() { return static_cast<int>(SendMessageA(Combo(), CB_GETCOUNT, 0, 0)); }
  // The user types an address and presses Go To.
  void TypeAndGo(const std::string& address) {
    SetWindowTextA(Combo(), address.c_str());
    SendMessageA(Bar().m_hWnd, WM_COMMAND, MAKEWPARAM(CLocationBar::kGoToId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(Bar().m_hWnd, CLocationBar::kGoToId)));
  }

  static HMODULE s_library;
  MainWnd m_main;
  CSpyWnd* m_frame = nullptr;  // a child frame that deletes itself
  RecordingHost m_host;
};

HMODULE PageFrame::s_library = nullptr;

TEST_F(PageFrame, AnAddressTypedIsOpenedLoadedFollowedAndListed) {
  TypeAndGo("  http://a.test/hall  ");
  EXPECT_EQ(m_host.log, (Log{"open http://a.test/hall", "loading", "follow http://a.test/hall",
                             "title http://a.test/hall", "status Done.", "loaded"}));
  EXPECT_EQ(m_host.calls.navigations, Log{"http://a.test/hall|nocache"});
  EXPECT_EQ(Bar().GetAddress(), "http://a.test/hall");
  EXPECT_EQ(ListCount(), 1);
  std::string url, title;
  m_frame->GetUrls(url, title);
  EXPECT_EQ(url, "http://a.test/hall");

  m_host.log.clear();
  m_frame->Navigate("http://a.test/hall/", true);
  EXPECT_EQ(m_host.log, (Log{"loading", "title http://a.test/hall/", "status Done.", "loaded"}))
      << "a page followed already (the trailing / aside) is not followed again";
  EXPECT_EQ(ListCount(), 1) << "only the user's own choices join the list";
}

TEST_F(PageFrame, TheListKeepsEachAddressOnceAtTheTop) {
  TypeAndGo("http://a.test/");
  TypeAndGo("http://b.test");
  TypeAndGo("http://a.test/");
  EXPECT_EQ(ListCount(), 2);
  Bar().SetLocation("http://b.test/");
  EXPECT_TRUE(Bar().IsInList()) << "a trailing / makes no other address";
  char first[64] = {};
  SendMessageA(Combo(), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
  EXPECT_STREQ(first, "http://b.test");

  m_host.log.clear();
  TypeAndGo("   ");
  EXPECT_TRUE(m_host.log.empty()) << "an empty address does nothing";
}

TEST_F(PageFrame, TypingShowsGoToUntilTheNextAddressIsShown) {
  const std::string location = AfxLoadString(CLocationBar::kLocationText) + ":";
  EXPECT_EQ(Bar().GetLabel(), location);
  SendMessageA(Bar().m_hWnd, WM_COMMAND, MAKEWPARAM(CLocationBar::kAddressId, CBN_EDITCHANGE),
               reinterpret_cast<LPARAM>(Combo()));
  EXPECT_EQ(Bar().GetLabel(), AfxLoadString(CLocationBar::kGoToText));
  Bar().SetLocation("http://a.test/");
  EXPECT_EQ(Bar().GetLabel(), location);
}

TEST_F(PageFrame, TheHistoryOpensItsPagesThroughTheBar) {
  TypeAndGo("http://a.test/");
  TypeAndGo("http://b.test/");
  ASSERT_TRUE(m_frame->CanGoBack());
  m_host.log.clear();
  m_frame->GoBack();
  EXPECT_EQ(m_host.log.front(), "open http://a.test/");
  EXPECT_NE(std::find(m_host.log.begin(), m_host.log.end(), "follow http://a.test/"), m_host.log.end());
  EXPECT_EQ(Bar().GetAddress(), "http://a.test/");
  EXPECT_FALSE(m_frame->CanGoBack());
  EXPECT_TRUE(m_frame->CanGoForward());
  m_frame->GoForward();
  EXPECT_EQ(Bar().GetAddress(), "http://b.test/");
  EXPECT_FALSE(m_frame->CanGoForward());
}

TEST_F(PageFrame, AFinalLocationGivesThePagesTitleAndTellsTheServerOnce) {
  TypeAndGo("http://a.test/");
  m_host.log.clear();
  m_host.control->SetTitle("Hall A");
  m_host.control->Events().OnTitleChange("Hall A");
  m_host.control->Events().OnDownloadComplete();
  EXPECT_EQ(m_host.log, (Log{"title Hall A", "status Done.", "loaded", "report http://a.test | Hall A"}));
  m_host.log.clear();
  m_host.control->Events().OnDownloadComplete();
  EXPECT_EQ(m_host.log, (Log{"status Done.", "loaded"})) << "a page is reported once";
  std::string url, title;
  m_frame->GetUrls(url, title);
  EXPECT_EQ(url, "http://a.test") << "the page address loses its trailing /";
  EXPECT_EQ(title, "Hall A");
}

TEST_F(PageFrame, ATitleFromThePlaceReachesTheMainWindowWithThePagesNextReport) {
  m_frame->SetTitle("Club");
  EXPECT_TRUE(m_host.log.empty()) << "the main window keeps its title for now";
  std::string url, title;
  m_frame->GetUrls(url, title);
  EXPECT_EQ(title, "Club");
  m_host.control->Events().OnTitleChange("Club");
  EXPECT_TRUE(m_host.log.empty()) << "the same title is not shown again";
  m_host.control->Events().OnTitleChange("Hall");
  EXPECT_EQ(m_host.log, Log{"title Hall"});
}

TEST_F(PageFrame, APlaceLinkIsTakenWithoutLoadingOrFollowing) {
  ASSERT_FALSE(m_host.control->Click("ZR://Name=Hall"));
  EXPECT_EQ(m_host.services.log, Log{"open place Hall flag 0"});
  EXPECT_TRUE(m_host.log.empty());
  TypeAndGo("ZR://Name=Hall");
  EXPECT_EQ(m_host.log, Log{"open ZR://Name=Hall"});
  EXPECT_TRUE(m_host.calls.navigations.empty());
}

TEST_F(PageFrame, TheBarIsRepaintedOnPaletteChangesWithTheBackgroundUntilItEnds) {
  const HWND bar = Bar().m_hWnd;
  EXPECT_EQ(m_host.idleWindows, std::vector<HWND>{bar});
  m_host.backgroundsDrawn = 0;
  RedrawWindow(bar, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ERASENOW);
  EXPECT_GT(m_host.backgroundsDrawn, 0);
  m_main.DestroyWindow();
  EXPECT_TRUE(m_host.idleWindows.empty());
}

SIZE ClientSize(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return SIZE{rect.right, rect.bottom};
}

TEST_F(PageFrame, ThePageAreaLeavesRoomForTheBarsTheIndicatorAndTheScrollBars) {
  const int vertical = GetSystemMetrics(SM_CXVSCROLL);
  const int horizontal = GetSystemMetrics(SM_CYHSCROLL);
  struct {
    int indicator, width, height;
  } const cases[] = {{0, 600, 400}, {30, 600, 400}, {30, 300, 90}};
  for (const auto& c : cases) {
    m_host.indicatorHeight = c.indicator;
    m_frame->SetWindowPos(nullptr, 0, 0, c.width, c.height, SWP_NOZORDER | SWP_NOACTIVATE);
    m_frame->Layout();
    const SIZE client = ClientSize(m_frame->m_hWnd);
    const CSpyWnd::PageArea& area = m_frame->GetPageArea();
    EXPECT_EQ(area.width, client.cx - vertical) << c.indicator << " " << c.height;
    EXPECT_EQ(area.height, std::max(0L, client.cy - c.indicator - horizontal - 65)) << c.indicator << " " << c.height;
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, c.indicator + 65);
  }
}

TEST_F(PageFrame, AnAttachedWindowFillsTheFrameStandsInForThePageAndIsGivenBack) {
  const HWND other = CreateWindowExA(0, "STATIC", "game", WS_CHILD, 0, 0, 10, 10, m_main.m_hWnd, nullptr,
                                     nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  const HWND view = m_frame->GetView()->m_hWnd;
  m_frame->AttachChild(other, true);
  EXPECT_EQ(GetParent(other), m_frame->m_hWnd);
  m_frame->SetWindowPos(nullptr, 0, 0, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(ClientSize(other).cx, ClientSize(m_frame->m_hWnd).cx) << "it follows the frame's size";
  EXPECT_EQ(ClientSize(other).cy, ClientSize(m_frame->m_hWnd).cy);

  m_frame->ShowChild(other, true);
  EXPECT_TRUE(IsWindowVisible(other));
  EXPECT_FALSE(IsWindowVisible(view));
  m_frame->ShowChild(other, false);
  EXPECT_FALSE(IsWindowVisible(other));
  EXPECT_TRUE(IsWindowVisible(view));

  m_frame->AttachChild(nullptr, false);
  EXPECT_EQ(GetParent(other), m_main.m_hWnd);
  m_frame->SetWindowPos(nullptr, 0, 0, 400, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(ClientSize(other).cx, 500) << "a window given back no longer follows the frame";
}

TEST_F(PageFrame, StopEndsLoading) {
  m_host.control->Events().OnDownloadBegin();
  m_frame->Stop();
  EXPECT_EQ(m_host.log, (Log{"loading", "loaded"}));
  EXPECT_EQ(m_host.calls.stops, 1);
}

}  // namespace
