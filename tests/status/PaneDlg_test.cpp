// Pane dialogs: docked in the chat area, floating in their own frames, their
// context menu and their docked background.
#include <memory>
#include <vector>

#include "CFrameWnd.h"
#include "CMenu.h"
#include "CPaneDlg.h"
#include "IPaneContainer.h"
#include "StatusTestSupport.h"

namespace {

// Dialog templates of the resource library with their Make Tab buttons.
constexpr UINT kChatPage = 104;
constexpr UINT kEmptyPane = 112;
constexpr UINT kBroadcastPage = 117;
constexpr UINT kImPage = 119;
constexpr int kMakeTab = 1113;
constexpr int kBroadcastMakeTab = 1122;
constexpr uint32_t kRoomKind = 0;
constexpr uint32_t kTarget = 77;

constexpr UINT kCloseIm = 32821, kEnterLeave = 32822, kExplode = 32823, kSaveAs = 32824,
               kLeaveTour = 32825, kLeaveGame = 32637;

// A page as the chat code makes them: Make Tab docks it, and it tells what
// reached it.
class TestPage : public CPaneDlg {
 public:
  using CPaneDlg::CPaneDlg;
  int makeTabClicks = 0;
  int paneFocusCalls = 0;
  bool canSave = false;
  std::vector<RECT> windowRects;
  // Item states of the chat menu when it opened.
  std::vector<UINT> menuStates;
  std::string enterLeaveText;

  bool CanSave() override { return canSave; }
  void OnPaneFocus() override { ++paneFocusCalls; }
  void SetWindowRect(const RECT& rect) override {
    windowRects.push_back(rect);
    CPaneDlg::SetWindowRect(rect);
  }

 protected:
  void OnMakeTab() {
    ++makeTabClicks;
    SetFloating(false);
  }
  void OnInitMenuPopup(HMENU popup, UINT, bool) {
    for (UINT id : {kCloseIm, kEnterLeave, kLeaveTour, kLeaveGame, kExplode, kSaveAs}) {
      menuStates.push_back(::GetMenuState(popup, id, MF_BYCOMMAND));
    }
    char text[64] = {};
    ::GetMenuStringA(popup, kEnterLeave, text, sizeof(text), MF_BYCOMMAND);
    enterLeaveText = text;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestPage, CPaneDlg)
  ON_BN_CLICKED(kMakeTab, OnMakeTab)
  ON_BN_CLICKED(kBroadcastMakeTab, OnMakeTab)
  ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

// The chat tab container: records the calls and floats pages as the real one
// does.
class FakeContainer : public IPaneContainer {
 public:
  explicit FakeContainer(CWnd* dockParent) : m_dockParent(dockParent) {}
  std::vector<CPaneDlg*> floated, docked, fitted;
  std::vector<uint32_t> selected;
  std::vector<std::pair<CPaneDlg*, bool>> highlights;
  int repaints = 0;
  POINT firstPosition{60, 50};
  SIZE firstSize{320, 230};

  void FloatPage(CPaneDlg* pane) override {
    floated.push_back(pane);
    pane->SetFloating(true);
  }
  void DockPage(CPaneDlg* pane) override { docked.push_back(pane); }
  void FitPage(CPaneDlg* pane) override { fitted.push_back(pane); }
  void GetFloatFrameSize(POINT& position, SIZE& size) override {
    position = firstPosition;
    size = firstSize;
  }
  void SelectPageFor(uint32_t targetId) override { selected.push_back(targetId); }
  void HighlightPage(CPaneDlg* pane, bool on) override { highlights.emplace_back(pane, on); }
  void RepaintTabs() override { ++repaints; }
  CWnd* GetDockParent() override { return m_dockParent; }

 private:
  CWnd* m_dockParent;
};

class PaneTest : public StatusTest {
 protected:
  CWnd chatArea;
  std::unique_ptr<FakeContainer> container;

  void SetUp() override {
    StatusTest::SetUp();
    const char* area = CWnd::RegisterWndClass(0, nullptr,
                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    ASSERT_TRUE(chatArea.CreateEx(0, area, "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 460, 300},
                                  MainFrame(), 1));
    container = std::make_unique<FakeContainer>(&chatArea);
    CPaneDlg::SetContainer(container.get());
  }
  void TearDown() override {
    CPaneDlg::SetContainer(nullptr);
    chatArea.DestroyWindow();
    StatusTest::TearDown();
  }

  std::unique_ptr<TestPage> MakePage(uint32_t kind, UINT templateId, bool floating) {
    auto page = std::make_unique<TestPage>(kind, templateId, "Page title");
    EXPECT_TRUE(page->Create(&chatArea, kTarget, RECT{10, 20, 210, 170}, floating));
    return page;
  }
  static HWND Frame(CPaneDlg& page) { return page.FloatFrame().m_hWnd; }
};

TEST_F(PaneTest, DockedPageIsAChildAtItsRectangleAndInTheRedrawList) {
  auto page = MakePage(kRoomKind, kChatPage, false);
  HWND pane = page->m_hWnd;
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(::GetParent(pane), chatArea.m_hWnd);
  EXPECT_TRUE(page->GetStyle() & WS_CHILD);
  RECT rect{};
  page->GetWindowRect(&rect);
  chatArea.ScreenToClient(&rect);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 20);
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 150);
  EXPECT_EQ(page->GetTargetId(), kTarget);
  EXPECT_FALSE(page->IsFloating());
  EXPECT_EQ(Frame(*page), nullptr);
  RECT none{};
  EXPECT_FALSE(page->GetFrameRect(&none));
  EXPECT_TRUE(ui.IsListed(pane));
  page.reset();
  EXPECT_FALSE(::IsWindow(pane));
  EXPECT_FALSE(ui.IsListed(pane));
}

TEST_F(PaneTest, FloatingPageLivesInAnOwnedFrameWhereTheContainerSays) {
  auto page = MakePage(kRoomKind, kChatPage, true);
  HWND frame = Frame(*page);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(page->IsFloating());
  EXPECT_EQ(::GetParent(page->m_hWnd), frame);
  EXPECT_EQ(::GetWindow(frame, GW_OWNER), MainFrame()->m_hWnd);
  EXPECT_TRUE(::IsWindowVisible(frame));
  EXPECT_TRUE(page->IsWindowVisible());
  char title[64] = {};
  ::GetWindowTextA(frame, title, sizeof(title));
  EXPECT_STREQ(title, "Page title");
  EXPECT_EQ(::GetWindowLongA(frame, GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
  RECT rect{};
  ASSERT_TRUE(page->GetFrameRect(&rect));
  EXPECT_EQ(rect.left, 60);
  EXPECT_EQ(rect.top, 50);
  EXPECT_EQ(rect.right - rect.left, 320);
  EXPECT_EQ(rect.bottom - rect.top, 230);
  // The page fills the frame's client area, and follows its size.
  RECT client{}, pane{};
  ::GetClientRect(frame, &client);
  page->GetWindowRect(&pane);
  EXPECT_EQ(pane.right - pane.left, client.right);
  EXPECT_EQ(pane.bottom - pane.top, client.bottom);
  ::SetWindowPos(frame, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
  ::GetClientRect(frame, &client);
  ASSERT_FALSE(page->windowRects.empty());
  RECT last = page->windowRects.back();
  EXPECT_EQ(last.left, 0);
  EXPECT_EQ(last.top, 0);
  EXPECT_EQ(last.right, client.right);
  EXPECT_EQ(last.bottom, client.bottom);
}

TEST_F(PaneTest, ExplodeFloatsThroughTheContainerAndDocksBack) {
  auto page = MakePage(kRoomKind, kChatPage, false);
  HWND pane = page->m_hWnd;
  page->SendMessage(WM_COMMAND, kExplode);
  ASSERT_EQ(container->floated.size(), 1u);
  ASSERT_TRUE(page->IsFloating());
  HWND frame = Frame(*page);
  ASSERT_NE(frame, nullptr);
  // The user moves the frame; docking keeps where it was.
  ::SetWindowPos(frame, nullptr, 120, 90, 300, 200, SWP_NOZORDER);
  page->SendMessage(WM_COMMAND, kExplode);
  EXPECT_FALSE(page->IsFloating());
  EXPECT_FALSE(::IsWindow(frame));
  EXPECT_EQ(page->m_hWnd, pane);
  EXPECT_EQ(::GetParent(pane), chatArea.m_hWnd);
  EXPECT_EQ(container->fitted.size(), 1u);
  EXPECT_EQ(container->docked.size(), 1u);
  RECT kept = page->FloatRect();
  EXPECT_EQ(kept.left, 120);
  EXPECT_EQ(kept.top, 90);
  EXPECT_EQ(kept.right, 420);
  EXPECT_EQ(kept.bottom, 290);
  // Later frames open where the last one was, not where the container says.
  page->SendMessage(WM_COMMAND, kExplode);
  RECT again{};
  ASSERT_TRUE(page->GetFrameRect(&again));
  EXPECT_EQ(again.left, 120);
  EXPECT_EQ(again.top, 90);
  EXPECT_EQ(again.right - again.left, 300);
}

TEST_F(PaneTest, RepeatedFloatRequestMakesNoSecondFrame) {
  auto page = MakePage(kRoomKind, kChatPage, true);
  HWND frame = Frame(*page);
  page->SetFloating(true);
  EXPECT_EQ(Frame(*page), frame);
  EXPECT_EQ(::GetParent(page->m_hWnd), frame);
}

TEST_F(PaneTest, ClosingTheFrameOfAPageClicksItsMakeTabButtonWhichDocksIt) {
  struct Case {
    uint32_t kind;
    UINT templateId;
  };
  for (const Case& c : {Case{kRoomKind, kChatPage}, Case{CPaneDlg::kBroadcastKind, kBroadcastPage}}) {
    container->docked.clear();
    auto page = MakePage(c.kind, c.templateId, true);
    HWND pane = page->m_hWnd;
    HWND frame = Frame(*page);
    ::SendMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(frame)) << "the frame is not destroyed by the close itself";
    ASSERT_TRUE(PumpUntil([&] { return !page->IsFloating(); }, 2000)) << "kind " << c.kind;
    EXPECT_EQ(page->makeTabClicks, 1);
    EXPECT_EQ(page->m_hWnd, pane);
    EXPECT_TRUE(::IsWindow(pane));
    EXPECT_EQ(::GetParent(pane), chatArea.m_hWnd);
    EXPECT_FALSE(::IsWindow(frame));
    EXPECT_EQ(container->docked.size(), 1u);
  }
}

TEST_F(PaneTest, ClosingTheFrameOfAnInstantMessageSelectsItsTargetsPage) {
  auto page = MakePage(CPaneDlg::kInstantMessageKind, kImPage, true);
  HWND frame = Frame(*page);
  ::SendMessageA(frame, WM_CLOSE, 0, 0);
  Pump(100);
  ASSERT_EQ(container->selected.size(), 1u);
  EXPECT_EQ(container->selected[0], kTarget);
  EXPECT_EQ(page->makeTabClicks, 0);
  EXPECT_TRUE(::IsWindow(frame));
  EXPECT_TRUE(page->IsFloating());
}

TEST_F(PaneTest, FrameFocusClearsTheHighlightAndTheTabMark) {
  auto page = MakePage(kRoomKind, kChatPage, true);
  HWND frame = Frame(*page);
  ::ShowWindow(frame, SW_HIDE);
  page->SetHighlight(true);
  ASSERT_TRUE(page->IsHighlighted());
  int focusCalls = page->paneFocusCalls;
  ::SendMessageA(frame, WM_SETFOCUS, 0, 0);
  EXPECT_FALSE(page->IsHighlighted());
  EXPECT_EQ(page->paneFocusCalls, focusCalls + 1);
  ASSERT_FALSE(container->highlights.empty());
  EXPECT_EQ(container->highlights.back().first, page.get());
  EXPECT_FALSE(container->highlights.back().second);
}

TEST_F(PaneTest, HighlightChangesRepaintTheTabsAndShownPagesAreNotHighlighted) {
  auto page = MakePage(kRoomKind, kChatPage, false);
  page->SetHighlight(true);
  EXPECT_TRUE(page->IsHighlighted());
  EXPECT_EQ(container->repaints, 1);
  page->SetHighlight(true);
  EXPECT_EQ(container->repaints, 1);
  page->SetHighlight(false);
  EXPECT_FALSE(page->IsHighlighted());
  EXPECT_EQ(container->repaints, 2);
  page->ShowWindow(SW_SHOW);
  EXPECT_TRUE(page->IsShown());
  page->SetHighlight(true);
  EXPECT_FALSE(page->IsHighlighted());
  EXPECT_EQ(container->repaints, 2);
}

TEST_F(PaneTest, FloatFrameCanBeRaisedAndShown) {
  auto page = MakePage(kRoomKind, kChatPage, true);
  HWND frame = Frame(*page);
  ::ShowWindow(frame, SW_HIDE);
  page->ShowFloatFrame();
  EXPECT_TRUE(::IsWindowVisible(frame));
  ::SetActiveWindow(MainFrame()->m_hWnd);
  page->RaiseFloatFrame();
  EXPECT_NE(::GetActiveWindow(), frame) << "raising does not activate";
  EXPECT_FALSE(page->IsShown());
  ::SetActiveWindow(frame);
  EXPECT_TRUE(page->IsShown());
}

struct MenuCase {
  const char* name;
  uint32_t kind;
  bool inRoot, tourGuest, gameGuest, floating, canSave;
  bool closeIm, leaveTour, leaveGame, saveAs;
  const char* enterLeave;
};

bool Enabled(UINT state) { return !(state & (MF_GRAYED | MF_DISABLED)); }

TEST_F(PaneTest, ContextMenuFollowsThePageAndTheUsersSituation) {
  const MenuCase cases[] = {
      {"room page inside", kRoomKind, true, false, false, false, false, false, false, false, false,
       "L&eave Room"},
      {"room page outside", kRoomKind, false, false, false, false, true, false, false, false, true,
       "&Enter Room"},
      {"instant message", CPaneDlg::kInstantMessageKind, true, true, true, true, false, true,
       false, false, false, "L&eave Room"},
      {"tour page of a guest", CPaneDlg::kTourKind, true, true, false, false, false, false, true,
       false, false, "L&eave Room"},
      {"tour page of a host", CPaneDlg::kTourKind, true, false, true, false, false, false, false,
       false, false, "L&eave Room"},
      {"game page of a guest", CPaneDlg::kGameKind, true, false, true, false, false, false, false,
       true, false, "L&eave Room"},
      {"game page, tour guest", CPaneDlg::kGameKind, true, true, false, false, false, false, false,
       false, false, "L&eave Room"},
  };
  for (const MenuCase& c : cases) {
    SCOPED_TRACE(c.name);
    ui.myselfInRootPlace = c.inRoot;
    ui.tourGuest = c.tourGuest;
    ui.gameGuest = c.gameGuest;
    auto page = MakePage(c.kind, kChatPage, c.floating);
    page->canSave = c.canSave;
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(256));
    CMenu* popup = menu.GetSubMenu(0);
    page->AdjustMenu(popup);
    EXPECT_EQ(Enabled(::GetMenuState(*popup, kCloseIm, MF_BYCOMMAND)), c.closeIm);
    EXPECT_EQ(Enabled(::GetMenuState(*popup, kLeaveTour, MF_BYCOMMAND)), c.leaveTour);
    EXPECT_EQ(Enabled(::GetMenuState(*popup, kLeaveGame, MF_BYCOMMAND)), c.leaveGame);
    EXPECT_EQ(Enabled(::GetMenuState(*popup, kSaveAs, MF_BYCOMMAND)), c.saveAs);
    EXPECT_TRUE(Enabled(::GetMenuState(*popup, kEnterLeave, MF_BYCOMMAND)));
    EXPECT_EQ((::GetMenuState(*popup, kExplode, MF_BYCOMMAND) & MF_CHECKED) != 0, c.floating);
    EXPECT_EQ(popup->GetMenuString(kEnterLeave, MF_BYCOMMAND), c.enterLeave);
  }
}

// The menu is tracked with the page as owner; a timer ends it.
void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  ::EndMenu();
}

TEST_F(PaneTest, TrackedMenuIsTheAdjustedChatMenu) {
  ui.myselfInRootPlace = false;
  auto page = MakePage(CPaneDlg::kInstantMessageKind, kImPage, true);
  ::SetForegroundWindow(Frame(*page));
  ::SetTimer(nullptr, 0, 200, &EndMenuSoon);
  page->TrackContextMenu(100, 100);
  ASSERT_EQ(page->menuStates.size(), 6u);
  EXPECT_TRUE(Enabled(page->menuStates[0])) << "Close IM";
  EXPECT_FALSE(Enabled(page->menuStates[2])) << "Leave Tour";
  EXPECT_TRUE(page->menuStates[4] & MF_CHECKED) << "Explode";
  EXPECT_EQ(page->enterLeaveText, "&Enter Room");
}

TEST_F(PaneTest, EnterLeaveCommandTogglesObserving) {
  auto page = MakePage(kRoomKind, kChatPage, false);
  page->SendMessage(WM_COMMAND, kEnterLeave);
  EXPECT_EQ(ui.observeToggles, 1);
}

// The background the page paints into a memory context.
Pixels ErasedBackground(CPaneDlg& page, LRESULT* answer) {
  RECT client{};
  page.GetClientRect(&client);
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  RECT all{0, 0, client.right, client.bottom};
  ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  *answer = page.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory));
  Pixels pixels = ContextPixels(memory, client.right, client.bottom);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

TEST_F(PaneTest, DockedBackgroundIsColourNineWithABlackRightEdge) {
  ASSERT_NE(ResourceColour(9), CLR_INVALID);
  // The library gives a palette-relative colour; pixels hold its RGB part.
  COLORREF docked = ResourceColour(9) & 0xFFFFFF;
  ASSERT_NE(docked, ::GetSysColor(COLOR_BTNFACE)) << "the test needs the colours apart";
  auto page = MakePage(kRoomKind, kEmptyPane, false);
  LRESULT answer = 0;
  Pixels pixels = ErasedBackground(*page, &answer);
  EXPECT_EQ(answer, 1);
  ASSERT_GT(pixels.width, 2);
  for (int y = 0; y < pixels.height; y += 7) {
    EXPECT_EQ(pixels.At(0, y), docked);
    EXPECT_EQ(pixels.At(pixels.width / 2, y), docked);
    EXPECT_EQ(pixels.At(pixels.width - 2, y), docked);
    EXPECT_EQ(pixels.At(pixels.width - 1, y), RGB(0, 0, 0)) << "row " << y;
  }
  // On the screen too.
  page->ShowWindow(SW_SHOW);
  page->UpdateWindow();
  Pixels shown = ScreenPixels(page->m_hWnd);
  EXPECT_EQ(shown.At(shown.width / 2, shown.height / 2), docked);
}

TEST_F(PaneTest, FloatingBackgroundIsTheDialogFace) {
  auto page = MakePage(kRoomKind, kEmptyPane, true);
  LRESULT answer = 0;
  Pixels pixels = ErasedBackground(*page, &answer);
  EXPECT_EQ(pixels.At(pixels.width / 2, pixels.height / 2), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(pixels.At(pixels.width - 1, pixels.height / 2), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(PaneTest, ControlColoursAreTheDialogFace) {
  auto page = MakePage(kRoomKind, kChatPage, false);
  HDC dc = ::GetDC(page->m_hWnd);
  HWND makeTab = ::GetDlgItem(page->m_hWnd, kMakeTab);
  auto brush = reinterpret_cast<HBRUSH>(
      page->SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(makeTab)));
  EXPECT_EQ(brush, ::GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(::GetBkColor(dc), ::GetSysColor(COLOR_BTNFACE));
  ::ReleaseDC(page->m_hWnd, dc);
}

}  // namespace
