// The browser view base under Wine, with a test view that "loads" a page by
// reporting it at once (there is no HTML engine here): history steps through
// the owner, special URLs that never load, the close that shows the welcome
// page, and the plain view's refusal to attach.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BoxCloser.h"
#include "BrowserFakes.h"
#include "CBrowser.h"
#include "ZrMessageBox.h"
#include "ZrPerson.h"

namespace {

using Log = std::vector<std::string>;

// Loads every URL that the special-URL chain leaves, reporting it as a
// browser reports a finished page.
class TestBrowser : public CBrowser {
 public:
  TestBrowser(Log& loaded, bool& destroyed) : m_loaded(loaded), m_destroyed(destroyed) {}
  ~TestBrowser() override { m_destroyed = true; }

  void Navigate(const std::string& url, int32_t, const std::string&) override {
    if (HandleSpecialUrl(url)) return;
    m_loaded.push_back(url);
    if (GetOwner()) GetOwner()->OnNavigated(url, "");
    AddToHistory(url);
    if (GetOwner()) GetOwner()->OnLocation(url, "", false);
  }
  void NavigateForce(const std::string& url) override { Navigate(url, 1, ""); }

 private:
  Log& m_loaded;
  bool& m_destroyed;
};

// Opens the pages taken from the history, as the page frame does.
class FollowingOwner : public FakeOwner {
 public:
  CBrowser* view = nullptr;
  void OnHistoryNavigate(const std::string& url, const std::string& extra) override {
    FakeOwner::OnHistoryNavigate(url, extra);
    view->Navigate(url, 0, extra);
  }
};

class ParentWnd : public CWnd {
 public:
  bool Create() {
    const char* className = RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return CreateEx(0, className, "browser host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                    RECT{40, 40, 440, 340}, nullptr, 0);
  }
};

class BrowserView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_parent.Create()) << "error " << GetLastError();
    m_view = new TestBrowser(m_loaded, m_destroyed);
    m_owner.view = m_view;
    m_view->SetOwner(&m_owner);
    m_view->SetHost(&m_host);
    m_view->SetViewName("ZRS");
    const char* className = CWnd::RegisterWndClass(0);
    ASSERT_TRUE(m_view->Create(className, "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 400, 300}, &m_parent, 1));
  }
  void TearDown() override {
    if (m_view && !m_destroyed) m_view->DestroyWindow();
    m_parent.DestroyWindow();
  }

  const std::vector<std::string>& Entries() const { return m_view->GetHistory().GetEntries(); }

  ParentWnd m_parent;
  Log m_loaded;
  bool m_destroyed = false;
  TestBrowser* m_view = nullptr;
  FollowingOwner m_owner;
  FakeHost m_host;
};

TEST_F(BrowserView, StepsThroughTheHistoryByTheOwner) {
  EXPECT_FALSE(m_view->CanGoBack());
  EXPECT_FALSE(m_view->CanGoForward());
  for (const char* url : {"http://a.test/", "http://b.test/", "http://c.test/"}) m_view->Navigate(url, 0, "");
  EXPECT_TRUE(m_view->CanGoBack());
  EXPECT_FALSE(m_view->CanGoForward());

  m_view->GoBack();
  m_view->GoBack();
  EXPECT_FALSE(m_view->CanGoBack());
  EXPECT_TRUE(m_view->CanGoForward());
  m_view->GoForward();
  EXPECT_EQ(m_loaded, (Log{"http://a.test/", "http://b.test/", "http://c.test/", "http://b.test/", "http://a.test/",
                           "http://b.test/"}));
  EXPECT_EQ(Entries(), (Log{"http://a.test/", "http://b.test/", "http://c.test/"})) << "pages reached by steps";
  EXPECT_EQ(m_view->GetHistory().GetPosition(), 1);

  m_view->Navigate("http://d.test/", 0, "");
  EXPECT_EQ(Entries(), (Log{"http://a.test/", "http://b.test/", "http://d.test/"}));
  EXPECT_FALSE(m_view->CanGoForward());
  const Log expectedReports = {
      "navigated http://a.test/ ", "location http://a.test/  0", "navigated http://b.test/ ",
      "location http://b.test/  0", "navigated http://c.test/ ", "location http://c.test/  0",
      "history http://b.test/",    "navigated http://b.test/ ",  "location http://b.test/  0",
      "history http://a.test/",    "navigated http://a.test/ ",  "location http://a.test/  0",
      "history http://b.test/",    "navigated http://b.test/ ",  "location http://b.test/  0",
      "navigated http://d.test/ ", "location http://d.test/  0",
  };
  EXPECT_EQ(m_owner.log, expectedReports);
}

TEST_F(BrowserView, StepsPastEitherEndAreRefusedWithoutReports) {
  m_view->Navigate("http://a.test/", 0, "");
  m_view->GoBack();
  m_view->GoForward();
  EXPECT_EQ(m_loaded, Log{"http://a.test/"});
  m_view->Navigate("http://b.test/", 0, "");
  EXPECT_EQ(Entries(), (Log{"http://a.test/", "http://b.test/"})) << "a refused step must not drop the next page";
}

TEST_F(BrowserView, TheRootPlacesBackLinkOffersBack) {
  m_host.backLink = true;
  m_view->Navigate("http://a.test/", 0, "");
  EXPECT_TRUE(m_view->CanGoBack());
  m_view->GoBack();
  EXPECT_EQ(m_loaded, (Log{"http://a.test/", "http://a.test/"}));
  EXPECT_EQ(m_view->GetHistory().GetPosition(), 0);
}

TEST_F(BrowserView, SpecialUrlsAreTakenAndNeverLoaded) {
  struct Case {
    const char* url;
    Log hostLog;
    Log ownerLog;
  };
  const Case cases[] = {
      {"ZR://Name=Hall", {"open place Hall flag 0"}, {"place taken"}},
      {"zrs://login/?nickname=Bob&Guest=1",
       {"login nick Bob", "identity nick Bob", "password ", "guest 1", "f 0", "pictures |||", "connect"},
       {}},
      {"event:5:now", {"perform 5", "freed 5"}, {}},
  };
  for (const Case& c : cases) {
    m_host.log.clear();
    m_owner.log.clear();
    m_view->Navigate(c.url, 0, "");
    EXPECT_EQ(m_host.log, c.hostLog) << c.url;
    EXPECT_EQ(m_owner.log, c.ownerLog) << c.url;
  }
  EXPECT_TRUE(m_loaded.empty());
  EXPECT_TRUE(Entries().empty());
}

TEST_F(BrowserView, WaitingInteractionsAreFoundByTheirId) {
  m_view->Navigate("event:9:wait", 0, "");
  CZrPerson recipient;
  EXPECT_FALSE(m_view->FindInteraction("8", recipient));
  EXPECT_TRUE(m_view->FindInteraction("9", recipient));
  EXPECT_EQ(m_host.log, (Log{"perform 9", "send 9", "freed 9"}));
}

TEST_F(BrowserView, ClosingShowsTheWelcomePageAndEmptiesTheHistory) {
  m_view->Navigate("http://a.test/", 0, "");
  m_view->Navigate("http://b.test/", 0, "");
  const HWND window = m_view->GetSafeHwnd();
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(m_destroyed) << "the view deletes itself with its window";
  EXPECT_EQ(m_loaded.back(), m_host.GetWelcomeUrl());
  EXPECT_EQ(m_owner.log.back(), "location " + m_host.GetWelcomeUrl() + "  0");
}

TEST_F(BrowserView, ClosingWithoutAHostOnlyEmptiesTheHistory) {
  m_view->Navigate("http://a.test/", 0, "");
  m_view->SetHost(nullptr);
  m_view->OnDestroyView();
  EXPECT_EQ(m_loaded, Log{"http://a.test/"});
  EXPECT_TRUE(Entries().empty());
  EXPECT_FALSE(m_view->HandleSpecialUrl("ZR://Name=Hall")) << "nothing takes a URL without the application";
}

TEST(PlainBrowserView, DoesNothingAndRefusesToAttach) {
  HMODULE library = LoadLibraryA(ZR_RES_PRODUCT_DLL);
  ASSERT_NE(library, nullptr) << ZR_RES_PRODUCT_DLL;
  CZrMessageBox boxes;
  boxes.SetResourceModule(library);
  const std::string expected = boxes.LoadText(CBrowser::kNoBrowserTitle) + boxes.LoadText(CBrowser::kNoBrowserText) +
                               boxes.LoadText(CBrowser::kNoBrowserAdvice);
  ASSERT_NE(expected.find("Lumora Chat could not find"), std::string::npos);

  CObject* object = RUNTIME_CLASS(CBrowser)->CreateObject();
  ASSERT_NE(object, nullptr);
  ASSERT_TRUE(object->IsKindOf(RUNTIME_CLASS(CView)));
  CBrowser* view = static_cast<CBrowser*>(object);
  FakeOwner owner;
  view->SetOwner(&owner);
  view->Navigate("http://a.test/", 0, "");
  view->NavigateForce("http://a.test/");
  view->GoBack();
  view->GoForward();
  EXPECT_FALSE(view->CanGoBack());
  EXPECT_FALSE(view->CanGoForward());
  EXPECT_FALSE(view->Refresh());
  EXPECT_FALSE(view->Embed(0, 0, 10, 10, nullptr));
  EXPECT_FALSE(view->IsEmbedded());
  EXPECT_EQ(view->PollBrowser(), 0);
  std::string url = "unchanged";
  view->GetCurrentUrl(url);
  EXPECT_EQ(url, "unchanged");
  EXPECT_TRUE(owner.log.empty());

  BoxCloser closer(GetCurrentThreadId());
  EXPECT_FALSE(view->Attach(0, 0, 100, 100, nullptr));
  // Wine's box may fold the text's line breaks; compare without them.
  const std::string shown = WithoutLineBreaks(closer.Join());
  const std::string wanted = WithoutLineBreaks(expected);
  EXPECT_EQ(shown, wanted);
  delete view;
  FreeLibrary(library);
}

}  // namespace
