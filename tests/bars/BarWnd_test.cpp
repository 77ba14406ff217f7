// The bar framework: creation, mouse routing, delayed visibility, tips and
// prompts, frame layout and the host's layout message, item addressing.
#include <memory>

#include "BarTestTypes.h"
#include "BarsTestSupport.h"
#include "CBarWnd.h"
#include "CDC.h"
#include "FrameworkIds.h"
#include "ModuleState.h"
#include "NameBubble.h"

namespace {

constexpr UINT kBackCommand = 32629;    // "Go back to the previous page\nBack"
constexpr UINT kMessageString = 165;    // a message text without a line break
constexpr COLORREF kBubbleColour = RGB(255, 255, 225);

class BarWndTest : public BarsTest {
 protected:
  std::unique_ptr<RecordingBar> bar = std::make_unique<RecordingBar>();
  CBarItem* first = nullptr;
  CBarItem* second = nullptr;

  void SetUp() override {
    BarsTest::SetUp();
    ASSERT_TRUE(bar->Create(MainFrame()));
    bar->SetWindowPos(nullptr, 10, 40, 300, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    first = AddItem(RECT{0, 0, 40, 30}, kBackCommand);
    second = AddItem(RECT{50, 0, 90, 30}, kMessageString);
    Pump();
  }
  void TearDown() override {
    bar.reset();
    BarsTest::TearDown();
  }
  CBarItem* AddItem(const RECT& rect, UINT id) {
    auto item = std::make_unique<TestItem>(rect, id);
    CBarItem* added = item.get();
    bar->AddItem(std::move(item));
    return added;
  }
  HWND Bar() const { return bar->m_hWnd; }
  POINT ScreenPoint(POINT client) const {
    ::ClientToScreen(Bar(), &client);
    return client;
  }
  RECT ParentRect() const {
    RECT rect{};
    ::GetWindowRect(Bar(), &rect);
    ::MapWindowPoints(nullptr, ::GetParent(Bar()), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
};

// A plain top-level window of the test, shown without activation.
HWND MakePopup(const RECT& screenRect, DWORD style) {
  const char* className = CWnd::RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                                 static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  HWND popup = ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, className, "", style,
                                 screenRect.left, screenRect.top,
                                 screenRect.right - screenRect.left,
                                 screenRect.bottom - screenRect.top, nullptr, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
  return popup;
}

TEST_F(BarWndTest, CreationListsTheBarForRedrawsUntilItsWindowEnds) {
  EXPECT_TRUE(ui.IsListed(Bar()));
  EXPECT_EQ(bar->GetStyleFlags(), 15u);
  EXPECT_EQ(::GetDlgCtrlID(Bar()), 0);
  EXPECT_EQ(bar->GetStyle() & (WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
  const HWND window = Bar();
  bar->DestroyWindow();
  EXPECT_FALSE(ui.IsListed(window));

  // A bar deleted with its window alive leaves the list too.
  auto other = std::make_unique<RecordingBar>();
  ASSERT_TRUE(other->Create(MainFrame()));
  const HWND otherWindow = other->m_hWnd;
  other.reset();
  EXPECT_FALSE(ui.IsListed(otherWindow));
  EXPECT_FALSE(::IsWindow(otherWindow));
}

TEST_F(BarWndTest, CreationFailsWithoutAParentWindow) {
  RecordingBar orphan;
  CWnd noWindow;
  EXPECT_FALSE(orphan.Create(&noWindow));
  EXPECT_EQ(orphan.m_hWnd, nullptr);
  EXPECT_EQ(orphan.GetClientSize().cx, 0);
  EXPECT_EQ(orphan.GetClientSize().cy, 0);
}

TEST_F(BarWndTest, MouseMessagesReachTheItemUnderThePoint) {
  struct Case {
    UINT message;
    const char* kind;
  };
  const Case cases[] = {{WM_LBUTTONDOWN, "down"},  {WM_LBUTTONUP, "up"},
                        {WM_LBUTTONDBLCLK, "double"}, {WM_RBUTTONDOWN, "right"},
                        {WM_MOUSEMOVE, "move"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    bar->events.clear();
    SendMouse(Bar(), c.message, 60, 10);
    SendMouse(Bar(), c.message, 95, 10);
    ASSERT_EQ(bar->events.size(), 2u);
    EXPECT_EQ(bar->events[0].kind, c.kind);
    EXPECT_EQ(bar->events[0].item, second);
    EXPECT_EQ(bar->events[1].item, nullptr);
  }
}

TEST_F(BarWndTest, ClickWhereAPopupCoversTheBarReachesNoItem) {
  const POINT target{20, 10};
  const POINT screen = ScreenPoint(target);
  HWND popup = MakePopup(RECT{screen.x - 5, screen.y - 5, screen.x + 5, screen.y + 5}, WS_POPUP);
  ASSERT_NE(popup, nullptr);
  ::ShowWindow(popup, SW_SHOWNOACTIVATE);
  Pump();
  ASSERT_EQ(::WindowFromPoint(screen), popup);

  SendMouse(Bar(), WM_LBUTTONDOWN, target.x, target.y);
  ASSERT_EQ(bar->events.size(), 1u);
  EXPECT_EQ(bar->events[0].item, nullptr);
  EXPECT_EQ(bar->ItemFromPoint(target.x, target.y), nullptr);

  ::DestroyWindow(popup);
  Pump();
  SendMouse(Bar(), WM_LBUTTONDOWN, target.x, target.y);
  ASSERT_EQ(bar->events.size(), 2u);
  EXPECT_EQ(bar->events[1].item, first);
}

TEST_F(BarWndTest, MouseMovesOverABarInAnInactiveWindowAreIgnored) {
  HWND other = MakePopup(RECT{300, 300, 400, 400}, WS_POPUP | WS_VISIBLE);
  ASSERT_NE(other, nullptr);
  ::SetActiveWindow(other);
  Pump();
  ASSERT_EQ(::GetActiveWindow(), other);
  SendMouse(Bar(), WM_MOUSEMOVE, 20, 10);
  EXPECT_TRUE(bar->events.empty());

  ::DestroyWindow(other);
  ::SetActiveWindow(MainFrame()->m_hWnd);
  Pump();
  SendMouse(Bar(), WM_MOUSEMOVE, 20, 10);
  ASSERT_EQ(bar->events.size(), 1u);
  EXPECT_EQ(bar->events[0].item, first);
}

TEST_F(BarWndTest, DelayShowTakesEffectAtTheNextIdleUpdateOnly) {
  struct Case {
    bool visible;
    std::vector<bool> requests;
    bool expected;
  };
  const Case cases[] = {
      {true, {false, true}, true}, {true, {false}, false}, {false, {true}, true},
      {false, {true, false}, false}, {true, {true}, true},  {false, {false}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "visible " << c.visible << ", requests " << c.requests.size()
                                    << ", last " << c.requests.back());
    bar->ShowWindow(c.visible ? SW_SHOW : SW_HIDE);
    bar->SendMessage(WM_IDLEUPDATECMDUI, 0);  // settles what earlier cases left pending
    bar->ShowWindow(c.visible ? SW_SHOW : SW_HIDE);
    for (bool show : c.requests) bar->DelayShow(show);
    EXPECT_EQ((bar->GetStyle() & WS_VISIBLE) != 0, c.visible);
    bar->SendMessage(WM_IDLEUPDATECMDUI, 0);
    EXPECT_EQ((bar->GetStyle() & WS_VISIBLE) != 0, c.expected);
  }
}

TEST_F(BarWndTest, ANewBarHiddenBeforeItsFirstIdleUpdateShowsAgain) {
  RecordingBar fresh;
  ASSERT_TRUE(fresh.Create(MainFrame()));
  fresh.ShowWindow(SW_HIDE);
  fresh.SendMessage(WM_INITIALUPDATE);
  EXPECT_TRUE(fresh.GetStyle() & WS_VISIBLE);
  fresh.ShowWindow(SW_HIDE);
  fresh.SendMessage(WM_IDLEUPDATECMDUI, 1);
  EXPECT_FALSE(fresh.GetStyle() & WS_VISIBLE);
}

TEST_F(BarWndTest, AnItemTipIsThePartOfItsStringAfterTheLineBreak) {
  ASSERT_NE(AfxLoadString(kBackCommand).find('\n'), std::string::npos);
  EXPECT_EQ(first->GetTipText(), "Back");
  ASSERT_FALSE(AfxLoadString(kMessageString).empty());
  EXPECT_EQ(second->GetTipText(), "");
  TestItem missing(RECT{0, 0, 1, 1}, 59999);
  EXPECT_EQ(missing.GetId(), 59999u);
  EXPECT_EQ(missing.GetTipText(), "");
  missing.SetId(0);
  EXPECT_EQ(missing.GetId(), 59999u);
}

TEST_F(BarWndTest, ItemTipGoesToTheNameBubbleAndItsPromptToTheFrame) {
  CNameBubble bubble;
  ASSERT_TRUE(bubble.Create(MainFrame(), kBubbleColour));
  ui.bubble = &bubble;

  bar->ShowItemTip(true, first);
  EXPECT_EQ(bubble.GetWindowText(), "Back");
  RECT bubbleRect{};
  bubble.GetWindowRect(&bubbleRect);
  const POINT tip = ScreenPoint(POINT{first->GetRect().left + 1, first->GetRect().bottom + 1});
  EXPECT_EQ(bubbleRect.top, tip.y);
  ASSERT_FALSE(MainFrame()->prompts.empty());
  EXPECT_EQ(MainFrame()->prompts.back(), kBackCommand);

  bar->ShowItemTip(false, nullptr);
  EXPECT_FALSE(bubble.IsWindowVisible());
  EXPECT_EQ(MainFrame()->prompts.back(), AFX_IDS_IDLEMESSAGE);

  // An item without a tip dismisses the bubble but still has its prompt.
  bubble.ShowWindow(SW_SHOWNA);
  bar->ShowItemTip(true, second);
  EXPECT_FALSE(bubble.IsWindowVisible());
  EXPECT_EQ(MainFrame()->prompts.back(), kMessageString);
}

TEST_F(BarWndTest, TipsAndPromptsFollowTheStyleFlags) {
  CNameBubble bubble;
  ASSERT_TRUE(bubble.Create(MainFrame(), kBubbleColour));
  ui.bubble = &bubble;
  bar->SetStyleFlags(CBarWnd::kShowsPrompts);
  bar->ShowItemTip(true, first);
  EXPECT_EQ(bubble.GetWindowText(), "");
  EXPECT_EQ(MainFrame()->prompts.size(), 1u);

  bar->SetStyleFlags(CBarWnd::kShowsTips);
  bar->ShowItemTip(true, first);
  EXPECT_EQ(bubble.GetWindowText(), "Back");
  EXPECT_EQ(MainFrame()->prompts.size(), 1u);

  // Without a bubble only the prompt goes out.
  ui.bubble = nullptr;
  bar->SetStyleFlags(CBarWnd::kDefaultStyle);
  bar->ShowItemTip(true, first);
  EXPECT_EQ(MainFrame()->prompts.size(), 2u);
}

TEST_F(BarWndTest, HidingAVisibleBarEndsItsCaptureAndTip) {
  bar->SetCapture();
  ASSERT_EQ(::GetCapture(), Bar());
  bar->Show(false);
  EXPECT_NE(::GetCapture(), Bar());
  EXPECT_FALSE(bar->GetStyle() & WS_VISIBLE);
  EXPECT_EQ(MainFrame()->prompts.back(), AFX_IDS_IDLEMESSAGE);
  bar->Show(true);
  EXPECT_TRUE(bar->GetStyle() & WS_VISIBLE);
}

TEST_F(BarWndTest, FrameLayoutPutsTheBarAcrossTheTopWithoutTakingSpace) {
  SizeParentParams layout{};
  layout.rect = RECT{10, 20, 310, 200};
  bar->height = 27;
  bar->SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  const RECT placed = ParentRect();
  EXPECT_EQ(placed.left, 0);
  EXPECT_EQ(placed.top, 0);
  EXPECT_EQ(placed.right, 300);
  EXPECT_EQ(placed.bottom, 27);
  EXPECT_EQ(layout.rect.left, 10);
  EXPECT_EQ(layout.rect.top, 20);
  EXPECT_EQ(layout.rect.bottom, 200);
}

TEST_F(BarWndTest, FrameLayoutLeavesBarsThatDoNotSizeThemselves) {
  struct Case {
    const char* name;
    unsigned flags;
    bool visible;
  };
  const Case cases[] = {{"in a host", CBarWnd::kDefaultStyle | CBarWnd::kInHost, true},
                        {"not sizing itself", CBarWnd::kShowsTips, true},
                        {"hidden", CBarWnd::kDefaultStyle, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bar->SetWindowPos(nullptr, 10, 40, 300, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    bar->SetStyleFlags(c.flags);
    bar->ShowWindow(c.visible ? SW_SHOW : SW_HIDE);
    SizeParentParams layout{};
    layout.rect = RECT{0, 0, 200, 100};
    bar->SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    const RECT placed = ParentRect();
    EXPECT_EQ(placed.left, 10);
    EXPECT_EQ(placed.right, 310);
  }
}

TEST_F(BarWndTest, HostLayoutMessagePlacesTheBarAndReportsItsSize) {
  struct Case {
    const char* name;
    int stretch;
    int rightAligned;
    int barWidth;
    int expectedLeft;
    int expectedWidth;
  };
  // Offered: 30 to 230 at top 4.
  const Case cases[] = {{"own width", 0, 0, 120, 30, 120},
                        {"narrowed to the space", 0, 0, 260, 30, 200},
                        {"stretched", 1, 0, 120, 30, 200},
                        {"right-aligned", 0, 1, 120, 110, 120},
                        {"right-aligned wins over stretch", 1, 1, 50, 180, 50}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bar->width = c.barWidth;
    bar->height = 25;
    BarLayout record{30, 4, 230, 40, 0, 0, c.stretch, c.rightAligned};
    EXPECT_EQ(bar->SendMessage(CBarWnd::kLayoutMessage, 0, reinterpret_cast<LPARAM>(&record)), 0);
    EXPECT_EQ(record.width, c.expectedWidth);
    EXPECT_EQ(record.height, 25);
    const RECT placed = ParentRect();
    EXPECT_EQ(placed.left, c.expectedLeft);
    EXPECT_EQ(placed.top, 4);
    EXPECT_EQ(placed.right - placed.left, c.expectedWidth);
    EXPECT_EQ(placed.bottom - placed.top, 25);
  }
  bar->ShowWindow(SW_HIDE);
  BarLayout hidden{30, 4, 230, 40, 0, 0, 1, 0};
  bar->SendMessage(CBarWnd::kLayoutMessage, 0, reinterpret_cast<LPARAM>(&hidden));
  EXPECT_EQ(hidden.width, 0);
  EXPECT_EQ(hidden.height, 0);
}

TEST_F(BarWndTest, ClipOutsideLeavesTheInnerRectangleAlone) {
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 20, 20);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  const RECT all{0, 0, 20, 20};
  ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  bar->ClipOutside(CDC::FromHandle(memory), RECT{2, 2, 18, 18}, RECT{6, 6, 14, 14});
  ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  const Pixels pixels = ContextPixels(memory, 20, 20);
  EXPECT_EQ(pixels.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(pixels.At(3, 3), RGB(0, 0, 0));
  EXPECT_EQ(pixels.At(10, 10), RGB(255, 255, 255));
  EXPECT_EQ(pixels.At(16, 10), RGB(0, 0, 0));
  EXPECT_EQ(pixels.At(19, 19), RGB(255, 255, 255));
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
}

TEST_F(BarWndTest, ItemsAreAddressedByIdOrIndex) {
  EXPECT_EQ(bar->GetItemCount(), 2);
  EXPECT_EQ(bar->FindItemById(kMessageString), 1);
  EXPECT_EQ(bar->FindItemById(4711), -1);
  EXPECT_EQ(bar->SetItemData(CBarWnd::kById, kMessageString, 7), second);
  EXPECT_EQ(bar->SetItemData(CBarWnd::kByIndex, 0, 9), first);
  EXPECT_EQ(bar->GetItemData(CBarWnd::kByIndex, 1), 7);
  EXPECT_EQ(bar->GetItemData(CBarWnd::kById, kBackCommand), 9);
  EXPECT_EQ(bar->GetItemData(CBarWnd::kById, 4711), -1);
  EXPECT_EQ(bar->GetItemData(CBarWnd::kByIndex, 2), -1);
  EXPECT_EQ(bar->SetItemData(CBarWnd::kByIndex, 5, 1), nullptr);
  EXPECT_EQ(bar->GetItem(-1), nullptr);
  EXPECT_EQ(bar->GetItem(2), nullptr);

  bar->ShiftItems(1, 5, -1);
  EXPECT_EQ(second->GetRect().left, 45);
  EXPECT_EQ(second->GetRect().right, 85);
  EXPECT_EQ(first->GetRect().left, 0);

  bar->SetCurrentItem(second);
  EXPECT_TRUE(bar->IsCurrentItem(second));
  bar->RemoveItem(7);
  EXPECT_EQ(bar->GetItemCount(), 2);
  bar->RemoveItem(1);
  EXPECT_EQ(bar->GetCurrentItem(), nullptr);
  EXPECT_EQ(bar->GetItemCount(), 1);
}

}  // namespace
