// The bar host: bars side by side with etched separators, a right-aligned
// last bar, and a height that never shrinks.
#include <memory>

#include "BarTestTypes.h"
#include "BarsTestSupport.h"
#include "CBarHost.h"
#include "FrameworkIds.h"

namespace {

constexpr int kHostWidth = 480;

COLORREF EtchColour() {
  const COLORREF menu = ::GetSysColor(COLOR_MENU);
  return menu == RGB(255, 255, 255) ? RGB(128, 128, 128) : menu;
}

class BarHostTest : public BarsTest {
 protected:
  std::unique_ptr<CBarHost> host = std::make_unique<CBarHost>();
  RecordingBar bars[3];

  void SetUp() override {
    BarsTest::SetUp();
    ASSERT_TRUE(host->Create(MainFrame()));
    const int widths[3] = {100, 50, 60};
    const int heights[3] = {20, 26, 22};
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(bars[i].Create(MainFrame()));
      bars[i].width = widths[i];
      bars[i].height = heights[i];
      ASSERT_TRUE(host->AddBar(&bars[i]));
    }
  }
  void TearDown() override {
    for (RecordingBar& bar : bars) bar.DestroyWindow();
    host.reset();
    BarsTest::TearDown();
  }
  // Lays the host out as the frame does, over the frame's width.
  void FrameLayout() {
    SizeParentParams layout{};
    layout.rect = RECT{0, 0, kHostWidth, 300};
    host->SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  }
  static RECT InHost(const CWnd& bar) {
    RECT rect{};
    bar.GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, ::GetParent(bar.m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  static RECT HostRect(const CBarHost& host) {
    RECT rect{};
    host.GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, MainFrame()->m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
};

TEST_F(BarHostTest, AddedBarsLiveInTheHost) {
  EXPECT_EQ(host->GetBarCount(), 3);
  for (const RecordingBar& bar : bars) EXPECT_EQ(::GetParent(bar.m_hWnd), host->m_hWnd);
  EXPECT_TRUE(ui.IsListed(host->m_hWnd));
  const HWND window = host->m_hWnd;
  host->DestroyWindow();
  EXPECT_FALSE(ui.IsListed(window));
}

TEST_F(BarHostTest, BarsInTheHostSendTheirPromptsToTheFrame) {
  EXPECT_EQ(bars[0].GetNotifyFrame(), MainFrame());
  TestItem item(RECT{0, 0, 10, 10}, 32629);
  bars[0].ShowItemTip(true, &item);
  ASSERT_FALSE(MainFrame()->prompts.empty());
  EXPECT_EQ(MainFrame()->prompts.back(), 32629u);
}

TEST_F(BarHostTest, ThreeBarsWithTheLastRightAligned) {
  host->SetRightAligned(&bars[2]);
  FrameLayout();
  const RECT a = InHost(bars[0]);
  const RECT b = InHost(bars[1]);
  const RECT c = InHost(bars[2]);
  EXPECT_EQ(c.left, kHostWidth - 60);
  EXPECT_EQ(c.right, kHostWidth);
  EXPECT_EQ(a.left, 0);
  EXPECT_EQ(a.right, 100);
  EXPECT_EQ(b.left, 102);
  EXPECT_EQ(b.right, kHostWidth - 60 - 2);
  EXPECT_EQ(a.bottom, 20);
  EXPECT_EQ(b.bottom, 26);
  EXPECT_EQ(c.bottom, 22);

  const RECT placed = HostRect(*host);
  EXPECT_EQ(placed.left, 0);
  EXPECT_EQ(placed.top, 0);
  EXPECT_EQ(placed.right, kHostWidth);
  EXPECT_EQ(placed.bottom, 26);
  EXPECT_EQ(host->GetHeight(), 26);

  // Etched separators at each boundary: grey, white beside it, black foot.
  host->Invalidate(true);
  host->UpdateWindow();
  Pump();
  const Pixels pixels = ScreenPixels(host->m_hWnd);
  for (int x : {100, kHostWidth - 62}) {
    SCOPED_TRACE(x);
    EXPECT_EQ(pixels.At(x, 5), EtchColour());
    EXPECT_EQ(pixels.At(x + 1, 5), RGB(255, 255, 255));
    EXPECT_EQ(pixels.At(x, 25), RGB(0, 0, 0));
  }
}

TEST_F(BarHostTest, LayoutReturnsTheTallestBarAndStretchesTheLastWithoutRightAlignment) {
  EXPECT_EQ(host->Layout(0, 0, kHostWidth, 40), 26);
  EXPECT_EQ(InHost(bars[0]).right, 100);
  EXPECT_EQ(InHost(bars[1]).left, 102);
  EXPECT_EQ(InHost(bars[1]).right, 152);
  EXPECT_EQ(InHost(bars[2]).left, 154);
  EXPECT_EQ(InHost(bars[2]).right, kHostWidth);
}

TEST_F(BarHostTest, ARightAlignedMarkOnlyCountsOnTheLastBar) {
  host->SetRightAligned(&bars[0]);
  host->Layout(0, 0, kHostWidth, 40);
  EXPECT_EQ(InHost(bars[0]).left, 0);
  EXPECT_EQ(InHost(bars[2]).right, kHostWidth);
  EXPECT_EQ(InHost(bars[2]).left, 154);
}

TEST_F(BarHostTest, AHiddenBarTakesNoSpace) {
  bars[1].ShowWindow(SW_HIDE);
  host->Layout(0, 0, kHostWidth, 40);
  EXPECT_EQ(InHost(bars[2]).left, 104);
}

TEST_F(BarHostTest, TheHostHeightNeverShrinks) {
  FrameLayout();
  ASSERT_EQ(host->GetHeight(), 26);
  for (RecordingBar& bar : bars) bar.height = 12;
  FrameLayout();
  EXPECT_EQ(host->GetHeight(), 26);
  EXPECT_EQ(HostRect(*host).bottom, 26);
  bars[0].height = 31;
  FrameLayout();
  EXPECT_EQ(host->GetHeight(), 31);
  host->ShowWindow(SW_HIDE);
  EXPECT_EQ(host->GetHeight(), 0);
}

}  // namespace
