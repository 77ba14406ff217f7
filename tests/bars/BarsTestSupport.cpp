#include "BarsTestSupport.h"

#include <algorithm>

#include "AppPalette.h"
#include "CCmdUI.h"
#include "CWinApp.h"
#include "ModuleState.h"

namespace {

constexpr UINT kPaletteBitmap = 454;

class BarsApp : public CWinApp {
 public:
  BarsApp() : CWinApp("Bars Tests") {}
  int ExitInstance() override { return 0; }
};

HMODULE g_resources = nullptr;
BarsApp* g_app = nullptr;
TestFrame* g_main = nullptr;

class BarsEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    g_resources = ::LoadLibraryA(ZR_RES_PRODUCT_DLL);
    ASSERT_NE(g_resources, nullptr) << ZR_RES_PRODUCT_DLL;
    AfxSetResourceHandle(g_resources);
    CAppPalette::Get().SetResource(kPaletteBitmap);
    g_app = new BarsApp;
    // The frame deletes itself when its window ends.
    g_main = new TestFrame;
    ASSERT_TRUE(g_main->Create(nullptr, "Bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               RECT{0, 0, 480, 360}, nullptr, 0));
    g_app->m_pMainWnd = g_main;
    Pump(100);
  }
  void TearDown() override {
    g_app->m_pMainWnd = nullptr;
    if (g_main->m_hWnd) g_main->DestroyWindow();
    delete g_app;
    AfxSetResourceHandle(nullptr);
    ::FreeLibrary(g_resources);
  }
};

testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new BarsEnvironment);

}  // namespace

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
  ON_MESSAGE(WM_SETMESSAGESTRING, OnPrompt)
  ON_COMMAND_RANGE(kUpdatedFirst, kUpdatedLast, OnTestCommand)
  ON_COMMAND(kHandledCommand, OnHandledCommand)
  ON_UPDATE_COMMAND_UI_RANGE(kUpdatedFirst, kUpdatedLast, OnUpdateTest)
END_MESSAGE_MAP()

LRESULT TestFrame::OnPrompt(WPARAM id, LPARAM) {
  prompts.push_back(static_cast<UINT>(id));
  return 0;
}

void TestFrame::OnTestCommand(UINT id) { commands.push_back(id); }

void TestFrame::OnHandledCommand() { commands.push_back(kHandledCommand); }

void TestFrame::OnUpdateTest(CCmdUI* ui) {
  auto found = updateEnable.find(ui->m_nID);
  ui->Enable(found == updateEnable.end() || found->second);
}

bool FakeAppUi::IsListed(HWND window) const {
  return std::find(redrawList.begin(), redrawList.end(), window) != redrawList.end();
}

void FakeAppUi::UnregisterIdleWindow(HWND window) {
  auto found = std::find(redrawList.begin(), redrawList.end(), window);
  if (found != redrawList.end()) redrawList.erase(found);
}

void BarsTest::SetUp() {
  SetAppUi(&ui);
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
  Pump();
  SetAppUi(nullptr);
}

TestFrame* MainFrame() { return g_main; }
HMODULE Resources() { return g_resources; }

void Pump(DWORD ms) {
  DWORD end = ::GetTickCount() + ms;
  MSG msg;
  do {
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(5);
  } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

std::vector<MSG> TakeMessages(HWND window, UINT message) {
  std::vector<MSG> taken;
  MSG msg;
  while (::PeekMessageA(&msg, window, message, message, PM_REMOVE)) taken.push_back(msg);
  return taken;
}

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

Pixels ContextPixels(HDC dc, int width, int height) {
  Pixels pixels{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.colours.push_back(::GetPixel(dc, x, y) & 0xFFFFFF);
  }
  return pixels;
}

Pixels ScreenPixels(HWND window) {
  RECT client;
  ::GetClientRect(window, &client);
  HDC screen = ::GetDC(window);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
  Pixels pixels = ContextPixels(memory, client.right, client.bottom);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(window, screen);
  return pixels;
}

Pixels BitmapPixels(UINT bitmapId) {
  HBITMAP bitmap = ::LoadBitmapA(g_resources, MAKEINTRESOURCEA(bitmapId));
  BITMAP info{};
  ::GetObjectA(bitmap, sizeof(info), &info);
  HDC memory = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  Pixels pixels = ContextPixels(memory, info.bmWidth, info.bmHeight);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(bitmap);
  return pixels;
}

Pixels Crop(const Pixels& pixels, const RECT& rect) {
  Pixels part{rect.right - rect.left, rect.bottom - rect.top, {}};
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) part.colours.push_back(pixels.At(x, y));
  }
  return part;
}

int CountDifferences(const Pixels& shown, const Pixels& reference) {
  if (shown.width != reference.width || shown.height != reference.height) return -1;
  int differing = 0;
  for (size_t i = 0; i < shown.colours.size(); ++i) {
    if (shown.colours[i] != reference.colours[i]) ++differing;
  }
  return differing;
}

int CountColour(const Pixels& pixels, COLORREF colour) {
  return static_cast<int>(std::count(pixels.colours.begin(), pixels.colours.end(), colour));
}
