// Tab rows: placing, selecting, renaming and removing tabs, clicks and
// hover, attention mode, drawing and the command-UI update of tabs.
#include <memory>
#include <string>

#include "BarsTestSupport.h"
#include "CFont.h"
#include "CZrTabRow.h"
#include "ControlResources.h"
#include "FrameworkIds.h"
#include "NameBubble.h"

namespace {

constexpr UINT kFirst = kUpdatedFirst;
constexpr UINT kSecond = kUpdatedFirst + 1;
constexpr UINT kThird = kUpdatedFirst + 2;
constexpr UINT kIconBitmap = 275;  // 16 by 16
constexpr COLORREF kUnselectedFace = RGB(255, 255, 0);
constexpr COLORREF kSelectedFace = RGB(0, 255, 255);
constexpr COLORREF kBand = RGB(255, 0, 255);

int TextWidth(CFont& font, const std::string& text) {
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(screen, font.m_hObject);
  SIZE size{};
  ::GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  return size.cx;
}

class TabRowTest : public BarsTest {
 protected:
  CFont font;
  std::unique_ptr<CZrTabRow> row = std::make_unique<CZrTabRow>();

  void SetUp() override {
    BarsTest::SetUp();
    ASSERT_TRUE(font.CreateFont(-11, FW_NORMAL, "Arial"));
    MakeRow(CZrTabRow::kTabsAbove);
  }
  void TearDown() override {
    row.reset();
    BarsTest::TearDown();
  }
  void MakeRow(int orientation) {
    row = std::make_unique<CZrTabRow>();
    ASSERT_TRUE(row->Create(MainFrame(), orientation, 0));
    row->SetFont(&font);
    row->SetWindowPos(nullptr, 0, 40, 400, row->GetHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void AddThree() {
    row->AddTab(kFirst, "People", 0);
    row->AddTab(kSecond, "Places", 0);
    row->AddTab(kThird, "Chat", kIconBitmap);
    Pump();
  }
  CTabItem* Tab(int index) const { return row->GetTab(index); }
  void Click(const CTabItem* tab) {
    const POINT point = Centre(tab->GetRect());
    SendMouse(row->m_hWnd, WM_LBUTTONDOWN, point.x, point.y);
    SendMouse(row->m_hWnd, WM_LBUTTONUP, point.x, point.y);
  }
  void MoveOver(const CTabItem* tab) {
    const POINT point = Centre(tab->GetRect());
    SendMouse(row->m_hWnd, WM_MOUSEMOVE, point.x, point.y);
  }
  Pixels Shown() {
    row->Invalidate(true);
    row->UpdateWindow();
    return ScreenPixels(row->m_hWnd);
  }
};

TEST_F(TabRowTest, TheFirstTabIsSelectedAndTabsFollowEachOther) {
  AddThree();
  ASSERT_EQ(row->GetItemCount(), 3);
  EXPECT_EQ(row->GetSelectedTab(), Tab(0));
  EXPECT_TRUE(Tab(0)->IsSelected());
  EXPECT_FALSE(Tab(1)->IsSelected());
  EXPECT_FALSE(Tab(2)->IsSelected());

  const int height = row->GetHeight();
  EXPECT_EQ(Tab(0)->GetRect().left, 2);
  EXPECT_EQ(Tab(0)->GetRect().top, 2);
  EXPECT_EQ(Tab(0)->GetRect().bottom, height - 1);
  EXPECT_EQ(Tab(0)->GetRect().right, 2 + TextWidth(font, "People") + 10);
  EXPECT_EQ(Tab(1)->GetRect().left, Tab(0)->GetRect().right + 1);
  EXPECT_EQ(Tab(2)->GetRect().left, Tab(1)->GetRect().right + 1);
  EXPECT_TRUE(Tab(2)->HasIcon());
  EXPECT_EQ(Tab(2)->GetWidth(), TextWidth(font, "Chat") + 26);
}

TEST_F(TabRowTest, BottomTabsLeaveTwoPixelsAtTheBottom) {
  MakeRow(CZrTabRow::kTabsBelow);
  AddThree();
  EXPECT_EQ(Tab(1)->GetRect().top, 2);
  EXPECT_EQ(Tab(1)->GetRect().bottom, row->GetHeight() - 2);
}

TEST_F(TabRowTest, RowHeightFollowsTheFontLineHeight) {
  struct Case {
    int cellHeight;
    int lineHeight;
    int rowHeight;
  };
  // A line is the cell (character height and internal leading) and the
  // external leading.
  const Case cases[] = {{12, 12, 23}, {16, 16, 23}, {17, 17, 24}, {19, 20, 27}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cellHeight);
    CFont sized;
    // A positive height asks for that cell height.
    ASSERT_TRUE(sized.CreateFont(c.cellHeight, FW_NORMAL, "Arial"));
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, sized.m_hObject);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(screen, &metrics);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    ASSERT_EQ(metrics.tmHeight + metrics.tmExternalLeading, c.lineHeight);
    row->SetFont(&sized);
    EXPECT_EQ(row->GetHeight(), c.rowHeight);
  }
  row->SetFont(&font);
}

TEST_F(TabRowTest, AClickPostsTheTabIdWithoutSelectingIt) {
  AddThree();
  Click(Tab(1));
  EXPECT_EQ(PostedCommands(), std::vector<UINT>{kSecond});
  EXPECT_EQ(row->GetSelectedTab(), Tab(0));
}

TEST_F(TabRowTest, ClicksOnTheSelectedOrADisabledTabPostNothing) {
  AddThree();
  Click(Tab(0));
  row->SetTabFlagA(CBarWnd::kById, kThird, false);
  ASSERT_FALSE(Tab(2)->IsEnabled());
  Click(Tab(2));
  EXPECT_TRUE(PostedCommands().empty());
  row->SetTabFlagA(CBarWnd::kByIndex, 2, true);
  Click(Tab(2));
  EXPECT_EQ(PostedCommands(), std::vector<UINT>{kThird});
}

class ClaimingRow : public CZrTabRow {
 public:
  std::vector<UINT> clicked;
  bool OnTabClicked(UINT id) override {
    clicked.push_back(id);
    return true;
  }
};

TEST_F(TabRowTest, ASubclassThatTakesTheClickStopsTheCommand) {
  ClaimingRow claiming;
  ASSERT_TRUE(claiming.Create(MainFrame(), CZrTabRow::kTabsAbove, 0));
  claiming.SetWindowPos(nullptr, 0, 80, 300, claiming.GetHeight(), SWP_NOZORDER);
  claiming.AddTab(kFirst, "One", 0);
  claiming.AddTab(kSecond, "Two", 0);
  const POINT point = Centre(claiming.GetTab(1)->GetRect());
  SendMouse(claiming.m_hWnd, WM_LBUTTONDOWN, point.x, point.y);
  EXPECT_EQ(claiming.clicked, std::vector<UINT>{kSecond});
  EXPECT_TRUE(PostedCommands().empty());
}

TEST_F(TabRowTest, RenamingAMiddleTabMovesTheLaterTabsByTheWidthChange) {
  AddThree();
  const RECT first = Tab(0)->GetRect();
  const RECT middle = Tab(1)->GetRect();
  const RECT last = Tab(2)->GetRect();
  const int difference = TextWidth(font, "Places and people") - TextWidth(font, "Places");
  ASSERT_GT(difference, 0);
  row->RenameTab(kSecond, "Places and people", true);
  EXPECT_EQ(Tab(1)->GetText(), "Places and people");
  EXPECT_EQ(Tab(0)->GetRect().right, first.right);
  EXPECT_EQ(Tab(1)->GetRect().left, middle.left);
  EXPECT_EQ(Tab(1)->GetRect().right, middle.right + difference);
  EXPECT_EQ(Tab(2)->GetRect().left, last.left + difference);
  EXPECT_EQ(Tab(2)->GetRect().right, last.right + difference);

  // Back to the short name: everything returns; the same name again moves
  // nothing.
  row->RenameTab(kSecond, "Places", false);
  row->RenameTab(kSecond, "Places", false);
  EXPECT_EQ(Tab(2)->GetRect().left, last.left);
  EXPECT_EQ(Tab(1)->GetRect().right, middle.right);
  row->RenameTab(4711, "Nobody", true);
  EXPECT_EQ(Tab(2)->GetRect().left, last.left);
}

TEST_F(TabRowTest, RemovingATabMovesTheLaterTabsLeftByItsWidth) {
  AddThree();
  const RECT middle = Tab(1)->GetRect();
  const RECT last = Tab(2)->GetRect();
  row->RemoveTab(kSecond);
  ASSERT_EQ(row->GetItemCount(), 2);
  EXPECT_EQ(Tab(1)->GetId(), kThird);
  EXPECT_EQ(Tab(1)->GetRect().left, last.left - (middle.right - middle.left));
  row->RemoveTab(4711);
  EXPECT_EQ(row->GetItemCount(), 2);

  // Without the selected tab the row has no selection until the next one.
  row->RemoveTab(kFirst);
  EXPECT_EQ(row->GetSelectedTab(), nullptr);
  row->AddTab(kSecond, "Places", 0);
  EXPECT_FALSE(Tab(1)->IsSelected());
  row->SelectTabByKey(kSecond);
  EXPECT_EQ(row->GetSelectedTab(), Tab(1));
}

TEST_F(TabRowTest, SelectingByKeySkipsGreyedAndUnknownTabs) {
  AddThree();
  row->SetTabGreyed(CBarWnd::kById, kSecond, true);
  ASSERT_TRUE(Tab(1)->IsGreyed());
  row->SelectTabByKey(kSecond);
  EXPECT_EQ(row->GetSelectedTab(), Tab(0));
  EXPECT_FALSE(Tab(1)->IsSelected());
  row->SelectTabByKey(4711);
  EXPECT_EQ(row->GetSelectedTab(), Tab(0));

  row->SelectTabByKey(kThird);
  EXPECT_EQ(row->GetSelectedTab(), Tab(2));
  EXPECT_TRUE(Tab(2)->IsSelected());
  EXPECT_FALSE(Tab(0)->IsSelected());
}

TEST_F(TabRowTest, TheSelectedTabRefusesFlagChanges) {
  AddThree();
  row->SetTabFlagA(CBarWnd::kByIndex, 0, false);
  row->SetTabFlagB(CBarWnd::kByIndex, 0, true);
  row->SetTabGreyed(CBarWnd::kByIndex, 0, true);
  EXPECT_TRUE(Tab(0)->IsEnabled());
  EXPECT_FALSE(Tab(0)->IsHighlighted());
  EXPECT_FALSE(Tab(0)->IsGreyed());
  EXPECT_FALSE(Tab(1)->SetEnabled(true));  // unchanged
  EXPECT_TRUE(Tab(1)->SetEnabled(false));
}

// Whether the icon's own pixels are on the screen at the tab's icon place.
bool IconShownOnScreen(const Pixels& shown, const CTabItem& tab) {
  const Pixels icon = BitmapPixels(kIconBitmap);
  const Pixels place = Crop(shown, tab.GetIconRect());
  const COLORREF key = ResourceColour(0) & 0xFFFFFF;
  int compared = 0;
  for (int y = 0; y < icon.height; ++y) {
    for (int x = 0; x < icon.width; ++x) {
      if (icon.At(x, y) == key) continue;
      ++compared;
      if (place.At(x, y) != icon.At(x, y)) return false;
    }
  }
  return compared > 0;
}

TEST_F(TabRowTest, AnAttentionTabShowsItsIconOnlyWhileHighlighted) {
  row->AddTab(kFirst, "People", kIconBitmap);
  row->SetAttentionMode(true);
  row->AddTab(kSecond, "Alert", kIconBitmap);
  Pump();
  EXPECT_FALSE(Tab(0)->IsAttentionMode());
  ASSERT_TRUE(Tab(1)->IsAttentionMode());
  Pixels shown = Shown();
  EXPECT_TRUE(IconShownOnScreen(shown, *Tab(0)));
  EXPECT_FALSE(IconShownOnScreen(shown, *Tab(1)));

  row->SetTabFlagB(CBarWnd::kById, kSecond, true);
  ASSERT_TRUE(Tab(1)->IsHighlighted());
  EXPECT_TRUE(IconShownOnScreen(ScreenPixels(row->m_hWnd), *Tab(1)));

  row->SelectTabByKey(kSecond);
  EXPECT_FALSE(Tab(1)->IsHighlighted());
  EXPECT_FALSE(IconShownOnScreen(Shown(), *Tab(1)));
}

TEST_F(TabRowTest, ADisabledTabHasNoIconAndEngravedText) {
  row->AddTab(kFirst, "People", 0);
  row->AddTab(kSecond, "Chat", kIconBitmap);
  EXPECT_TRUE(IconShownOnScreen(Shown(), *Tab(1)));
  const RECT text{Tab(1)->GetRect().left + 21, Tab(1)->GetRect().top + 2,
                  Tab(1)->GetRect().right - 5, Tab(1)->GetRect().bottom - 3};
  EXPECT_GT(CountColour(Crop(Shown(), text), RGB(0, 0, 0)), 0);

  row->SetTabFlagA(CBarWnd::kById, kSecond, false);
  const Pixels shown = ScreenPixels(row->m_hWnd);
  EXPECT_FALSE(IconShownOnScreen(shown, *Tab(1)));
  const Pixels label = Crop(shown, text);
  EXPECT_EQ(CountColour(label, RGB(0, 0, 0)), 0);
  EXPECT_GT(CountColour(label, ::GetSysColor(COLOR_BTNSHADOW)), 0);
  EXPECT_GT(CountColour(label, RGB(255, 255, 255)), 0);
}

TEST_F(TabRowTest, TabsAreDrawnInTheirColoursWithTheOutline) {
  row->SetColors(kUnselectedFace, kSelectedFace, kBand);
  AddThree();
  row->SelectTabByKey(kThird);
  const Pixels shown = Shown();
  const RECT selected = Tab(2)->GetDrawRect();
  const RECT other = Tab(0)->GetRect();
  // The selected tab stands out by two pixels and reaches the bottom.
  EXPECT_EQ(selected.left, Tab(2)->GetRect().left - 2);
  EXPECT_EQ(selected.right, Tab(2)->GetRect().right + 2);
  EXPECT_EQ(selected.top, 0);
  EXPECT_EQ(selected.bottom, row->GetHeight());
  EXPECT_EQ(shown.At(selected.right - 4, selected.top + 3), kSelectedFace);
  EXPECT_EQ(shown.At(selected.right - 4, selected.bottom - 2), kSelectedFace);
  EXPECT_EQ(shown.At(other.left + 2, other.top + 3), kUnselectedFace);
  EXPECT_EQ(shown.At(other.left + 2, other.bottom - 2), kBand);
  const int middle = (other.top + other.bottom) / 2;
  EXPECT_EQ(shown.At(other.left, middle), RGB(255, 255, 255));
  EXPECT_EQ(shown.At(other.right - 2, middle), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(shown.At(other.right - 1, middle), RGB(0, 0, 0));
  // Cut corner at the outer edge, and the white line along the row's bottom.
  EXPECT_EQ(shown.At(other.left, other.top), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(shown.At(390, row->GetHeight() - 1), RGB(255, 255, 255));
}

TEST_F(TabRowTest, HoverShowsTheTipAndHoldsTheMouseOverEnabledTabs) {
  CNameBubble bubble;
  ASSERT_TRUE(bubble.Create(MainFrame(), RGB(255, 255, 225)));
  ui.bubble = &bubble;
  AddThree();
  row->SetTabTip(CBarWnd::kById, kSecond, "Places you know");
  MoveOver(Tab(1));
  EXPECT_EQ(row->GetHotTab(), Tab(1));
  EXPECT_EQ(::GetCapture(), row->m_hWnd);
  EXPECT_EQ(bubble.GetWindowText(), "Places you know");
  EXPECT_EQ(MainFrame()->prompts.back(), kSecond);

  // Off the tabs the tip goes and the mouse is let go.
  SendMouse(row->m_hWnd, WM_MOUSEMOVE, 395, 5);
  EXPECT_EQ(row->GetHotTab(), nullptr);
  EXPECT_NE(::GetCapture(), row->m_hWnd);
  EXPECT_EQ(MainFrame()->prompts.back(), AFX_IDS_IDLEMESSAGE);

  row->SetTabFlagA(CBarWnd::kById, kThird, false);
  MoveOver(Tab(2));
  EXPECT_EQ(row->GetHotTab(), Tab(2));
  EXPECT_NE(::GetCapture(), row->m_hWnd);

  MoveOver(Tab(1));
  ASSERT_EQ(::GetCapture(), row->m_hWnd);
  row->SendMessage(WM_CANCELMODE);
  EXPECT_EQ(row->GetHotTab(), nullptr);
  EXPECT_NE(::GetCapture(), row->m_hWnd);
  EXPECT_FALSE(bubble.IsWindowVisible());
}

TEST_F(TabRowTest, TheRowTakesTheMouseAgainAfterAnotherWindowTookIt) {
  AddThree();
  MoveOver(Tab(1));
  ASSERT_EQ(::GetCapture(), row->m_hWnd);
  CWnd other;
  ASSERT_TRUE(other.CreateEx(0, CWnd::RegisterWndClass(0), "", WS_CHILD | WS_VISIBLE,
                             RECT{0, 200, 20, 220}, MainFrame(), 0));
  other.SetCapture();
  ASSERT_EQ(::GetCapture(), other.m_hWnd);
  MoveOver(Tab(2));
  EXPECT_EQ(::GetCapture(), row->m_hWnd);
}

TEST_F(TabRowTest, BottomTabTipsGoAboveTheTab) {
  CNameBubble bubble;
  ASSERT_TRUE(bubble.Create(MainFrame(), RGB(255, 255, 225)));
  bubble.SetWindowPos(nullptr, 0, 0, 60, 17, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  MakeRow(CZrTabRow::kTabsBelow);
  AddThree();
  ui.bubble = nullptr;
  EXPECT_EQ(Tab(1)->GetTipPoint().y, Tab(1)->GetRect().top - 1);
  ui.bubble = &bubble;
  RECT bubbleRect{};
  bubble.GetWindowRect(&bubbleRect);
  const POINT tip = Tab(1)->GetTipPoint();
  EXPECT_EQ(tip.x, Tab(1)->GetRect().left + 1);
  EXPECT_EQ(tip.y, Tab(1)->GetRect().top - (bubbleRect.bottom - bubbleRect.top) - 1);

  MakeRow(CZrTabRow::kTabsAbove);
  AddThree();
  EXPECT_EQ(Tab(1)->GetTipPoint().y, Tab(1)->GetRect().bottom + 1);
}

TEST_F(TabRowTest, IdleUpdateEnablesTabsThroughTheFramesHandlers) {
  row->AddTab(kFirst, "Selected", 0);
  row->AddTab(kSecond, "Updated", 0);
  row->AddTab(kHandledCommand, "Handled", 0);
  row->AddTab(kUnhandledCommand, "Unhandled", 0);
  MainFrame()->updateEnable[kSecond] = false;

  // Without the update style the tabs stay as they are.
  row->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_TRUE(Tab(1)->IsEnabled());
  EXPECT_TRUE(Tab(3)->IsEnabled());

  row->SetStyleFlags(row->GetStyleFlags() | CBarWnd::kUpdatesItems);
  row->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_FALSE(Tab(1)->IsEnabled());
  EXPECT_TRUE(Tab(2)->IsEnabled());
  EXPECT_FALSE(Tab(3)->IsEnabled());
  EXPECT_TRUE(Tab(0)->IsEnabled());

  MainFrame()->updateEnable[kSecond] = true;
  row->SendMessage(WM_IDLEUPDATECMDUI, FALSE);
  EXPECT_TRUE(Tab(1)->IsEnabled());
  EXPECT_FALSE(Tab(3)->IsEnabled());
}

}  // namespace
