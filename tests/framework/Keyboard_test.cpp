// Real key presses through the application's pre-translation chain: a child
// dialog pane inside a frame moves the focus on Tab and presses its default
// button on Return, while the frame's accelerators still work from inside
// it; Escape in a self-deleting modeless dialog deletes it from inside its
// own handler.
#include <gtest/gtest.h>

#include "CDialog.h"
#include "CFrameWnd.h"
#include "TestResources.h"
#include "TestSupport.h"

namespace {

int g_goClicks = 0;
int g_hellos = 0;
int g_refreshes = 0;

class PaneDialog : public CDialog {
 protected:
  void OnGo() { ++g_goClicks; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaneDialog, CDialog)
  ON_BN_CLICKED(IDC_PANE_DEFAULT, OnGo)
END_MESSAGE_MAP()

class KeyFrame : public CFrameWnd {
 public:
  PaneDialog pane;

 protected:
  bool OnCreateClient(LPCREATESTRUCT, CCreateContext*) override {
    if (!pane.Create(IDD_PANE, this)) {
      return false;
    }
    ::SetWindowLongPtrA(pane.m_hWnd, GWLP_ID, AFX_IDW_PANE_FIRST);
    return true;
  }
  void OnSayHello() { ++g_hellos; }
  void OnRefresh() { ++g_refreshes; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(KeyFrame, CFrameWnd)
  ON_COMMAND(ID_SAY_HELLO, OnSayHello)
  ON_COMMAND(ID_REFRESH, OnRefresh)
END_MESSAGE_MAP()

TEST(KeyboardInput, ChildDialogNavigationAndFrameAccelerators) {
  Watchdog watchdog(20000);
  auto* frame = new KeyFrame;
  ASSERT_TRUE(frame->LoadFrame(IDR_TESTFRAME));
  frame->SetWindowPos(nullptr, 10, 10, 400, 300, SWP_NOZORDER);
  ASSERT_TRUE(BringToForeground(frame->m_hWnd));
  RECT paneRect{};
  frame->pane.GetWindowRect(&paneRect);
  frame->ScreenToClient(&paneRect);
  RECT client{};
  frame->GetClientRect(&client);
  EXPECT_EQ(paneRect.right - paneRect.left, client.right) << "the pane fills the frame";

  HWND first = ::GetDlgItem(frame->pane, IDC_PANE_FIRST);
  HWND second = ::GetDlgItem(frame->pane, IDC_PANE_SECOND);
  ::SetFocus(first);
  ASSERT_EQ(::GetFocus(), first);
  g_goClicks = g_hellos = g_refreshes = 0;

  PressKey(VK_TAB);
  EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == second; })) << "Tab moves the focus";

  PressKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([] { return g_goClicks == 1; })) << "Return presses the default button";

  PressKey('H', true);
  EXPECT_TRUE(PumpUntil([] { return g_hellos == 1; })) << "the frame's Ctrl+H accelerator";
  PressKey(VK_F5);
  EXPECT_TRUE(PumpUntil([] { return g_refreshes == 1; })) << "the frame's F5 accelerator";
  PumpFor(50);
  EXPECT_EQ(::GetWindowTextLengthA(second), 0) << "an accelerator key reached the edit";
  EXPECT_EQ(g_goClicks, 1);

  frame->DestroyWindow();
  EXPECT_FALSE(Watchdog::Fired());
}

int g_selfDeleted = 0;

class SelfDeletingDialog : public CDialog {
 public:
  ~SelfDeletingDialog() override { ++g_selfDeleted; }

 protected:
  void OnCancel() override { DestroyWindow(); }
  void PostNcDestroy() override { delete this; }
};

TEST(KeyboardInput, EscapeDeletesSelfDeletingDialogFromItsHandler) {
  Watchdog watchdog(20000);
  g_selfDeleted = 0;
  auto* dialog = new SelfDeletingDialog;
  ASSERT_TRUE(dialog->Create(IDD_PLAIN));
  HWND hwnd = dialog->m_hWnd;
  ASSERT_TRUE(BringToForeground(hwnd));
  ::SetFocus(::GetDlgItem(hwnd, IDOK));

  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([] { return g_selfDeleted == 1; }));
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
  PumpFor(20);
  EXPECT_EQ(g_selfDeleted, 1);
}

}  // namespace
