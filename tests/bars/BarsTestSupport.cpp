#include "BarsTestSupport.h"

namespace {

testing::Environment* const g_environment = testing::AddGlobalTestEnvironment(
    new AppTestEnvironment("Bars", [] { return new TestFrame; }));

}  // namespace

void BarsTest::SetUp() {
  AppUiTest::SetUp();
  ::SetForegroundWindow(MainFrame()->m_hWnd);
  ::SetActiveWindow(MainFrame()->m_hWnd);
  Pump();
  ASSERT_EQ(::GetActiveWindow(), MainFrame()->m_hWnd);
  PostedCommands();
  MainFrame()->prompts.clear();
  MainFrame()->commands.clear();
  MainFrame()->updateEnable.clear();
}

void BarsTest::TearDown() {
  if (::GetCapture()) ::ReleaseCapture();
  AppUiTest::TearDown();
}

TestFrame* MainFrame() { return static_cast<TestFrame*>(MainWnd()); }

std::vector<UINT> PostedCommands() {
  std::vector<UINT> ids;
  for (const MSG& msg : TakeMessages(MainFrame()->m_hWnd, WM_COMMAND)) {
    ids.push_back(LOWORD(msg.wParam));
  }
  return ids;
}

void SendMouse(HWND window, UINT message, int x, int y) {
  const WPARAM keys = message == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
  ::SendMessageA(window, message, keys, MAKELPARAM(x, y));
}

POINT Centre(const RECT& rect) {
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
