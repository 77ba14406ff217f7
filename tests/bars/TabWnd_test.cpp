// The picture tool bar: buttons from the resource library's bitmaps,
// spacers, pressing and releasing, hot tracking with tips, the link
// cursor, the faces as drawn, the tiled background and the command-UI
// update of buttons.
#include <memory>

#include "BarsTestSupport.h"
#include "CDC.h"
#include "CTabWnd.h"
#include "ControlResources.h"
#include "FrameworkIds.h"
#include "ModuleState.h"
#include "NameBubble.h"
#include "Picture.h"

namespace {

// The Back button's faces: hot, normal, disabled, pressed overlay (24 by 24).
constexpr UINT kHotFace = 442;
constexpr UINT kNormalFace = 415;
constexpr UINT kDisabledFace = 384;
constexpr UINT kPressedOverlay = 508;
constexpr UINT kBackCommand = 32629;  // "...\nBack"
constexpr UINT kOther = kUpdatedFirst;
constexpr UINT kThird = kUpdatedFirst + 1;
constexpr UINT kSpacer = kUpdatedFirst + 2;
constexpr UINT kMissingBitmap = 9999;
constexpr UINT kBrandButton = 165;
constexpr UINT kBrandFace = 497;  // 48 by 24
constexpr UINT kLinkCursor = 258;
constexpr UINT kBackground = 454;
constexpr int kFaceSize = 24;

class TabWndTest : public BarsTest {
 protected:
  std::unique_ptr<CTabWnd> bar = std::make_unique<CTabWnd>();

  void SetUp() override {
    BarsTest::SetUp();
    ASSERT_TRUE(bar->Create(MainFrame()));
    // Placed by hand: the frame's layout is not under test here.
    bar->SetStyleFlags(bar->GetStyleFlags() & ~CBarWnd::kSizesItself);
    bar->SetWindowPos(nullptr, 0, 40, 300, 40, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void TearDown() override {
    bar.reset();
    BarsTest::TearDown();
  }
  bool AddButton(UINT id, UINT disabledFace = kDisabledFace) {
    return bar->AddTab(id, kHotFace, kNormalFace, disabledFace, kPressedOverlay);
  }
  void AddThree() {
    ASSERT_TRUE(AddButton(kBackCommand));
    ASSERT_TRUE(AddButton(kOther, 0));
    ASSERT_TRUE(AddButton(kThird));
    Pump();
  }
  POINT Middle(UINT id) const { return Centre(bar->GetButtonRect(CBarWnd::kById, id)); }
  void Send(UINT message, UINT id) {
    const POINT point = Middle(id);
    SendMouse(bar->m_hWnd, message, point.x, point.y);
  }
  Pixels ButtonPixels(UINT id) {
    bar->Invalidate(true);
    bar->UpdateWindow();
    return Crop(ScreenPixels(bar->m_hWnd), bar->GetButtonRect(CBarWnd::kById, id));
  }
};

// What a face looks like drawn as the tool bar draws it, over the bar's
// plain light grey.
Pixels Reference(UINT face, bool embossed) {
  CPicture picture(true);
  EXPECT_TRUE(picture.LoadResource(AfxGetResourceHandle(), face));
  SetResourceKeyColour(picture);
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kFaceSize, kFaceSize);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  const RECT rect{0, 0, kFaceSize, kFaceSize};
  ::FillRect(memory, &rect, static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
  CDC* dc = CDC::FromHandle(memory);
  if (embossed) {
    picture.DrawEmbossed(dc, rect);
  } else {
    picture.DrawTransparent(dc, rect);
  }
  Pixels pixels = ContextPixels(memory, kFaceSize, kFaceSize);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

TEST_F(TabWndTest, ButtonsLineUpAtTheirPictureSizes) {
  AddThree();
  ASSERT_TRUE(bar->AddSpacer(kSpacer));
  ASSERT_EQ(bar->GetItemCount(), 4);
  const RECT back = bar->GetButtonRect(CBarWnd::kById, kBackCommand);
  EXPECT_EQ(back.left, 0);
  EXPECT_EQ(back.right, kFaceSize);
  EXPECT_EQ(back.bottom, kFaceSize);
  EXPECT_EQ(bar->GetButtonRect(CBarWnd::kById, kThird).left, 2 * kFaceSize);
  const RECT spacer = bar->GetButtonRect(CBarWnd::kById, kSpacer);
  EXPECT_EQ(spacer.left, 3 * kFaceSize);
  EXPECT_EQ(spacer.right, spacer.left);
  EXPECT_EQ(bar->GetHeight(), kFaceSize + 2);
  EXPECT_EQ(bar->GetWidth(), 3 * kFaceSize);
  EXPECT_EQ(bar->GetTab(0)->GetTipText(), "Back");
  const RECT none = bar->GetButtonRect(CBarWnd::kById, 4711);
  EXPECT_TRUE(::IsRectEmpty(&none));
  bar->ShowWindow(SW_HIDE);
  EXPECT_EQ(bar->GetHeight(), 0);
}

TEST_F(TabWndTest, TakenIdsAndMissingFacesAddNothing) {
  AddThree();
  EXPECT_FALSE(AddButton(kOther));
  EXPECT_FALSE(bar->AddSpacer(kThird));
  EXPECT_FALSE(bar->AddTab(kSpacer, kMissingBitmap, kNormalFace, 0, kPressedOverlay));
  EXPECT_FALSE(bar->AddTab(kSpacer, kHotFace, kNormalFace, kMissingBitmap, kPressedOverlay));
  EXPECT_EQ(bar->GetItemCount(), 3);
}

TEST_F(TabWndTest, AWiderSpacerPushesTheLaterButtonsRight) {
  ASSERT_TRUE(AddButton(kBackCommand));
  ASSERT_TRUE(bar->AddSpacer(kSpacer));
  ASSERT_TRUE(AddButton(kOther));
  bar->SetButtonWidth(CBarWnd::kById, kSpacer, 30, 40);
  EXPECT_EQ(bar->GetButtonRect(CBarWnd::kById, kSpacer).right, kFaceSize + 30);
  EXPECT_EQ(bar->GetButtonRect(CBarWnd::kById, kOther).left, kFaceSize + 30);
  EXPECT_EQ(bar->GetButtonRect(CBarWnd::kById, kOther).bottom, 40);
  EXPECT_EQ(bar->GetHeight(), 42);
  // A picture button keeps its picture's width.
  bar->SetButtonWidth(CBarWnd::kById, kBackCommand, 50, 0);
  EXPECT_EQ(bar->GetButtonRect(CBarWnd::kById, kBackCommand).right, kFaceSize);
  EXPECT_EQ(bar->GetButtonRect(CBarWnd::kById, kOther).left, kFaceSize + 30);
}

TEST_F(TabWndTest, OnlyAReleaseOverThePressedButtonPostsItsCommand) {
  struct Case {
    const char* name;
    UINT releasedOver;  // 0: outside every button
    std::vector<UINT> posted;
  };
  const Case cases[] = {{"same button", kBackCommand, {kBackCommand}},
                        {"another button", kOther, {}},
                        {"no button", 0, {}}};
  AddThree();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Send(WM_LBUTTONDOWN, kBackCommand);
    EXPECT_TRUE(bar->IsPressing());
    EXPECT_TRUE(bar->GetTab(0)->IsPressed());
    EXPECT_EQ(::GetCapture(), bar->m_hWnd);
    if (c.releasedOver) {
      Send(WM_LBUTTONUP, c.releasedOver);
    } else {
      SendMouse(bar->m_hWnd, WM_LBUTTONUP, 200, 10);
      EXPECT_NE(::GetCapture(), bar->m_hWnd);
    }
    EXPECT_FALSE(bar->IsPressing());
    EXPECT_FALSE(bar->GetTab(0)->IsPressed());
    EXPECT_EQ(PostedCommands(), c.posted);
    EXPECT_TRUE(MainFrame()->commands.empty());
    bar->CancelTracking();
  }
}

TEST_F(TabWndTest, AFireOnPressButtonSendsItsCommandAtOnce) {
  AddThree();
  bar->SetItemData(CBarWnd::kById, kOther, CBitmapTab::kFireOnPress);
  Send(WM_LBUTTONDOWN, kOther);
  EXPECT_EQ(MainFrame()->commands, std::vector<UINT>{kOther});
  EXPECT_FALSE(bar->IsPressing());
  EXPECT_FALSE(bar->GetTab(1)->IsPressed());
  EXPECT_FALSE(bar->GetTab(1)->IsHot());
  EXPECT_NE(::GetCapture(), bar->m_hWnd);
  Send(WM_LBUTTONUP, kOther);
  EXPECT_TRUE(PostedCommands().empty());
}

TEST_F(TabWndTest, DisabledButtonsAndSpacersCannotBePressed) {
  AddThree();
  bar->EnableButton(CBarWnd::kById, kThird, false);
  Send(WM_LBUTTONDOWN, kThird);
  Send(WM_LBUTTONUP, kThird);
  EXPECT_FALSE(bar->IsPressing());
  EXPECT_TRUE(PostedCommands().empty());
  ASSERT_TRUE(bar->AddSpacer(kSpacer));
  EXPECT_FALSE(bar->GetTab(3)->SetHot(true));
  EXPECT_FALSE(bar->GetTab(3)->SetPressed(true));
  EXPECT_FALSE(bar->GetTab(3)->SetEnabled(false));
}

TEST_F(TabWndTest, AButtonDisabledDuringThePressDoesNotFire) {
  AddThree();
  Send(WM_LBUTTONDOWN, kBackCommand);
  bar->EnableButton(CBarWnd::kById, kBackCommand, false);
  Send(WM_LBUTTONUP, kBackCommand);
  EXPECT_TRUE(PostedCommands().empty());
}

TEST_F(TabWndTest, ACancelledPressCannotFireLater) {
  AddThree();
  Send(WM_LBUTTONDOWN, kBackCommand);
  bar->SendMessage(WM_CANCELMODE);
  EXPECT_FALSE(bar->IsPressing());
  EXPECT_NE(::GetCapture(), bar->m_hWnd);
  Send(WM_LBUTTONUP, kBackCommand);
  EXPECT_TRUE(PostedCommands().empty());
}

TEST_F(TabWndTest, HoverMakesTheButtonHotWithItsTip) {
  CNameBubble bubble;
  ASSERT_TRUE(bubble.Create(MainFrame(), RGB(255, 255, 225)));
  ui.bubble = &bubble;
  AddThree();
  Send(WM_MOUSEMOVE, kBackCommand);
  EXPECT_EQ(bar->GetHotButton(), bar->GetTab(0));
  EXPECT_TRUE(bar->GetTab(0)->IsHot());
  EXPECT_EQ(::GetCapture(), bar->m_hWnd);
  EXPECT_EQ(bubble.GetWindowText(), "Back");
  EXPECT_EQ(MainFrame()->prompts.back(), kBackCommand);

  Send(WM_MOUSEMOVE, kOther);
  EXPECT_FALSE(bar->GetTab(0)->IsHot());
  EXPECT_EQ(bar->GetHotButton(), bar->GetTab(1));

  SendMouse(bar->m_hWnd, WM_MOUSEMOVE, 200, 10);
  EXPECT_EQ(bar->GetHotButton(), nullptr);
  EXPECT_NE(::GetCapture(), bar->m_hWnd);
  EXPECT_FALSE(bubble.IsWindowVisible());

  // A disabled button never gets hot; hiding the bar cools the hot one.
  bar->EnableButton(CBarWnd::kById, kThird, false);
  Send(WM_MOUSEMOVE, kThird);
  EXPECT_EQ(bar->GetHotButton(), nullptr);
  Send(WM_MOUSEMOVE, kBackCommand);
  bar->Show(false);
  EXPECT_EQ(bar->GetHotButton(), nullptr);
  EXPECT_FALSE(bar->GetTab(0)->IsHot());
  EXPECT_NE(::GetCapture(), bar->m_hWnd);
}

TEST_F(TabWndTest, TheBrandButtonIsALinkWithTheLinkCursor) {
  ASSERT_FALSE(ResourceProductString(8).empty());
  ASSERT_TRUE(bar->AddTab(kBrandButton, kBrandFace, kBrandFace, kBrandFace, kBrandFace));
  AddThree();
  EXPECT_TRUE(bar->GetTab(0)->IsLink());
  EXPECT_FALSE(bar->GetTab(1)->IsLink());
  HCURSOR link = ::LoadCursorA(Resources(), MAKEINTRESOURCEA(kLinkCursor));
  ASSERT_NE(link, nullptr);
  Send(WM_MOUSEMOVE, kBrandButton);
  EXPECT_EQ(::GetCursor(), link);
}

TEST_F(TabWndTest, FacesAreDrawnForEachState) {
  AddThree();
  const COLORREF key = ResourceColour(0) & 0xFFFFFF;
  // Enabled: the normal face over the bar's background.
  EXPECT_EQ(CountDifferences(ButtonPixels(kBackCommand), Reference(kNormalFace, false)), 0);
  // Disabled with a disabled face: that face.
  bar->EnableButton(CBarWnd::kById, kBackCommand, false);
  EXPECT_EQ(CountDifferences(ButtonPixels(kBackCommand), Reference(kDisabledFace, false)), 0);
  // Disabled without one: the hot face embossed.
  bar->EnableButton(CBarWnd::kById, kOther, false);
  const Pixels embossed = ButtonPixels(kOther);
  EXPECT_EQ(CountDifferences(embossed, Reference(kHotFace, true)), 0);
  EXPECT_NE(CountDifferences(embossed, Reference(kHotFace, false)), 0);
  // Hot: the hot face; pressed: the overlay over it where the overlay is
  // not transparent.
  Send(WM_MOUSEMOVE, kThird);
  EXPECT_EQ(CountDifferences(ButtonPixels(kThird), BitmapPixels(kHotFace)), 0);
  Send(WM_LBUTTONDOWN, kThird);
  const Pixels pressed = ButtonPixels(kThird);
  const Pixels hotFace = BitmapPixels(kHotFace);
  const Pixels overlay = BitmapPixels(kPressedOverlay);
  int overlaid = 0;
  for (int y = 0; y < kFaceSize; ++y) {
    for (int x = 0; x < kFaceSize; ++x) {
      const bool clear = overlay.At(x, y) == key;
      if (!clear) ++overlaid;
      EXPECT_EQ(pressed.At(x, y), clear ? hotFace.At(x, y) : overlay.At(x, y)) << x << "," << y;
    }
  }
  EXPECT_GT(overlaid, 0);
}

TEST_F(TabWndTest, AHotButtonShowsColourNineThroughItsFace) {
  constexpr UINT kFramed = kUpdatedFirst + 3;
  ASSERT_TRUE(bar->AddTab(kFramed, kBrandFace, kBrandFace, 0, kBrandFace));
  Send(WM_MOUSEMOVE, kFramed);
  ASSERT_TRUE(bar->GetTab(0)->IsHot());
  const Pixels hot = ButtonPixels(kFramed);
  const Pixels face = BitmapPixels(kBrandFace);
  const COLORREF key = ResourceColour(0) & 0xFFFFFF;
  const COLORREF colourNine = ResourceColour(9) & 0xFFFFFF;
  int clear = 0;
  for (int y = 0; y < face.height; ++y) {
    for (int x = 0; x < face.width; ++x) {
      if (face.At(x, y) == key) ++clear;
      EXPECT_EQ(hot.At(x, y), face.At(x, y) == key ? colourNine : face.At(x, y)) << x << "," << y;
    }
  }
  EXPECT_GT(clear, 0);
}

TEST_F(TabWndTest, TheBackgroundIsTheApplicationPictureTiled) {
  CPicture picture(true);
  ASSERT_TRUE(picture.LoadResource(Resources(), kBackground));
  ui.background = &picture;
  AddThree();
  bar->Invalidate(true);
  bar->UpdateWindow();
  const Pixels shown = ScreenPixels(bar->m_hWnd);
  const Pixels tile = BitmapPixels(kBackground);
  int compared = 0;
  // Above the bar's two bottom lines.
  for (int y = 0; y < 38; ++y) {
    for (int x = 3 * kFaceSize; x < 300; ++x) {
      ++compared;
      ASSERT_EQ(shown.At(x, y), tile.At(x % tile.width, y % tile.height)) << x << "," << y;
    }
  }
  EXPECT_GT(compared, 0);
  // The bar's bottom edge: an etched line over a black one.
  EXPECT_EQ(shown.At(200, 39), RGB(0, 0, 0));
  const COLORREF menu = ::GetSysColor(COLOR_MENU);
  EXPECT_EQ(shown.At(200, 38), menu == RGB(255, 255, 255) ? RGB(128, 128, 128) : menu);
}

TEST_F(TabWndTest, IdleUpdateEnablesButtonsThroughTheFramesHandlers) {
  ASSERT_TRUE(AddButton(kOther));
  ASSERT_TRUE(AddButton(kHandledCommand));
  ASSERT_TRUE(AddButton(kUnhandledCommand));
  MainFrame()->updateEnable[kOther] = false;
  bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_FALSE(bar->GetTab(0)->IsEnabled());
  EXPECT_TRUE(bar->GetTab(1)->IsEnabled());
  EXPECT_FALSE(bar->GetTab(2)->IsEnabled());

  MainFrame()->updateEnable[kOther] = true;
  bar->SendMessage(WM_IDLEUPDATECMDUI, FALSE);
  EXPECT_TRUE(bar->GetTab(0)->IsEnabled());
  EXPECT_FALSE(bar->GetTab(2)->IsEnabled());

  // Without the update style nothing changes.
  MainFrame()->updateEnable[kOther] = false;
  bar->SetStyleFlags(bar->GetStyleFlags() & ~CBarWnd::kUpdatesItems);
  bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_TRUE(bar->GetTab(0)->IsEnabled());
}

TEST_F(TabWndTest, NewFacesReplaceTheOldOnesOnlyWhenTheHotFaceChanges) {
  AddThree();
  bar->SetButtonBitmaps(CBarWnd::kById, kBackCommand, kHotFace, 421, 0);
  EXPECT_EQ(CountDifferences(ButtonPixels(kBackCommand), Reference(kNormalFace, false)), 0);
  bar->SetButtonBitmaps(CBarWnd::kById, kBackCommand, kMissingBitmap, 421, 0);
  EXPECT_EQ(bar->GetTab(0)->GetHotFaceId(), kHotFace);
  bar->SetButtonBitmaps(CBarWnd::kById, kBackCommand, 443, 421, 0);
  EXPECT_EQ(bar->GetTab(0)->GetHotFaceId(), 443u);
  EXPECT_EQ(CountDifferences(ButtonPixels(kBackCommand), Reference(421, false)), 0);
}

}  // namespace
