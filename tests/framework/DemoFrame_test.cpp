// The demo's main window: an empty "ZRFrame" whose menu, accelerators, icon,
// title and status bar come from the resource library.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "DemoFrame.h"
#include "TestResources.h"
#include "TestSupport.h"

namespace {

TEST(DemoFrame, EmptyMainWindowFromTheResourceLibrary) {
  auto* frame = new DemoFrame;
  ASSERT_TRUE(frame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN));
  App().m_pMainWnd = frame;
  EXPECT_EQ(::FindWindowA("ZRFrame", nullptr), frame->m_hWnd);
  EXPECT_NE(::GetClassLongPtrA(*frame, GCLP_HICON), 0);
  EXPECT_EQ(frame->GetWindowText(), "ZR Frame Test");
  HMENU menu = ::GetMenu(*frame);
  ASSERT_NE(menu, nullptr);
  char text[64] = {};
  ::GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
  EXPECT_STREQ(text, "&File");
  EXPECT_NE(frame->m_hAccelTable, nullptr);
  ASSERT_EQ(::GetDlgItem(*frame, AFX_IDW_STATUS_BAR), frame->statusBar.m_hWnd);

  PumpFor(30);
  App().OnIdle(0);
  EXPECT_EQ(frame->statusBar.GetPaneText(0), "Ready");
  EXPECT_EQ(frame->statusBar.GetPaneText(1), "MODE");
  frame->SendMessage(WM_COMMAND, ID_SAY_HELLO);
  EXPECT_EQ(frame->statusBar.GetPaneText(0), "Hello from the frame");

  frame->SendMessage(WM_CLOSE);
  EXPECT_EQ(App().m_pMainWnd, nullptr) << "the closed main window is forgotten";
  MSG quit{};
  EXPECT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
      << "closing the main window ends the program";
}

}  // namespace
