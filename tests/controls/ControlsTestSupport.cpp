#include "ControlsTestSupport.h"

#include <algorithm>

#include "AppPalette.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "ModuleState.h"

namespace {

constexpr UINT kPaletteBitmap = 454;

class ControlsApp : public CWinApp {
 public:
  ControlsApp() : CWinApp("Controls Tests") {}
  int ExitInstance() override { return 0; }
};

HMODULE g_resources = nullptr;
ControlsApp* g_app = nullptr;
CWnd* g_main = nullptr;

class ControlsEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    g_resources = ::LoadLibraryA(ZR_RES_PRODUCT_DLL);
    ASSERT_NE(g_resources, nullptr) << ZR_RES_PRODUCT_DLL;
    AfxSetResourceHandle(g_resources);
    CAppPalette::Get().SetResource(kPaletteBitmap);
    g_app = new ControlsApp;
    g_main = new CWnd;
    const char* mainClass = CWnd::RegisterWndClass(
        0, ::LoadCursorA(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    ASSERT_TRUE(g_main->CreateEx(0, mainClass, "Controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 RECT{0, 0, 480, 360}, nullptr, 0));
    g_app->m_pMainWnd = g_main;
    Pump(100);
  }
  void TearDown() override {
    g_app->m_pMainWnd = nullptr;
    delete g_main;
    delete g_app;
    AfxSetResourceHandle(nullptr);
    ::FreeLibrary(g_resources);
  }
};

testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new ControlsEnvironment);

}  // namespace

int FakeAppUi::RedrawEntries(HWND window) const {
  return static_cast<int>(std::count(redrawList.begin(), redrawList.end(), window));
}

void FakeAppUi::UnregisterIdleWindow(HWND window) {
  auto found = std::find(redrawList.begin(), redrawList.end(), window);
  if (found != redrawList.end()) redrawList.erase(found);
}

bool FakeAppUi::GetPageOrigin(POINT& origin) {
  origin = pageOrigin;
  return hasPage;
}

void ControlsTest::SetUp() {
  SetAppUi(&ui);
  Pump();
  TakeMessages(MainWnd()->GetSafeHwnd(), 0);
}

void ControlsTest::TearDown() {
  Pump();
  SetAppUi(nullptr);
}

CWnd* MainWnd() { return g_main; }
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

Pixels Slice(const Pixels& pixels, int x, int width) {
  Pixels slice{width, pixels.height, {}};
  for (int y = 0; y < pixels.height; ++y) {
    for (int i = 0; i < width; ++i) slice.colours.push_back(pixels.At(x + i, y));
  }
  return slice;
}

void ExpectSamePixels(const Pixels& shown, const Pixels& reference, COLORREF ignore) {
  ASSERT_GE(shown.width, reference.width);
  ASSERT_GE(shown.height, reference.height);
  int differing = 0;
  for (int y = 0; y < reference.height; ++y) {
    for (int x = 0; x < reference.width; ++x) {
      COLORREF want = reference.At(x, y);
      if (want != ignore && shown.At(x, y) != want) ++differing;
    }
  }
  EXPECT_EQ(differing, 0) << "of " << reference.width * reference.height << " pixels";
}
