// The tip manager with its real dialog (325) from the product's resource
// library, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include "../FakeTipHost.h"
#include "AppTestEnvironment.h"
#include "CTipDlg.h"
#include "CTipManager.h"
#include "CWnd.h"
#include "MessagePump.h"
#include "PlainMainWnd.h"

namespace {

// Room for the dialog to be centred on the main window within the screen.
constexpr RECT kMainRect{100, 80, 740, 560};
// Time for the dialog to answer a click or to end.
constexpr DWORD kDialogSettleMs = 50;

testing::Environment* const g_environment = testing::AddGlobalTestEnvironment(
    new AppTestEnvironment("Tips", [] { return new PlainMainWnd; }, kMainRect));

class TipManagerTest : public ::testing::Test {
 protected:
  FakeTipHost host;
  CTipManager tips;

  void SetUp() override { tips.SetHost(&host); }
  void TearDown() override {
    tips.Close();
    Pump(kDialogSettleMs);
  }

  HWND Dialog() const { return tips.GetDialog() ? tips.GetDialog()->m_hWnd : nullptr; }
  std::string Text(HWND window) const {
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof(text));
    return text;
  }
  std::string CheckBoxText() const { return Text(::GetDlgItem(Dialog(), CTipDlg::kShowCheckBox)); }
  bool Checked() const {
    return ::IsDlgButtonChecked(Dialog(), CTipDlg::kShowCheckBox) == BST_CHECKED;
  }
  void Click(int id) {
    ::SendMessageA(::GetDlgItem(Dialog(), id), BM_CLICK, 0, 0);
    Pump(kDialogSettleMs);
  }
};

TEST_F(TipManagerTest, DialogShowsTheRowsTitleAndCheckBoxCentredOnTheMainWindow) {
  struct Case {
    int category;
    const char* title;
    const char* checkBox;
    bool checked;
  };
  const Case cases[] = {
      {2, "Tour Tip", "Show tips when entering a tour", true},
      {1, "Tip of the Day", "Show tips on startup", false},
      {3, "Auditorium Tip", "Show tips when entering an auditorium", false},
      {5, "Observing Tip", "Show tips when observing", true},
  };
  for (const Case& c : cases) {
    tips.ShowTip(c.category, true);
    HWND dialog = Dialog();
    ASSERT_NE(dialog, nullptr) << c.category;
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_EQ(Text(dialog), c.title);
    EXPECT_EQ(CheckBoxText(), c.checkBox);
    EXPECT_EQ(Checked(), c.checked) << c.title;
    EXPECT_EQ(host.tipsAtStart, c.checked) << "the tips-at-start flag follows the box";
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), MainWnd()->m_hWnd);
    RECT main{}, shown{};
    MainWnd()->GetWindowRect(&main);
    ::GetWindowRect(dialog, &shown);
    EXPECT_NEAR((shown.left + shown.right) / 2, (main.left + main.right) / 2, 1);
    EXPECT_NEAR((shown.top + shown.bottom) / 2, (main.top + main.bottom) / 2, 1);
  }
}

TEST_F(TipManagerTest, EachTipReplacesTheOpenDialog) {
  tips.ShowTip(2, true);
  HWND first = Dialog();
  tips.ShowTip(2, true);
  EXPECT_NE(Dialog(), nullptr);
  EXPECT_FALSE(::IsWindow(first));
}

TEST_F(TipManagerTest, NextTipShowsTheNextRowInTheSameDialog) {
  tips.ShowTip(2, true);
  HWND dialog = Dialog();
  ASSERT_EQ(host.tipState, "2,Y16;");
  Click(CTipDlg::kNextTip);
  EXPECT_EQ(Dialog(), dialog);
  EXPECT_TRUE(::IsWindow(dialog));
  EXPECT_EQ(host.tipState, "2,Y17;");
  // The box's state is stored before the next tip.
  ::CheckDlgButton(dialog, CTipDlg::kShowCheckBox, BST_UNCHECKED);
  Click(CTipDlg::kNextTip);
  EXPECT_EQ(host.tipState, "2,N16;");
  EXPECT_FALSE(Checked());
}

TEST_F(TipManagerTest, CloseStoresTheCheckBoxAndEndsTheDialog) {
  host.tipsAtStart = true;
  tips.ShowTip(1, true);
  HWND dialog = Dialog();
  ASSERT_FALSE(Checked()) << "a general state made by force starts off";
  ::CheckDlgButton(dialog, CTipDlg::kShowCheckBox, BST_CHECKED);
  Click(IDOK);
  EXPECT_FALSE(::IsWindow(dialog));
  EXPECT_EQ(host.tipState, "1,Y0;");
  // Tips at start are on again: the next start shows the next tip.
  CTipManager next;
  next.SetHost(&host);
  host.tipsAtStart = true;
  next.ShowTip(1, false);
  ASSERT_NE(next.GetDialog(), nullptr);
  EXPECT_EQ(host.tipState, "1,Y1;");
  next.Close();
}

TEST_F(TipManagerTest, NothingIsShownWhenTheScheduleSaysNo) {
  tips.ShowTip(1, false);
  EXPECT_EQ(tips.GetDialog(), nullptr);
  tips.ShowTip(4, true);
  EXPECT_EQ(tips.GetDialog(), nullptr);
}

// The tip area as drawn on the screen.
std::vector<COLORREF> AreaPixels(HWND area, RECT* client) {
  ::GetClientRect(area, client);
  HDC screen = ::GetDC(area);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < client->bottom; ++y) {
    for (int x = 0; x < client->right; ++x) pixels.push_back(::GetPixel(screen, x, y) & 0xFFFFFF);
  }
  ::ReleaseDC(area, screen);
  return pixels;
}

TEST_F(TipManagerTest, TipAreaShowsTheIconTheTextAndThePicture) {
  tips.ShowTip(2, true);  // row 16: text 270 with picture 452
  HWND area = ::GetDlgItem(Dialog(), CTipDlg::kTipArea);
  ::SetForegroundWindow(Dialog());
  ::UpdateWindow(area);
  Pump(100);
  RECT client{};
  std::vector<COLORREF> pixels = AreaPixels(area, &client);
  auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y * client.right + x)]; };
  // The frame of the rectangle, white inside.
  EXPECT_EQ(at(0, client.bottom / 2), RGB(0, 0, 0));
  EXPECT_EQ(at(client.right - 1, client.bottom / 2), RGB(0, 0, 0));
  EXPECT_EQ(at(client.right - 3, 3), RGB(255, 255, 255));
  // The icon's top-left pixel at (5, 5), as the bitmap has it.
  HBITMAP icon = ::LoadBitmapA(Resources(), MAKEINTRESOURCEA(453));
  ASSERT_NE(icon, nullptr);
  BITMAP info{};
  ::GetObjectA(icon, sizeof(info), &info);
  HDC memory = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(memory, icon);
  EXPECT_EQ(at(5, 5), ::GetPixel(memory, 0, 0) & 0xFFFFFF);
  EXPECT_EQ(at(5 + info.bmWidth - 1, 5 + info.bmHeight - 1),
            ::GetPixel(memory, info.bmWidth - 1, info.bmHeight - 1) & 0xFFFFFF);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(icon);
  // Text in the first lines right of the icon.
  int dark = 0;
  for (int y = 5; y < 25; ++y) {
    for (int x = info.bmWidth + 10; x < client.right - 5; ++x) dark += at(x, y) == RGB(0, 0, 0);
  }
  EXPECT_GT(dark, 20);
  // The picture sits at the bottom, 5 pixels up.
  HBITMAP picture = ::LoadBitmapA(Resources(), MAKEINTRESOURCEA(452));
  ASSERT_NE(picture, nullptr);
  BITMAP pictureInfo{};
  ::GetObjectA(picture, sizeof(pictureInfo), &pictureInfo);
  memory = ::CreateCompatibleDC(nullptr);
  old = ::SelectObject(memory, picture);
  int top = client.bottom - 5 - pictureInfo.bmHeight;
  EXPECT_EQ(at(5, top), ::GetPixel(memory, 0, 0) & 0xFFFFFF);
  EXPECT_EQ(at(5 + pictureInfo.bmWidth - 1, client.bottom - 6),
            ::GetPixel(memory, pictureInfo.bmWidth - 1, pictureInfo.bmHeight - 1) & 0xFFFFFF);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(picture);
}

}  // namespace
