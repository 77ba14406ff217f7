// The strip window and the participation indicator on a real main window:
// creation, the state rules with the replay message in the main window's
// queue, the frame shown on the screen, and the mouse.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "CBitmapStripWnd.h"
#include "CIndicatorButton.h"
#include "ControlsTestSupport.h"

namespace {

constexpr UINT kIndicatorBitmap = 266;
constexpr UINT kStateCount = 4;
constexpr UINT kIndicatorMenu = 255;
constexpr UINT kMissingResource = 9999;
constexpr UINT kReplay = 0x507;

std::string WindowText(HWND window) {
  char text[64] = {};
  ::GetWindowTextA(window, text, sizeof(text));
  return text;
}

SIZE ClientSize(HWND window) {
  RECT client;
  ::GetClientRect(window, &client);
  return SIZE{client.right, client.bottom};
}

// The indicator's frame on the screen is slice `frame` of the strip.
void ExpectShowsFrame(HWND window, int frame) {
  Pixels strip = BitmapPixels(kIndicatorBitmap);
  int width = strip.width / static_cast<int>(kStateCount);
  ExpectSamePixels(ScreenPixels(window), Slice(strip, width * frame, width));
}

// ---- The plain strip window ------------------------------------------------

class StripTest : public ControlsTest {};

TEST_F(StripTest, ShowsTheSliceOfTheCurrentFrame) {
  CBitmapStripWnd strip;
  ASSERT_TRUE(strip.Create(MainWnd(), 40, 30, kIndicatorBitmap, kStateCount, 77));
  SIZE bitmap = strip.GetBitmapSize();
  ASSERT_GT(bitmap.cx, 0);
  SIZE client = ClientSize(strip);
  EXPECT_EQ(client.cx, bitmap.cx / 4);
  EXPECT_EQ(client.cy, bitmap.cy);
  EXPECT_EQ(::GetDlgCtrlID(strip), 77);
  EXPECT_EQ(WindowText(strip), "INDICATION");
  EXPECT_EQ(ui.RedrawEntries(strip), 1);
  for (int frame : {2, 0, 3}) {
    strip.SetFrame(static_cast<UINT>(frame));
    EXPECT_EQ(strip.GetFrame(), static_cast<UINT>(frame));
    ExpectShowsFrame(strip, frame);
  }
  strip.SetFrame(12);
  EXPECT_EQ(strip.GetFrame(), kStateCount - 1);
  HWND window = strip;
  strip.DestroyWindow();
  EXPECT_EQ(ui.RedrawEntries(window), 0);
}

TEST_F(StripTest, FrameCountZeroIsOneAndAMissingBitmapGivesAnEmptyWindow) {
  CBitmapStripWnd whole;
  ASSERT_TRUE(whole.Create(MainWnd(), 0, 0, kIndicatorBitmap, 0, 1));
  EXPECT_EQ(whole.GetFrameCount(), 1u);
  EXPECT_EQ(ClientSize(whole).cx, whole.GetBitmapSize().cx);
  whole.SetFrame(3);
  EXPECT_EQ(whole.GetFrame(), 0u);

  CBitmapStripWnd missing;
  ASSERT_TRUE(missing.Create(MainWnd(), 0, 0, kMissingResource, 4, 2));
  EXPECT_EQ(missing.GetBitmapSize().cx, 0);
  EXPECT_EQ(ClientSize(missing).cx, 0);
  EXPECT_EQ(ClientSize(missing).cy, 0);
}

// ---- The indicator ---------------------------------------------------------

class IndicatorTest : public ControlsTest {
 protected:
  std::unique_ptr<CIndicatorButton> indicator = std::make_unique<CIndicatorButton>(kIndicatorMenu);
  void SetUp() override {
    ControlsTest::SetUp();
    ASSERT_EQ(indicator->Create(MainWnd(), kIndicatorBitmap, kStateCount), 1);
    Pump();
  }
  void TearDown() override {
    indicator.reset();
    TakeMessages(MainWnd()->GetSafeHwnd(), kReplay);
    ControlsTest::TearDown();
  }
  size_t ReplaysPosted() { return TakeMessages(MainWnd()->GetSafeHwnd(), kReplay).size(); }
};

TEST_F(IndicatorTest, IsAChildOfItsOwnerAtTheOriginOneFrameInSize) {
  HWND window = *indicator;
  EXPECT_EQ(::GetParent(window), MainWnd()->GetSafeHwnd());
  EXPECT_EQ(::GetDlgCtrlID(window), 0);
  EXPECT_EQ(WindowText(window), "INDICATION");
  DWORD style = static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE));
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS),
            static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS));
  EXPECT_TRUE(::GetClassLongA(window, GCL_STYLE) & CS_DBLCLKS);
  RECT rect;
  ::GetWindowRect(window, &rect);
  ::MapWindowPoints(nullptr, MainWnd()->GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, indicator->GetBitmapSize().cx / 4);
  EXPECT_EQ(ui.RedrawEntries(window), 1);
  indicator.reset();
  EXPECT_EQ(ui.RedrawEntries(window), 0);
  EXPECT_FALSE(::IsWindow(window));
}

TEST_F(IndicatorTest, CreateReportsTheMenuAndMissingResources) {
  CIndicatorButton noMenu(0);
  EXPECT_EQ(noMenu.Create(MainWnd(), kIndicatorBitmap, kStateCount), 0);
  EXPECT_TRUE(::IsWindow(noMenu));

  CIndicatorButton badMenu(kMissingResource);
  EXPECT_EQ(badMenu.Create(MainWnd(), kIndicatorBitmap, kStateCount), -1);

  CIndicatorButton noStrip(kIndicatorMenu);
  EXPECT_EQ(noStrip.Create(MainWnd(), kMissingResource, kStateCount), -1);
  EXPECT_EQ(noStrip.GetSafeHwnd(), nullptr);
  // Without a window every call is harmless.
  noStrip.SetState(CIndicatorButton::kParticipating);
  noStrip.ShowFrameOnce(2);
  noStrip.PlaceAtPageOrigin();
  EXPECT_EQ(noStrip.GetSafeHwnd(), nullptr);
}

struct StateCase {
  const char* name;
  bool inRootPlace;
  UINT before;
  UINT request;
  UINT stored;
  size_t replays;
};

class IndicatorStateTest : public IndicatorTest,
                           public ::testing::WithParamInterface<StateCase> {};

TEST_P(IndicatorStateTest, StoresShowsAndPosts) {
  const StateCase& c = GetParam();
  indicator->SetState(c.before);
  ReplaysPosted();
  ui.peopleStatus.clear();
  ui.myselfInRootPlace = c.inRootPlace;
  indicator->SetState(c.request);
  EXPECT_EQ(indicator->GetState(), c.stored);
  EXPECT_EQ(ReplaysPosted(), c.replays);
  ASSERT_EQ(ui.peopleStatus.size(), 1u);
  EXPECT_EQ(ui.peopleStatus[0], c.stored);
  EXPECT_TRUE(ui.statusStrings.empty());
  ExpectShowsFrame(*indicator, static_cast<int>(c.stored));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IndicatorStateTest,
    ::testing::Values(StateCase{"EnterInsideRoot", true, 0, 1, 1, 1},
                      StateCase{"EnterOutsideRootObserves", false, 0, 1, 2, 1},
                      StateCase{"AgainInsideRootPostsNothing", true, 1, 1, 1, 0},
                      StateCase{"FromObservingOutsidePostsAgain", false, 2, 1, 2, 1},
                      StateCase{"FromParticipatingOutsideObservesQuietly", false, 1, 1, 2, 0},
                      StateCase{"ObservingDirectly", true, 0, 2, 2, 0},
                      StateCase{"Waiting", true, 1, 0, 0, 0},
                      StateCase{"Disconnected", false, 1, 3, 3, 0},
                      StateCase{"BeyondTheStripClamps", true, 0, 7, 3, 0}),
    [](const ::testing::TestParamInfo<StateCase>& info) { return info.param.name; });

TEST_F(IndicatorTest, ParticipatingTwiceInsideTheRootPlacePostsOnce) {
  indicator->SetState(CIndicatorButton::kParticipating);
  indicator->SetState(CIndicatorButton::kParticipating);
  EXPECT_EQ(ReplaysPosted(), 1u);
  EXPECT_EQ(indicator->GetState(), 1u);
}

TEST_F(IndicatorTest, HidingPeopleAsksForStatusStringFourAndChangesNothing) {
  indicator->SetState(CIndicatorButton::kObserving);
  ui.peopleStatus.clear();
  indicator->SetState(CIndicatorButton::kHidePeople);
  EXPECT_EQ(indicator->GetState(), 2u);
  ASSERT_EQ(ui.statusStrings.size(), 1u);
  EXPECT_EQ(ui.statusStrings[0], std::make_pair(4u, true));
  EXPECT_TRUE(ui.peopleStatus.empty());
  EXPECT_EQ(ReplaysPosted(), 0u);
  ExpectShowsFrame(*indicator, 2);
}

TEST_F(IndicatorTest, ShowFrameOnceKeepsTheState) {
  indicator->SetState(CIndicatorButton::kParticipating);
  indicator->ShowFrameOnce(9);
  EXPECT_EQ(indicator->GetState(), 1u);
  ExpectShowsFrame(*indicator, 3);
  indicator->Invalidate();
  indicator->UpdateWindow();
  ExpectShowsFrame(*indicator, 1);
}

TEST_F(IndicatorTest, PlacesItselfAboveThePage) {
  ui.hasPage = true;
  ui.pageOrigin = POINT{30, 200};
  indicator->Show(false);
  indicator->PlaceAtPageOrigin();
  RECT rect;
  ::GetWindowRect(*indicator, &rect);
  ::MapWindowPoints(nullptr, MainWnd()->GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
  int height = indicator->GetBitmapSize().cy;
  EXPECT_EQ(rect.left, 30);
  EXPECT_EQ(rect.top, 200 - height - 65);
  EXPECT_EQ(rect.bottom - rect.top, height);
  EXPECT_TRUE(::IsWindowVisible(*indicator));

  ui.hasPage = false;
  ui.pageOrigin = POINT{90, 300};
  indicator->PlaceAtPageOrigin();
  RECT still;
  ::GetWindowRect(*indicator, &still);
  ::MapWindowPoints(nullptr, MainWnd()->GetSafeHwnd(), reinterpret_cast<POINT*>(&still), 2);
  EXPECT_EQ(still.left, 30);
}

struct ClickCase {
  const char* name;
  UINT state;
  bool disabled;
  bool inRootPlace;
  bool zoom;
  int toggles;
};

class IndicatorClickTest : public IndicatorTest,
                           public ::testing::WithParamInterface<ClickCase> {};

TEST_P(IndicatorClickTest, TogglesObservingOnlyWhenInThePlace) {
  const ClickCase& c = GetParam();
  ui.myselfInRootPlace = true;
  indicator->SetState(c.state);
  ui.mainWindowsDisabled = c.disabled;
  ui.myselfInRootPlace = c.inRootPlace;
  ui.zoomRunning = c.zoom;
  ::SendMessageA(*indicator, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageA(*indicator, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(ui.observeToggles, c.toggles);
}

INSTANTIATE_TEST_SUITE_P(
    Mouse, IndicatorClickTest,
    ::testing::Values(ClickCase{"Participating", 1, false, true, false, 1},
                      ClickCase{"Observing", 2, false, true, false, 1},
                      ClickCase{"Waiting", 0, false, true, false, 0},
                      ClickCase{"Disconnected", 3, false, true, false, 0},
                      ClickCase{"WhileModal", 1, true, true, false, 0},
                      ClickCase{"NotInRootPlace", 1, false, false, false, 0},
                      ClickCase{"DuringZoom", 2, false, true, true, 0}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return info.param.name; });

// ---- The context menu --------------------------------------------------------

HWND g_seenMenu = nullptr;
std::string g_firstItem;

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM) {
  char name[16] = {};
  ::GetClassNameA(window, name, sizeof(name));
  if (std::string(name) == "#32768" && ::IsWindowVisible(window)) {
    g_seenMenu = window;
    HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(window, MN_GETHMENU, 0, 0));
    char text[64] = {};
    if (menu) ::GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
    g_firstItem = text;
  }
  return TRUE;
}

void CALLBACK CloseShownMenu(HWND, UINT, UINT_PTR, DWORD) {
  ::EnumWindows(&FindMenuWindow, 0);
  if (g_seenMenu) ::EndMenu();
}

// Right-clicks the indicator and reports whether a menu came up.
bool RightClickShowsMenu(HWND indicator) {
  g_seenMenu = nullptr;
  g_firstItem.clear();
  UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &CloseShownMenu);
  ::SendMessageA(indicator, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
  Pump(150);
  ::KillTimer(nullptr, timer);
  return g_seenMenu != nullptr;
}

TEST_F(IndicatorTest, RightClickShowsTheIndicatorMenuUnlessModal) {
  ::SetForegroundWindow(MainWnd()->GetSafeHwnd());
  ui.mainWindowsDisabled = true;
  EXPECT_FALSE(RightClickShowsMenu(*indicator));
  ui.mainWindowsDisabled = false;
  EXPECT_TRUE(RightClickShowsMenu(*indicator));
  EXPECT_EQ(g_firstItem, "Enter Chat Room");
  TakeMessages(MainWnd()->GetSafeHwnd(), WM_COMMAND);
}

TEST_F(IndicatorTest, NoMenuIdNoMenu) {
  CIndicatorButton plain(0);
  ASSERT_EQ(plain.Create(MainWnd(), kIndicatorBitmap, kStateCount), 0);
  EXPECT_FALSE(RightClickShowsMenu(plain));
}

}  // namespace
