// The client's own directory window under Wine, with the embedded browser's
// view over a scripted control: its modes, the community's known pages
// becoming the current page, the sink that ends the window when a place link
// is taken, the close that only hides, and a view that cannot attach.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "BoxCloser.h"
#include "BrowserFakes.h"
#include "CBrowserWnd.h"
#include "CIEBrowser.h"
#include "IBrowserWndHost.h"
#include "ModuleState.h"
#include "ScriptedWebControl.h"
#include "ZrMessageBox.h"

namespace {

using Log = std::vector<std::string>;

class RecordingWndHost : public IBrowserWndHost {
 public:
  Log log;
  bool failControl = false;
  ScriptedWebControl* control = nullptr;
  ScriptedWebControl::Calls calls;
  FakeHost services;

  CBrowser* CreateView(CWnd& parent) override {
    auto* view = new CIEBrowser;
    view->SetHost(&services);
    view->SetControlFactory([this] {
      auto made = std::make_unique<ScriptedWebControl>(calls, failControl, "");
      control = made.get();
      return made;
    });
    if (!view->Create(CWnd::RegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, &parent, 1)) {
      delete view;
      return nullptr;
    }
    return view;
  }
  std::vector<std::string> GetKnownPageUrls() override {
    return {"http://h.test/events", "http://h.test:80/dir/", "http://h.test/events2"};
  }
  void SetCurrentPageUrl(const std::string& url) override { log.push_back("current " + url); }
  void CloseBrowser() override { log.push_back("close"); }
  std::string GetBlankUrl() override { return "file:///C:/zanthe/blank.htm"; }
  void ReturnToMainWindow() override { log.push_back("main"); }
};

class DirectoryWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_library = LoadLibraryA(ZR_RES_PRODUCT_DLL);
    AfxSetResourceHandle(s_library);
  }
  static void TearDownTestSuite() { FreeLibrary(s_library); }

  void SetUp() override {
    ASSERT_NE(s_library, nullptr) << ZR_RES_PRODUCT_DLL;
    m_boxes.SetResourceModule(s_library);
  }
  void TearDown() override {
    if (m_window && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
  }
  bool Open(int32_t mode) {
    m_window = new CBrowserWnd(m_host);
    if (!m_window->Create(nullptr, mode, true)) {
      m_window = nullptr;
      return false;
    }
    m_hwnd = m_window->m_hWnd;
    return true;
  }

  static HMODULE s_library;
  CZrMessageBox m_boxes;
  RecordingWndHost m_host;
  CBrowserWnd* m_window = nullptr;  // deletes itself with its window
  HWND m_hwnd = nullptr;
};

HMODULE DirectoryWindow::s_library = nullptr;

TEST_F(DirectoryWindow, OpensShownAtItsSizeWithTheModesTitle) {
  ASSERT_TRUE(Open(CBrowserWnd::kDirectory));
  EXPECT_TRUE(IsWindowVisible(m_hwnd));
  RECT rect{};
  GetWindowRect(m_hwnd, &rect);
  EXPECT_EQ(rect.right - rect.left, CBrowserWnd::kWidth);
  EXPECT_EQ(rect.bottom - rect.top, CBrowserWnd::kHeight);

  struct Case {
    int32_t mode;
    const char* title;
    const char* viewName;
  };
  const Case cases[] = {
      {CBrowserWnd::kDirectory, "Directory", "ZR"},
      {CBrowserWnd::kEventManagement, "Event_Management", "ZRM"},
      {CBrowserWnd::kNoMode, "", "ZRS"},
      {7, "", "ZRS"},
  };
  for (const Case& c : cases) {
    m_window->SetMode(c.mode);
    EXPECT_EQ(m_window->GetTitle(), c.title) << c.mode;
    EXPECT_EQ(m_window->GetWindowText(), c.title) << c.mode;
    EXPECT_EQ(m_window->GetView()->GetViewName(), c.viewName) << c.mode;
  }
}

TEST_F(DirectoryWindow, OnlyTheCommunitysKnownPagesBecomeTheCurrentPage) {
  ASSERT_TRUE(Open(CBrowserWnd::kDirectory));
  m_window->Navigate("http://h.test/dir/");
  m_host.control->Click("http://other.test/");
  m_host.control->Click("http://h.test/events2");
  EXPECT_EQ(m_host.log, (Log{"current http://h.test/dir/", "current http://h.test/events2"}))
      << "a known page written with port 80 is the same page";
  EXPECT_EQ(m_host.calls.navigations, Log{"http://h.test/dir/|nocache"});
}

TEST_F(DirectoryWindow, ATakenPlaceLinkEndsTheWindow) {
  ASSERT_TRUE(Open(CBrowserWnd::kDirectory));
  EXPECT_FALSE(m_host.control->Click("ZR://Name=Hall"));
  EXPECT_EQ(m_host.services.log, Log{"open place Hall flag 0"});
  EXPECT_EQ(m_host.log, Log{"close"});
}

TEST_F(DirectoryWindow, ClosingHidesAndShowsTheBlankPage) {
  ASSERT_TRUE(Open(CBrowserWnd::kEventManagement));
  m_window->Navigate("http://h.test/events");
  m_host.log.clear();
  SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
  ASSERT_TRUE(IsWindow(m_hwnd));
  EXPECT_FALSE(IsWindowVisible(m_hwnd));
  EXPECT_EQ(m_host.calls.stops, 1);
  EXPECT_EQ(m_host.calls.navigations.back(), "file:///C:/zanthe/blank.htm|cache");
  EXPECT_EQ(m_host.log, Log{"main"});

  m_window->CloseBrowser();
  EXPECT_FALSE(IsWindow(m_hwnd));
}

TEST_F(DirectoryWindow, AViewThatCannotAttachDestroysTheWindow) {
  m_host.failControl = true;
  BoxCloser closer(GetCurrentThreadId());
  EXPECT_FALSE(Open(CBrowserWnd::kDirectory));
  EXPECT_NE(closer.Join().find("failed to launch"), std::string::npos);
  // Only this test's windows count: other test programs share the desktop.
  HWND left = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        char title[64] = {};
        GetWindowTextA(window, title, sizeof title);
        if (std::string(title) != "Directory") return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&left));
  EXPECT_EQ(left, nullptr);
}

}  // namespace
