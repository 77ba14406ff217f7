#include "AppTestEnvironment.h"

#include <utility>

#include "AppPalette.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "MessagePump.h"
#include "ModuleState.h"

namespace {

constexpr UINT kPaletteBitmap = 454;

HMODULE g_resources = nullptr;
CWnd* g_main = nullptr;

}  // namespace

AppTestEnvironment::AppTestEnvironment(std::string name, WindowFactory newMainWindow,
                                       const RECT& mainRect)
    : m_name(std::move(name)), m_newMainWindow(std::move(newMainWindow)), m_mainRect(mainRect) {}

AppTestEnvironment::~AppTestEnvironment() = default;

void AppTestEnvironment::SetUp() {
  ASSERT_NO_FATAL_FAILURE(LoadResources());
  m_app = std::make_unique<CWinApp>((m_name + " Tests").c_str());
  ASSERT_NO_FATAL_FAILURE(MakeMainWindow());
  m_app->m_pMainWnd = g_main;
  Pump(100);
}

void AppTestEnvironment::TearDown() {
  if (m_app) m_app->m_pMainWnd = nullptr;
  if (g_main) g_main->DestroyWindow();
  g_main = nullptr;
  m_app.reset();
  AfxSetResourceHandle(nullptr);
  if (g_resources) ::FreeLibrary(g_resources);
  g_resources = nullptr;
}

void AppTestEnvironment::LoadResources() {
  g_resources = ::LoadLibraryA(ZR_RES_PRODUCT_DLL);
  ASSERT_NE(g_resources, nullptr) << ZR_RES_PRODUCT_DLL;
  AfxSetResourceHandle(g_resources);
  CAppPalette::Get().SetResource(kPaletteBitmap);
}

void AppTestEnvironment::MakeMainWindow() {
  CWnd* window = m_newMainWindow();
  ASSERT_TRUE(window->CreateEx(0, nullptr, m_name.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               m_mainRect, nullptr, 0))
      << m_name;
  g_main = window;
}

CWnd* MainWnd() { return g_main; }
HMODULE Resources() { return g_resources; }
