#include "StatusTestSupport.h"

#include <algorithm>

#include "AppPalette.h"
#include "CFrameWnd.h"
#include "CWinApp.h"
#include "ModuleState.h"

namespace {

constexpr UINT kPaletteBitmap = 454;

class StatusApp : public CWinApp {
 public:
  StatusApp() : CWinApp("Status Tests") {}
  int ExitInstance() override { return 0; }
};

HMODULE g_resources = nullptr;
StatusApp* g_app = nullptr;
CFrameWnd* g_main = nullptr;

class StatusEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    g_resources = ::LoadLibraryA(ZR_RES_PRODUCT_DLL);
    ASSERT_NE(g_resources, nullptr) << ZR_RES_PRODUCT_DLL;
    AfxSetResourceHandle(g_resources);
    CAppPalette::Get().SetResource(kPaletteBitmap);
    g_app = new StatusApp;
    // The frame deletes itself when its window ends.
    g_main = new CFrameWnd;
    ASSERT_TRUE(g_main->Create(nullptr, "Status", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               RECT{0, 0, 480, 360}, nullptr, 0));
    g_app->m_pMainWnd = g_main;
    Pump(100);
  }
  void TearDown() override {
    g_app->m_pMainWnd = nullptr;
    g_main->DestroyWindow();
    delete g_app;
    AfxSetResourceHandle(nullptr);
    ::FreeLibrary(g_resources);
  }
};

testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new StatusEnvironment);

}  // namespace

bool FakeAppUi::IsListed(HWND window) const {
  return std::find(redrawList.begin(), redrawList.end(), window) != redrawList.end();
}

void FakeAppUi::UnregisterIdleWindow(HWND window) {
  auto found = std::find(redrawList.begin(), redrawList.end(), window);
  if (found != redrawList.end()) redrawList.erase(found);
}

void StatusTest::SetUp() {
  SetAppUi(&ui);
  Pump();
}

void StatusTest::TearDown() {
  Pump();
  SetAppUi(nullptr);
}

CFrameWnd* MainFrame() { return g_main; }
HMODULE Resources() { return g_resources; }

void Pump(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD end = ::GetTickCount() + timeoutMs;
  MSG msg;
  while (!done()) {
    if (static_cast<LONG>(::GetTickCount() - end) >= 0) return false;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(5);
  }
  return true;
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

COLORREF ResourceColour(uint32_t index) {
  auto getColor = reinterpret_cast<uint32_t (*)(uint32_t)>(
      reinterpret_cast<void*>(::GetProcAddress(g_resources, "GetColor")));
  return getColor ? getColor(index) : CLR_INVALID;
}
