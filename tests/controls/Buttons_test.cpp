// The owner-drawn colour buttons drawn into memory contexts and read back
// pixel by pixel, and the hot picture window driven by mouse messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "AvatarFile.h"
#include "CColorButton.h"
#include "CColorButton2.h"
#include "CHotWnd.h"
#include "ControlsTestSupport.h"

namespace {

constexpr UINT kFacePicture = 282;      // 32 by 32, the default avatar
constexpr UINT kDisabledFace = 286;
constexpr UINT kMissingResource = 9999;
constexpr COLORREF kFace = RGB(0, 160, 160);
constexpr COLORREF kFrame = RGB(160, 0, 160);
constexpr int kWidth = 180;
constexpr int kHeight = 44;

// A memory context of the button's size that DrawItem paints into.
class Canvas {
 public:
  Canvas(int width, int height) : m_width(width), m_height(height) {
    HDC screen = ::GetDC(nullptr);
    m_dc = ::CreateCompatibleDC(screen);
    m_bitmap = ::CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(nullptr, screen);
    m_old = ::SelectObject(m_dc, m_bitmap);
  }
  ~Canvas() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
  }
  template <class Button>
  Pixels Draw(Button& button, UINT state, UINT action = ODA_DRAWENTIRE) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.itemAction = action;
    item.itemState = state;
    item.hwndItem = button;
    item.hDC = m_dc;
    item.rcItem = RECT{0, 0, m_width, m_height};
    button.DrawItem(&item);
    return ContextPixels(m_dc, m_width, m_height);
  }

 private:
  int m_width;
  int m_height;
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
};

// What a column of the text area holds: nothing but face, text colour only,
// or other colours (the picture).
enum class Column { kFace, kText, kPicture };

struct ColumnRun {
  Column kind;
  int first;
  int last;
};

std::vector<ColumnRun> Runs(const Pixels& pixels, COLORREF text, int inset) {
  std::vector<ColumnRun> runs;
  for (int x = inset; x < pixels.width - inset; ++x) {
    Column kind = Column::kFace;
    for (int y = inset; y < pixels.height - inset; ++y) {
      COLORREF colour = pixels.At(x, y);
      if (colour == kFace) continue;
      if (colour != text) {
        kind = Column::kPicture;
        break;
      }
      kind = Column::kText;
    }
    if (kind == Column::kFace) continue;
    // Glyphs of one text stand a few columns apart.
    if (!runs.empty() && runs.back().kind == kind && runs.back().last >= x - 6) {
      runs.back().last = x;
    } else {
      runs.push_back(ColumnRun{kind, x, x});
    }
  }
  return runs;
}

class ColorButtonTest : public ControlsTest {
 protected:
  CColorButton button;
  HFONT font = nullptr;
  void SetUp() override {
    ControlsTest::SetUp();
    ASSERT_TRUE(button.CreateEx(0, "BUTTON", "", WS_CHILD | BS_OWNERDRAW,
                                RECT{10, 100, 10 + kWidth, 100 + kHeight}, MainWnd(), 501));
    // Plain glyph edges, so that text columns hold only the text colour.
    font = ::CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0,
                         NONANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
    button.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    button.SetColors(kFacePicture, kDisabledFace, kFace, kFrame);
  }
  void TearDown() override {
    button.DestroyWindow();
    ::DeleteObject(font);
    ControlsTest::TearDown();
  }
  int TextWidth(const std::string& text) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return size.cx;
  }
  const COLORREF text = ::GetSysColor(COLOR_BTNTEXT) & 0xFFFFFF;
};

TEST_F(ColorButtonTest, LeftTextPictureAndRightTextFormOneCentredGroup) {
  button.SetWindowText("Lo@Hi");
  button.SetHighlight(true);
  Canvas canvas(kWidth, kHeight);
  Pixels pixels = canvas.Draw(button, 0);
  std::vector<ColumnRun> runs = Runs(pixels, text, 3);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].kind, Column::kText);
  EXPECT_EQ(runs[1].kind, Column::kPicture);
  EXPECT_EQ(runs[2].kind, Column::kText);
  // The layout: margin, left text, gap 4, picture 32, gap 4, right text.
  int inner = kWidth - 6;
  int left = TextWidth("Lo");
  int right = TextWidth("Hi");
  int margin = (inner - 8 - 32 - left - right) / 2;
  int pictureX = 3 + margin + left + 4;
  EXPECT_GE(runs[0].first, 3 + margin);
  EXPECT_LT(runs[0].last, pictureX);
  EXPECT_GE(runs[1].first, pictureX);
  EXPECT_LT(runs[1].last, pictureX + 32);
  EXPECT_GE(runs[2].first, pictureX + 32 + 4);
  EXPECT_LE(runs[2].last, kWidth - 3 - margin);
  // Centred: the same margin on both sides, give or take the glyphs' bearings.
  EXPECT_NEAR(runs[0].first - 3, kWidth - 4 - runs[2].last, 3);
}

TEST_F(ColorButtonTest, CaptionStartingWithTheSplitPutsThePictureLeftOfTheText) {
  button.SetWindowText("@Hi");
  button.SetHighlight(true);
  Canvas canvas(kWidth, kHeight);
  std::vector<ColumnRun> runs = Runs(canvas.Draw(button, 0), text, 3);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].kind, Column::kPicture);
  EXPECT_EQ(runs[1].kind, Column::kText);
  int margin = (kWidth - 6 - 8 - 32 - TextWidth("Hi")) / 2;
  int rightStart = kWidth - 3 - margin - TextWidth("Hi");
  EXPECT_GE(runs[0].first, rightStart - 4 - 32);
  EXPECT_LT(runs[0].last, rightStart - 4);
}

TEST_F(ColorButtonTest, CaptionsWithoutPictureOrWithoutText) {
  struct Case {
    const char* caption;
    bool highlight;
    std::vector<Column> kinds;
  };
  const Case cases[] = {
      {"Lo@Hi", false, {Column::kText}},  // no picture, no gaps: one run
      {"Plain", true, {Column::kText, Column::kPicture}},
      {"Lo@", true, {Column::kText, Column::kPicture}},
      {"", true, {Column::kPicture}},
  };
  Canvas canvas(kWidth, kHeight);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    button.SetWindowText(c.caption);
    button.SetHighlight(c.highlight);
    std::vector<ColumnRun> runs = Runs(canvas.Draw(button, 0), text, 3);
    std::vector<Column> kinds;
    for (const ColumnRun& run : runs) {
      if (kinds.empty() || kinds.back() != run.kind) kinds.push_back(run.kind);
    }
    EXPECT_EQ(kinds, c.kinds);
  }
  // With no text the picture is centred.
  button.SetWindowText("");
  std::vector<ColumnRun> runs = Runs(canvas.Draw(button, 0), text, 3);
  ASSERT_FALSE(runs.empty());
  int pictureX = 3 + (kWidth - 6 - 32) / 2;
  EXPECT_GE(runs.front().first, pictureX);
  EXPECT_LT(runs.back().last, pictureX + 32);
}

TEST_F(ColorButtonTest, HighlightNeedsAPicture) {
  button.SetWindowText("");
  button.SetColors(0, 0, kFace, kFrame);
  button.SetHighlight(true);
  Canvas canvas(kWidth, kHeight);
  EXPECT_TRUE(Runs(canvas.Draw(button, 0), text, 3).empty());
  // A missing picture draws the button without one.
  button.SetColors(static_cast<uint16_t>(kMissingResource), 0, kFace, kFrame);
  button.SetHighlight(true);
  EXPECT_TRUE(Runs(canvas.Draw(button, 0), text, 3).empty());
}

TEST_F(ColorButtonTest, PressedShiftsByOnePixelAndSinksTheEdge) {
  button.SetWindowText("Lo@Hi");
  button.SetHighlight(true);
  Canvas canvas(kWidth, kHeight);
  Pixels up = canvas.Draw(button, 0);
  Pixels down = canvas.Draw(button, ODS_SELECTED);
  std::vector<ColumnRun> upRuns = Runs(up, text, 3);
  std::vector<ColumnRun> downRuns = Runs(down, text, 3);
  ASSERT_EQ(upRuns.size(), 3u);
  ASSERT_EQ(downRuns.size(), 3u);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(downRuns[i].first, upRuns[i].first + 1);

  const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF;
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF;
  int middle = kHeight / 2;
  EXPECT_EQ(up.At(1, middle), highlight);
  EXPECT_EQ(up.At(kWidth - 2, middle), RGB(0, 0, 0));
  EXPECT_EQ(up.At(kWidth - 3, middle), shadow);
  EXPECT_EQ(up.At(middle, kHeight - 3), shadow);
  EXPECT_EQ(down.At(1, middle), shadow);
  EXPECT_EQ(down.At(kWidth - 2, middle), RGB(255, 255, 255));
  EXPECT_EQ(down.At(2, middle), RGB(0, 0, 0));
}

TEST_F(ColorButtonTest, DisabledTextIsEngravedAndUsesTheDisabledPicture) {
  button.SetWindowText("Lo@Hi");
  button.SetHighlight(true);
  Canvas canvas(kWidth, kHeight);
  Pixels enabled = canvas.Draw(button, 0);
  Pixels disabled = canvas.Draw(button, ODS_DISABLED);
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF;
  int white = 0;
  int grey = 0;
  int black = 0;
  std::vector<ColumnRun> runs = Runs(enabled, text, 3);
  ASSERT_EQ(runs.size(), 3u);
  for (int y = 3; y < kHeight - 3; ++y) {
    for (int x = runs[0].first; x <= runs[0].last + 1; ++x) {
      COLORREF colour = disabled.At(x, y);
      white += colour == RGB(255, 255, 255);
      grey += colour == shadow;
      black += colour == text;
    }
  }
  EXPECT_GT(white, 0);
  EXPECT_GT(grey, 0);
  EXPECT_EQ(black, 0);
  // The picture area differs: bitmap 286 instead of 282.
  int differing = 0;
  for (int y = 3; y < kHeight - 3; ++y) {
    for (int x = runs[1].first; x <= runs[1].last; ++x) {
      differing += enabled.At(x, y) != disabled.At(x, y);
    }
  }
  EXPECT_GT(differing, 0);
}

TEST_F(ColorButtonTest, FocusDrawsABlackOutlineElseTheFrameColour) {
  button.SetWindowText("Go");
  Canvas canvas(kWidth, kHeight);
  Pixels plain = canvas.Draw(button, 0);
  EXPECT_EQ(plain.At(0, 0), kFrame);
  EXPECT_EQ(plain.At(kWidth - 1, kHeight / 2), kFrame);
  Pixels focused = canvas.Draw(button, ODS_FOCUS);
  EXPECT_EQ(focused.At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(focused.At(kWidth / 2, kHeight - 1), RGB(0, 0, 0));
  // The focus action alone draws only the marks.
  button.SetColorValue(RGB(255, 0, 0));
  Pixels focusOnly = canvas.Draw(button, 0, ODA_FOCUS);
  EXPECT_EQ(focusOnly.At(0, 0), kFrame);
  EXPECT_EQ(focusOnly.At(kWidth / 2, kHeight / 2), focused.At(kWidth / 2, kHeight / 2));
  button.SetExtraColor2(RGB(0, 0, 255));
  EXPECT_EQ(canvas.Draw(button, 0).At(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(canvas.Draw(button, 0).At(kWidth / 2, 4), RGB(255, 0, 0));
}

TEST_F(ColorButtonTest, PaintsThroughItsParentAndJoinsTheRedrawList) {
  button.SetWindowText("Go");
  EXPECT_EQ(ui.RedrawEntries(button), 0);
  button.ShowWindow(SW_SHOW);
  button.UpdateWindow();
  Pump();
  EXPECT_EQ(ui.RedrawEntries(button), 1);
  EXPECT_EQ(ScreenPixels(button).At(kWidth / 2, 4), kFace);
  HWND window = button;
  button.DestroyWindow();
  EXPECT_EQ(ui.RedrawEntries(window), 0);
}

// ---- The avatar button -------------------------------------------------------

// A 24-bit BMP file image of one colour.
std::vector<uint8_t> SolidBmp(int side, COLORREF colour) {
  int stride = (side * 3 + 3) & ~3;
  std::vector<uint8_t> bytes(54 + static_cast<size_t>(stride * side), 0);
  auto put32 = [&](size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, static_cast<uint32_t>(bytes.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(side));
  put32(22, static_cast<uint32_t>(side));
  bytes[26] = 1;
  bytes[28] = 24;
  put32(34, static_cast<uint32_t>(stride * side));
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      size_t at = 54 + static_cast<size_t>(y * stride + x * 3);
      bytes[at] = GetBValue(colour);
      bytes[at + 1] = GetGValue(colour);
      bytes[at + 2] = GetRValue(colour);
    }
  }
  return bytes;
}

class ColorButton2Test : public ControlsTest {
 protected:
  static constexpr int kSide = 60;
  static constexpr int kTall = 40;
  std::string folder;
  CColorButton2 button;
  void SetUp() override {
    ControlsTest::SetUp();
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "zr-controls-avatars";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    CAvatarFile avatar;
    avatar.SetName("Ann");
    avatar.SetStill(SolidBmp(24, RGB(255, 0, 0)));
    ASSERT_TRUE(avatar.Save(folder));
    ASSERT_TRUE(button.CreateEx(0, "BUTTON", "", WS_CHILD | BS_OWNERDRAW,
                                RECT{0, 0, kSide, kTall}, MainWnd(), 502));
  }
  void TearDown() override {
    button.DestroyWindow();
    ::DeleteFileA(CAvatarFile::FileNameOf(folder, "Ann").c_str());
    ::RemoveDirectoryA(folder.c_str());
    ControlsTest::TearDown();
  }
};

TEST_F(ColorButton2Test, ShowsTheAvatarStillAsATwentyPixelSquare) {
  button.SetPicture("Ann", "Ann", folder);
  EXPECT_TRUE(button.HasPictureName());
  EXPECT_EQ(button.GetPictureName(), "Ann");
  Canvas canvas(kSide, kTall);
  Pixels pixels = canvas.Draw(button, 0);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
  int left = (kSide - 20) / 2;
  int top = (kTall - 20) / 2;
  EXPECT_EQ(pixels.At(left, top), RGB(255, 0, 0));
  EXPECT_EQ(pixels.At(left + 19, top + 19), RGB(255, 0, 0));
  EXPECT_EQ(pixels.At(left - 1, top + 10), face);
  EXPECT_EQ(pixels.At(left + 20, top + 10), face);
  EXPECT_EQ(pixels.At(left + 10, top + 20), face);
  // Pressed: one pixel right and down, inside a single shadow outline.
  Pixels pressed = canvas.Draw(button, ODS_SELECTED);
  EXPECT_EQ(pressed.At(left, top), face);
  EXPECT_EQ(pressed.At(left + 20, top + 20), RGB(255, 0, 0));
  EXPECT_EQ(pressed.At(1, kTall / 2), ::GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF);
  EXPECT_EQ(pressed.At(kSide - 2, kTall / 2), ::GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF);
  // Without focus the outline is the face colour.
  EXPECT_EQ(pixels.At(0, 0), face);
  EXPECT_EQ(canvas.Draw(button, ODS_FOCUS).At(0, 0), RGB(0, 0, 0));
}

TEST_F(ColorButton2Test, UnreadableAvatarsFallBackToTheDefaultPicture) {
  Canvas canvas(kSide, kTall);
  button.SetPicture("", "", "");
  EXPECT_FALSE(button.HasPictureName());
  Pixels fallback = canvas.Draw(button, 0);
  int left = (kSide - 20) / 2;
  int top = (kTall - 20) / 2;
  EXPECT_NE(fallback.At(left + 10, top + 10), RGB(255, 0, 0));

  for (const char* file : {"Bob", "..\\Ann", ""}) {
    SCOPED_TRACE(file);
    button.SetPicture("Bob", file, folder);
    EXPECT_FALSE(button.HasPictureName());
    EXPECT_EQ(button.GetPictureName(), "");
    ExpectSamePixels(canvas.Draw(button, 0), fallback);
  }
  // Disabled: bitmap 286 in place of the avatar.
  button.SetPicture("Ann", "Ann", folder);
  Pixels disabled = canvas.Draw(button, ODS_DISABLED);
  EXPECT_NE(disabled.At(left + 10, top + 10), RGB(255, 0, 0));
}

// ---- The hot picture window ----------------------------------------------------

class HotWndTest : public ControlsTest {
 protected:
  static constexpr uint16_t kCommand = 32790;
  CWnd parent;
  CHotWnd hot;
  void SetUp() override {
    ControlsTest::SetUp();
    const char* parentClass = CWnd::RegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    ASSERT_TRUE(parent.CreateEx(0, parentClass, "", WS_CHILD | WS_VISIBLE, RECT{200, 10, 400, 150},
                                MainWnd(), 900));
    ASSERT_TRUE(hot.Create(&parent, 10, 10, 42, 42, kCommand, false, 0x12345678));
    ASSERT_EQ(hot.SetPicturesById(kFacePicture, kDisabledFace, kFacePicture, kDisabledFace), 1);
    Pump();
  }
  void TearDown() override {
    hot.DestroyWindow();
    parent.DestroyWindow();
    TakeMessages(MainWnd()->GetSafeHwnd(), WM_COMMAND);
    ControlsTest::TearDown();
  }
  void Mouse(UINT message, int x, int y) {
    hot.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  }
  size_t CommandsTo(HWND window, LPARAM control) {
    size_t count = 0;
    for (const MSG& msg : TakeMessages(window, WM_COMMAND)) {
      if (msg.hwnd != window) continue;
      EXPECT_EQ(msg.wParam, kCommand);
      EXPECT_EQ(msg.lParam, control);
      ++count;
    }
    return count;
  }
};

TEST_F(HotWndTest, IsAChildWithTheCommandAsItsId) {
  EXPECT_EQ(::GetDlgCtrlID(hot), kCommand);
  EXPECT_EQ(hot.GetUserValue(), 0x12345678u);
  EXPECT_FALSE(::GetWindowLongA(hot, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  EXPECT_EQ(ui.RedrawEntries(hot), 1);
  CHotWnd clear;
  ASSERT_TRUE(clear.Create(&parent, 50, 10, 60, 20, 7, true, 0));
  EXPECT_TRUE(::GetWindowLongA(clear, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  HWND window = hot;
  hot.DestroyWindow();
  EXPECT_EQ(ui.RedrawEntries(window), 0);
}

TEST_F(HotWndTest, AClickPostsTheCommandToTheMainWindowAndTheParent) {
  Mouse(WM_LBUTTONDOWN, 5, 5);
  EXPECT_EQ(hot.GetState(), CHotWnd::kDown);
  Mouse(WM_MOUSEMOVE, 6, 6);
  EXPECT_EQ(::GetCapture(), hot.GetSafeHwnd());
  Mouse(WM_LBUTTONUP, 6, 6);
  EXPECT_EQ(hot.GetState(), CHotWnd::kUp);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(CommandsTo(parent, reinterpret_cast<LPARAM>(hot.GetSafeHwnd())), 1u);
  EXPECT_EQ(CommandsTo(MainWnd()->GetSafeHwnd(), 0), 1u);
}

TEST_F(HotWndTest, PressLeaveAndReleaseOutsidePostsNothing) {
  Mouse(WM_LBUTTONDOWN, 5, 5);
  Mouse(WM_MOUSEMOVE, -30, 50);
  EXPECT_EQ(hot.GetState(), CHotWnd::kUp);
  Mouse(WM_MOUSEMOVE, 8, 8);
  EXPECT_EQ(hot.GetState(), CHotWnd::kDown);
  Mouse(WM_MOUSEMOVE, 100, 5);
  Mouse(WM_LBUTTONUP, 100, 5);
  EXPECT_EQ(hot.GetState(), CHotWnd::kUp);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(CommandsTo(parent, reinterpret_cast<LPARAM>(hot.GetSafeHwnd())), 0u);
  EXPECT_EQ(CommandsTo(MainWnd()->GetSafeHwnd(), 0), 0u);
}

TEST_F(HotWndTest, DisabledIgnoresPresses) {
  EXPECT_EQ(hot.Enable(false), 1);
  EXPECT_EQ(hot.Enable(false), 0);
  EXPECT_EQ(hot.GetState(), CHotWnd::kDisabled);
  Mouse(WM_LBUTTONDOWN, 5, 5);
  Mouse(WM_MOUSEMOVE, 6, 6);
  Mouse(WM_LBUTTONUP, 6, 6);
  EXPECT_EQ(hot.GetState(), CHotWnd::kDisabled);
  EXPECT_EQ(CommandsTo(parent, reinterpret_cast<LPARAM>(hot.GetSafeHwnd())), 0u);
  EXPECT_EQ(CommandsTo(MainWnd()->GetSafeHwnd(), 0), 0u);
  EXPECT_EQ(hot.Enable(true), 1);
  EXPECT_EQ(hot.GetState(), CHotWnd::kUp);
  EXPECT_EQ(hot.Enable(true), 0);
  // A window in the third state is not disabled by enabling.
  EXPECT_EQ(hot.SetState(CHotWnd::kThird), 1);
  EXPECT_EQ(hot.SetState(CHotWnd::kThird), 0);
  EXPECT_EQ(hot.Enable(true), 0);
}

TEST_F(HotWndTest, PaintsThePictureOfItsState) {
  Pixels up = BitmapPixels(kFacePicture);
  Pixels disabled = BitmapPixels(kDisabledFace);
  ExpectSamePixels(ScreenPixels(hot), up, kKeyColour);
  hot.SetState(CHotWnd::kDown);
  ExpectSamePixels(ScreenPixels(hot), disabled, kKeyColour);
}

TEST_F(HotWndTest, SetPicturesReplacesFreesOrDropsAll) {
  EXPECT_EQ(hot.SetPictures(nullptr, nullptr, nullptr, nullptr), 0);
  for (int state = 0; state < 4; ++state) EXPECT_TRUE(hot.HasPicture(state));
  EXPECT_EQ(hot.SetPicturesById(kFacePicture, 0, 0, 0), 1);
  EXPECT_TRUE(hot.HasPicture(0));
  EXPECT_FALSE(hot.HasPicture(1));
  EXPECT_EQ(hot.UpdatePictures(nullptr, MAKEINTRESOURCEA(kDisabledFace), nullptr, nullptr), 1);
  EXPECT_TRUE(hot.HasPicture(0));
  EXPECT_TRUE(hot.HasPicture(1));
  EXPECT_FALSE(hot.HasPicture(2));
  // One missing picture frees all four.
  EXPECT_EQ(hot.SetPicturesById(kFacePicture, static_cast<uint16_t>(kMissingResource), 0, 0), 0);
  for (int state = 0; state < 4; ++state) EXPECT_FALSE(hot.HasPicture(state));
  EXPECT_EQ(hot.UpdatePictures(MAKEINTRESOURCEA(kFacePicture), nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(hot.UpdatePictures(nullptr, MAKEINTRESOURCEA(kMissingResource), nullptr, nullptr), 0);
  EXPECT_FALSE(hot.HasPicture(0));
  CHotWnd unmade;
  EXPECT_EQ(unmade.SetPicturesById(kFacePicture, 0, 0, 0), 0);
  EXPECT_EQ(unmade.UpdatePictures(MAKEINTRESOURCEA(kFacePicture), nullptr, nullptr, nullptr), 0);
}

TEST_F(HotWndTest, UpdatePicturesShowsAHiddenWindow) {
  hot.ShowWindow(SW_HIDE);
  EXPECT_EQ(hot.UpdatePictures(MAKEINTRESOURCEA(kDisabledFace), nullptr, nullptr, nullptr), 1);
  EXPECT_TRUE(hot.IsWindowVisible());
  ExpectSamePixels(ScreenPixels(hot), BitmapPixels(kDisabledFace), kKeyColour);
}

}  // namespace
