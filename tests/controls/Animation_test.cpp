// The busy animation, the progress meter, the splash window and the
// borrowed-child reference on real windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "CChildWndRef.h"
#include "CColorFrameWnd.h"
#include "CLogoWnd.h"
#include "CSplashWnd.h"
#include "ControlsTestSupport.h"

namespace {

constexpr UINT kBusyBitmap = 468;
constexpr UINT kFrames = 5;
constexpr UINT kMissingResource = 9999;
constexpr char kAnimationUrl[] = "www.lumora.example";

RECT RectInParent(HWND window) {
  RECT rect;
  ::GetWindowRect(window, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// ---- Busy animation ------------------------------------------------------------

class LogoTest : public ControlsTest {
 protected:
  CLogoWnd logo;
  void SetUp() override {
    ControlsTest::SetUp();
    ASSERT_EQ(logo.Create(MainWnd(), kBusyBitmap, kFrames, kAnimationUrl), 1);
  }
  void TearDown() override {
    logo.DestroyWindow();
    ControlsTest::TearDown();
  }
  void Tick() { logo.SendMessage(WM_TIMER, 1, 0); }
};

TEST_F(LogoTest, IsAHiddenChildOfOneFrameWithTheLinkCursor) {
  EXPECT_FALSE(logo.IsWindowVisible());
  RECT rect = RectInParent(logo);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, logo.GetBitmapSize().cx / static_cast<int>(kFrames));
  EXPECT_EQ(rect.bottom, logo.GetBitmapSize().cy);
  EXPECT_TRUE(::GetWindowLongA(logo, GWL_STYLE) & WS_CLIPSIBLINGS);
  HCURSOR link = ::LoadCursorA(Resources(), MAKEINTRESOURCEA(258));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(::GetClassLongPtrA(logo, GCLP_HCURSOR)), link);
  EXPECT_EQ(ui.RedrawEntries(logo), 1);
}

TEST_F(LogoTest, NoAnimationPageOrNoStripMeansNoWindow) {
  CLogoWnd withoutPage;
  EXPECT_EQ(withoutPage.Create(MainWnd(), kBusyBitmap, kFrames, ""), -1);
  EXPECT_EQ(withoutPage.GetSafeHwnd(), nullptr);
  CLogoWnd withoutStrip;
  EXPECT_EQ(withoutStrip.Create(MainWnd(), kMissingResource, kFrames, kAnimationUrl), -1);
  EXPECT_EQ(withoutStrip.GetSafeHwnd(), nullptr);
  // Cycling a window-less animation does nothing; holding it shows frame 0.
  withoutPage.SetFrame(3);
  withoutPage.Animate(100, false);
  EXPECT_EQ(withoutPage.GetFrame(), 3u);
  withoutPage.Animate(100, true);
  EXPECT_EQ(withoutPage.GetFrame(), 0u);
}

TEST_F(LogoTest, TwelveTicksCycleThroughTheFrames) {
  logo.Animate(100000, false);
  std::vector<UINT> shown;
  for (int i = 0; i < 12; ++i) {
    Tick();
    shown.push_back(logo.GetFrame());
  }
  EXPECT_EQ(shown, (std::vector<UINT>{0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 0, 1}));
}

TEST_F(LogoTest, HoldShowsFrameZeroOnEveryTick) {
  logo.Animate(100000, false);
  Tick();
  Tick();
  Tick();
  EXPECT_EQ(logo.GetFrame(), 2u);
  logo.Animate(100000, true);
  for (int i = 0; i < 7; ++i) {
    Tick();
    EXPECT_EQ(logo.GetFrame(), 0u);
  }
  // Animating again starts from the first frame.
  logo.Animate(100000, false);
  Tick();
  Tick();
  EXPECT_EQ(logo.GetFrame(), 1u);
}

TEST_F(LogoTest, TheTimerDrivesTheAnimation) {
  logo.Animate(20, false);
  Pump(300);
  // Each tick advances one frame; after enough of them the frame has moved.
  bool moved = false;
  for (int i = 0; i < 20 && !moved; ++i) {
    UINT before = logo.GetFrame();
    Pump(60);
    moved = logo.GetFrame() != before;
  }
  EXPECT_TRUE(moved);
}

TEST_F(LogoTest, PaintsTheCurrentSliceWhenShown) {
  logo.Show(true);
  Pixels strip = BitmapPixels(kBusyBitmap);
  int width = strip.width / static_cast<int>(kFrames);
  for (UINT frame : {3u, 1u}) {
    logo.SetFrame(frame);
    logo.UpdateWindow();
    ExpectSamePixels(ScreenPixels(logo), Slice(strip, width * static_cast<int>(frame), width));
  }
  logo.SetFrame(40);
  EXPECT_EQ(logo.GetFrame(), kFrames - 1);
}

TEST_F(LogoTest, AClickOpensTheHomePageUnlessModal) {
  ui.mainWindowsDisabled = true;
  logo.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_TRUE(ui.opened.empty());
  ui.mainWindowsDisabled = false;
  logo.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  ASSERT_EQ(ui.opened.size(), 1u);
  // The resource library's home host of the service.
  EXPECT_EQ(ui.opened[0], "http://home.lumora.example/");
  EXPECT_EQ(CLogoWnd::HomePage(), ui.opened[0]);
}

TEST_F(LogoTest, DestroyingLeavesTheRedrawList) {
  logo.Animate(20, false);
  HWND window = logo;
  logo.DestroyWindow();
  EXPECT_EQ(ui.RedrawEntries(window), 0);
  Pump(100);
}

// ---- Progress meter --------------------------------------------------------------

class ProgressTest : public ControlsTest {
 protected:
  CColorFrameWnd meter{MainWnd()};
  void SetUp() override {
    ControlsTest::SetUp();
    ASSERT_TRUE(meter.Create());
    meter.SetPosition(0, 600);
  }
  void TearDown() override {
    meter.DestroyWindow();
    ControlsTest::TearDown();
  }
};

TEST_F(ProgressTest, IsAVisibleChildPlacedInTheMiddle) {
  EXPECT_EQ(::GetDlgCtrlID(meter), 1);
  EXPECT_TRUE(meter.IsWindowVisible());
  char title[8] = "x";
  ::GetWindowTextA(meter, title, sizeof(title));
  EXPECT_STREQ(title, "");
  RECT rect = RectInParent(meter);
  EXPECT_EQ(rect.left, 200);
  EXPECT_EQ(rect.top, 5);
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 10);
  meter.SetPosition(100, 340);
  rect = RectInParent(meter);
  EXPECT_EQ(rect.left, 120);
  EXPECT_EQ(rect.top, 5);
}

struct ProgressCase {
  int32_t value;
  int barWidth;  // 0: the meter shows only the button face
};

class ProgressValueTest : public ProgressTest, public ::testing::WithParamInterface<ProgressCase> {};

TEST_P(ProgressValueTest, DrawsABarOfTwoPixelsPerPercent) {
  const ProgressCase& c = GetParam();
  meter.SetPosition(0, 400);
  meter.SetColor(c.value);
  EXPECT_EQ(meter.GetValue(), c.value);
  Pixels pixels = ScreenPixels(meter);
  ASSERT_EQ(pixels.width, 200);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
  const COLORREF black = RGB(0, 0, 0);
  for (int x = 0; x < 200; ++x) {
    COLORREF top = pixels.At(x, 0);
    COLORREF middle = pixels.At(x, 5);
    if (c.barWidth == 0) {
      ASSERT_EQ(top, face) << x;
      ASSERT_EQ(middle, face) << x;
    } else if (x >= c.barWidth) {
      ASSERT_EQ(middle, RGB(255, 255, 255)) << x;
    } else if (x == 0 || x == c.barWidth - 1) {
      ASSERT_EQ(middle, black) << x;
    } else {
      ASSERT_EQ(top, black) << x;
      ASSERT_EQ(middle, RGB(0, 0, 255)) << x;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Values, ProgressValueTest,
                         ::testing::Values(ProgressCase{1, 2}, ProgressCase{2, 4},
                                           ProgressCase{50, 100}, ProgressCase{99, 198},
                                           ProgressCase{0, 0}, ProgressCase{100, 0},
                                           ProgressCase{250, 0}, ProgressCase{-3, 0}));

// ---- Splash ----------------------------------------------------------------------

int SplashWindows() {
  int count = 0;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        CSplashWnd* splash = CSplashWnd::Current();
        if (splash && window == splash->GetSafeHwnd()) ++*reinterpret_cast<int*>(found);
        DWORD style = static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE));
        RECT rect;
        ::GetWindowRect(window, &rect);
        // Any other visible popup of the picture's size would be a second splash.
        if ((!splash || window != splash->GetSafeHwnd()) && (style & WS_POPUP) &&
            ::IsWindowVisible(window) && rect.right - rect.left == 240) {
          ++*reinterpret_cast<int*>(found);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

class SplashTest : public ControlsTest {
 protected:
  void TearDown() override {
    HideSplash();
    EnableSplash(false);
    ControlsTest::TearDown();
  }
};

TEST_F(SplashTest, ShowsOnlyWhenEnabled) {
  ShowSplash();
  EXPECT_EQ(CSplashWnd::Current(), nullptr);
  EnableSplash(true);
  ShowSplash();
  ASSERT_NE(CSplashWnd::Current(), nullptr);
}

TEST_F(SplashTest, IsTheCentredPictureInAVisiblePopup) {
  EnableSplash(true);
  ShowSplash(MainWnd());
  CSplashWnd* splash = CSplashWnd::Current();
  ASSERT_NE(splash, nullptr);
  HWND window = *splash;
  DWORD style = static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE));
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(::IsWindowVisible(window));
  EXPECT_EQ(::GetWindow(window, GW_OWNER), MainWnd()->GetSafeHwnd());
  RECT rect;
  ::GetWindowRect(window, &rect);
  Pixels picture = BitmapPixels(272);
  EXPECT_EQ(rect.right - rect.left, picture.width);
  EXPECT_EQ(rect.bottom - rect.top, picture.height);
  EXPECT_EQ(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - picture.width) / 2);
  EXPECT_EQ(rect.top, (::GetSystemMetrics(SM_CYSCREEN) - picture.height) / 2);
  ExpectSamePixels(ScreenPixels(window), picture);
}

TEST_F(SplashTest, ASecondShowMakesNothing) {
  EnableSplash(true);
  ShowSplash();
  CSplashWnd* first = CSplashWnd::Current();
  ASSERT_NE(first, nullptr);
  HWND window = *first;
  ShowSplash();
  ShowSplash(MainWnd());
  EXPECT_EQ(CSplashWnd::Current(), first);
  EXPECT_EQ(first->GetSafeHwnd(), window);
  EXPECT_EQ(SplashWindows(), 1);
}

TEST_F(SplashTest, HideEndsItAndAnotherCanFollow) {
  HideSplash();  // none shown: nothing happens
  EnableSplash(true);
  ShowSplash();
  ASSERT_NE(CSplashWnd::Current(), nullptr);
  HWND window = *CSplashWnd::Current();
  HideSplash();
  EXPECT_EQ(CSplashWnd::Current(), nullptr);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(SplashWindows(), 0);
  ShowSplash();
  EXPECT_NE(CSplashWnd::Current(), nullptr);
}

TEST_F(SplashTest, ItsTimerEndsIt) {
  EnableSplash(true);
  ShowSplash();
  ASSERT_NE(CSplashWnd::Current(), nullptr);
  HWND window = *CSplashWnd::Current();
  ::SendMessageA(window, WM_TIMER, 1, 0);
  EXPECT_EQ(CSplashWnd::Current(), nullptr);
  EXPECT_FALSE(::IsWindow(window));
}

// ---- Borrowed child ----------------------------------------------------------------

TEST(ChildWndRefTest, ReleaseHidesAndDetachesALiveWindow) {
  HWND child = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                 MainWnd()->GetSafeHwnd(), nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  CChildWndRef ref;
  ref.Set(child, 42);
  EXPECT_EQ(ref.GetWindow(), child);
  EXPECT_EQ(ref.GetValue(), 42);
  EXPECT_EQ(ref.Release(), 0);
  EXPECT_FALSE(::IsWindowVisible(child));
  EXPECT_NE(::GetAncestor(child, GA_PARENT), MainWnd()->GetSafeHwnd());
  EXPECT_EQ(ref.GetWindow(), nullptr);
  EXPECT_EQ(ref.GetValue(), 0);
  ::DestroyWindow(child);

  // A dead window is left alone and the reference kept.
  ref.Set(child, 7);
  EXPECT_EQ(ref.Release(), 0);
  EXPECT_EQ(ref.GetWindow(), child);
  ref.Clear();
  EXPECT_EQ(ref.GetWindow(), nullptr);
  EXPECT_EQ(ref.GetValue(), 0);
}

}  // namespace
