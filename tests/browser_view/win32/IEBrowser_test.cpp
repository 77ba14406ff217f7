// The embedded browser's view under Wine with a scripted control that raises
// the control's events itself, the ones Wine's control never raises
// included (completed navigation, title, progress): the owner's reports and
// their order, special URLs cancelled before loading, the history, the
// address reports of the directory window, and the control's placing.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "BoxCloser.h"
#include "BrowserFakes.h"
#include "CIEBrowser.h"
#include "CIEHostWnd.h"
#include "ModuleState.h"
#include "ScriptedWebControl.h"
#include "ZrMessageBox.h"

namespace {

using Log = std::vector<std::string>;

class ParentWnd : public CWnd {
 public:
  bool Create() {
    const char* className = RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return CreateEx(0, className, "page frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, RECT{40, 40, 480, 380},
                    nullptr, 0);
  }
};

class IEBrowserView : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_library = LoadLibraryA(ZR_RES_PRODUCT_DLL);
    AfxSetResourceHandle(s_library);
  }
  static void TearDownTestSuite() { FreeLibrary(s_library); }

  void SetUp() override {
    ASSERT_NE(s_library, nullptr) << ZR_RES_PRODUCT_DLL;
    m_boxes.SetResourceModule(s_library);
    ASSERT_TRUE(m_parent.Create());
    m_view = new CIEBrowser;
    m_view->SetOwner(&m_owner);
    m_view->SetHost(&m_host);
    m_view->SetUrlReport([this](const std::string& url) { m_reported.push_back(url); });
    m_view->SetControlFactory([this] {
      auto control = std::make_unique<ScriptedWebControl>(m_calls, m_failCreate, "");
      m_control = control.get();
      return control;
    });
    ASSERT_TRUE(m_view->Create(CWnd::RegisterWndClass(0), "", WS_CHILD, RECT{0, 0, 400, 300}, &m_parent, 1));
  }
  void TearDown() override {
    if (m_view->GetSafeHwnd()) m_view->DestroyWindow();
    m_parent.DestroyWindow();
  }
  void Attach() { ASSERT_TRUE(m_view->Attach(10, 20, 390, 280, m_parent.m_hWnd)); }
  const Log& Entries() const { return m_view->GetHistory().GetEntries(); }

  static HMODULE s_library;
  CZrMessageBox m_boxes;
  ParentWnd m_parent;
  CIEBrowser* m_view = nullptr;  // deletes itself with its window
  FakeOwner m_owner;
  FakeHost m_host;
  ScriptedWebControl::Calls m_calls;
  ScriptedWebControl* m_control = nullptr;
  bool m_failCreate = false;
  Log m_reported;
};

HMODULE IEBrowserView::s_library = nullptr;

TEST_F(IEBrowserView, TheControlLivesInAHostDialogInsideTheView) {
  Attach();
  const HWND control = m_view->GetControlWindow();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(GetDlgCtrlID(control), static_cast<int>(CIEHostWnd::kControlId));
  const HWND dialog = GetParent(control);
  EXPECT_EQ(GetParent(dialog), m_view->m_hWnd);
  RECT dialogRect{};
  GetWindowRect(dialog, &dialogRect);
  MapWindowPoints(nullptr, m_view->m_hWnd, reinterpret_cast<POINT*>(&dialogRect), 2);
  EXPECT_EQ(dialogRect.left, 10);
  EXPECT_EQ(dialogRect.bottom, 280);
  const DWORD styles = static_cast<DWORD>(GetWindowLongPtrA(m_view->m_hWnd, GWL_STYLE));
  EXPECT_EQ(styles & CIEBrowser::kAttachedStyles, CIEBrowser::kAttachedStyles);

  EXPECT_NE(GetWindowLongPtrA(control, GWL_STYLE) & WS_VSCROLL, 0);
  m_view->HideScrollBars();
  EXPECT_EQ(GetWindowLongPtrA(control, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);

  m_view->MoveBrowser(RECT{0, 30, 300, 230});
  RECT viewRect{};
  GetWindowRect(m_view->m_hWnd, &viewRect);
  MapWindowPoints(nullptr, m_parent.m_hWnd, reinterpret_cast<POINT*>(&viewRect), 2);
  EXPECT_EQ(viewRect.left, -3);
  EXPECT_EQ(viewRect.top, 27);
  EXPECT_EQ(viewRect.right, 303);
  EXPECT_EQ(viewRect.bottom, 233);
  RECT controlRect{};
  GetWindowRect(control, &controlRect);
  EXPECT_EQ(controlRect.right - controlRect.left, 306) << "the control fills the view";
}

TEST_F(IEBrowserView, ANavigationIsReportedInTheControlsOrderAndRecorded) {
  Attach();
  m_view->Navigate("http://a.test/", 0, "");
  m_view->NavigateForce("http://b.test/");
  EXPECT_EQ(m_calls.navigations, (Log{"http://a.test/|nocache", "http://b.test/|cache"}));
  EXPECT_EQ(m_owner.log, (Log{"download begin", "download begin", "navigated http://a.test/ ",
                              "location http://a.test/  0", "download complete 0", "download begin",
                              "download begin", "navigated http://b.test/ ", "location http://b.test/  0",
                              "download complete 0"}))
      << "before the load, then the control's own DownloadBegin; no final location without a title";
  EXPECT_EQ(Entries(), (Log{"http://a.test/", "http://b.test/"}));
  EXPECT_TRUE(m_reported.empty()) << "the page frame wants no address reports";
}

TEST_F(IEBrowserView, ANavigationWhoseCompletionIsNeverToldCompletesWhenLoadingEnds) {
  Attach();
  m_control->SetUntoldCompletion(true);
  m_view->Navigate("http://a.test/", 0, "");
  EXPECT_EQ(m_owner.log, (Log{"download begin", "download begin", "navigated http://a.test/ ",
                              "location http://a.test/  0", "download complete 0"}));
  EXPECT_EQ(Entries(), Log{"http://a.test/"});

  m_owner.log.clear();
  m_control->Events().OnDownloadComplete();
  EXPECT_EQ(m_owner.log, Log{"download complete 0"}) << "only once per navigation";

  m_owner.log.clear();
  bool cancel = false;
  m_control->Events().OnBeforeNavigate("http://b.test/", true, cancel);
  m_control->Events().OnDownloadComplete();
  EXPECT_EQ(m_owner.log, (Log{"download begin", "download complete 0"}))
      << "loading that ends elsewhere than the address asked for completes nothing";
}

TEST_F(IEBrowserView, SpecialUrlsAreCancelledBeforeLoading) {
  Attach();
  m_view->Navigate("http://a.test/", 0, "");
  m_owner.log.clear();
  EXPECT_FALSE(m_control->Click("ZR://Name=Hall")) << "a place link clicked in the page";
  m_view->Navigate("zrs://login/?nickname=Bob&Guest=1", 0, "");
  EXPECT_EQ(m_calls.navigations, Log{"http://a.test/|nocache"}) << "taken by the view, never given to the control";
  EXPECT_EQ(m_host.log, (Log{"open place Hall flag 0", "login nick Bob", "identity nick Bob", "password ", "guest 1",
                             "f 0", "pictures |||", "connect"}));
  EXPECT_EQ(m_owner.log, Log{"place taken"});
  EXPECT_EQ(Entries(), Log{"http://a.test/"});

  bool cancel = false;
  m_control->Events().OnFrameBeforeNavigate("event:4:now", cancel);
  EXPECT_TRUE(cancel);
  m_control->Events().OnFrameBeforeNavigate("http://frame.test/", cancel);
  EXPECT_FALSE(cancel);
  EXPECT_EQ(m_owner.log, Log{"place taken"}) << "a frame's navigation only runs the special URLs";
}

TEST_F(IEBrowserView, RedirectStepsAreNeitherRecordedNorReported) {
  Attach();
  m_control->Click("http://a.test/redirect?to=b");
  EXPECT_EQ(m_owner.log, (Log{"download begin", "download begin", "download complete 0"}));
  EXPECT_TRUE(Entries().empty());
}

TEST_F(IEBrowserView, TheTitleMakesTheAddressKnownAndTheFinalLocationReported) {
  Attach();
  m_view->Navigate("http://a.test/", 0, "");
  std::string url = "unchanged";
  m_view->GetCurrentUrl(url);
  EXPECT_EQ(url, "") << "no address before the control has told a title";

  m_owner.log.clear();
  m_control->SetTitle("Hall A");
  m_control->Events().OnTitleChange("Hall A");
  m_control->Events().OnDownloadComplete();
  m_control->Events().OnDownloadComplete();
  EXPECT_EQ(m_owner.log, (Log{"location  Hall A 0", "download complete 0", "location http://a.test/ Hall A 1",
                              "download complete 0"}))
      << "the final location once per page";
  m_view->GetCurrentUrl(url);
  EXPECT_EQ(url, "http://a.test/");

  m_view->Navigate("http://a.test/", 0, "");
  EXPECT_EQ(m_calls.refreshes, 1) << "the page shown now is reloaded";
  EXPECT_EQ(m_calls.navigations.size(), 1u);

  m_owner.log.clear();
  m_control->Click("http://b.test/");
  EXPECT_EQ(m_owner.log.back(), "location http://b.test/ Hall A 1") << "a new page reports its location again";
}

TEST_F(IEBrowserView, ProgressReportsInPercent) {
  Attach();
  struct Case {
    long progress;
    long maximum;
    Log reports;
  };
  const Case cases[] = {
      {50, 200, {"progress 25"}},
      {7, 0, {}},
      {-1, 100, {"download complete 0"}},
      {100, 100, {"progress 100"}},
  };
  for (const Case& c : cases) {
    m_owner.log.clear();
    m_control->Events().OnProgressChange(c.progress, c.maximum);
    EXPECT_EQ(m_owner.log, c.reports) << c.progress << "/" << c.maximum;
  }
  m_owner.log.clear();
  m_control->Events().OnStatusTextChange("Downloading");
  EXPECT_EQ(m_owner.log, Log{"status Downloading"});
}

TEST_F(IEBrowserView, TheDirectoryWindowLearnsEveryAddressAboutToLoad) {
  m_owner.wantsUrlReports = true;
  Attach();
  m_view->Navigate("http://a.test/", 0, "");
  EXPECT_EQ(m_reported, Log{"http://a.test/"});
  EXPECT_EQ(m_calls.refreshes, 0) << "no page known yet";
  m_control->Events().OnTitleChange("A");
  m_control->Click("http://b.test/");
  EXPECT_EQ(m_reported, (Log{"http://a.test/", "http://b.test/"}));
  EXPECT_EQ(m_calls.refreshes, 1) << "the page shown before is reloaded first";
  m_control->Click("ZR://Name=Hall");
  EXPECT_EQ(m_reported.size(), 2u) << "a taken link is no page";
}

TEST_F(IEBrowserView, TheHistoryStepsOpenPagesThroughTheOwner) {
  Attach();
  for (const char* url : {"http://a.test/", "http://b.test/", "http://c.test/"}) m_view->Navigate(url, 0, "");
  m_owner.log.clear();
  m_view->GoBack();
  EXPECT_EQ(m_owner.log, Log{"history http://b.test/"});
  m_view->Navigate("http://b.test/", 0, "");
  m_view->Navigate("http://d.test/", 0, "");
  EXPECT_EQ(Entries(), (Log{"http://a.test/", "http://b.test/", "http://d.test/"}));
}

TEST_F(IEBrowserView, AControlThatCannotBeMadeIsReportedAndRefused) {
  m_failCreate = true;
  const std::string expected = m_boxes.LoadText(CIEBrowser::kNoControlTitle) +
                               m_boxes.LoadText(CIEBrowser::kNoControlText) +
                               m_boxes.LoadText(CIEBrowser::kNoControlTitle);
  ASSERT_NE(expected.find("failed to launch"), std::string::npos);
  BoxCloser closer(GetCurrentThreadId());
  EXPECT_FALSE(m_view->Attach(0, 0, 100, 100, m_parent.m_hWnd));
  EXPECT_EQ(WithoutLineBreaks(closer.Join()), WithoutLineBreaks(expected));
  EXPECT_EQ(m_view->GetControlWindow(), nullptr);
  m_view->Navigate("http://a.test/", 0, "");
  m_view->Stop();
  EXPECT_TRUE(m_owner.log.empty());
}

}  // namespace
