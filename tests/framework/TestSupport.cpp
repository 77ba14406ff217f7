#include "TestSupport.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "ModuleState.h"

namespace {

TestApp* g_testApp = nullptr;
bool g_watchdogFired = false;
std::string g_boxCaption;
std::string g_boxText;

class FrameworkEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
    HMODULE resources = ::LoadLibraryA("ZrFrameTestRes.dll");
    ASSERT_NE(resources, nullptr) << "the test resource library is missing";
    AfxSetResourceHandle(resources);
    g_testApp = new TestApp;
  }
  void TearDown() override {
    delete g_testApp;
    g_testApp = nullptr;
  }
};

testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new FrameworkEnvironment);

bool IsDialogWindow(HWND hwnd) {
  char name[16] = {};
  ::GetClassNameA(hwnd, name, sizeof(name));
  return std::string(name) == "#32770" && ::IsWindowVisible(hwnd) &&
         !(::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD);
}

BOOL CALLBACK CloseDialog(HWND hwnd, LPARAM) {
  if (IsDialogWindow(hwnd)) {
    g_watchdogFired = true;
    ::PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

void CALLBACK WatchdogTick(HWND, UINT, UINT_PTR, DWORD) {
  ::EnumThreadWindows(::GetCurrentThreadId(), &CloseDialog, 0);
}

BOOL CALLBACK PressOkInMessageBox(HWND hwnd, LPARAM found) {
  HWND text = ::GetDlgItem(hwnd, 0xFFFF);
  if (!IsDialogWindow(hwnd) || !text) {
    return TRUE;
  }
  char buffer[512] = {};
  ::GetWindowTextA(hwnd, buffer, sizeof(buffer));
  g_boxCaption = buffer;
  ::GetWindowTextA(text, buffer, sizeof(buffer));
  g_boxText = buffer;
  ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

void CALLBACK MessageBoxTick(HWND, UINT, UINT_PTR, DWORD) {
  bool found = false;
  ::EnumThreadWindows(::GetCurrentThreadId(), &PressOkInMessageBox, reinterpret_cast<LPARAM>(&found));
}

}  // namespace

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
  ON_COMMAND_RANGE(40001, 40004, OnTestCommand)
END_MESSAGE_MAP()

void TestApp::OnTestCommand(UINT id) {
  if (commandObserver) {
    commandObserver(id);
  }
}

TestApp& App() {
  return *g_testApp;
}

int TestApp::DoMessageBox(const char* text, UINT type, UINT helpId) {
  messages.emplace_back(text);
  return realBoxes ? CWinApp::DoMessageBox(text, type, helpId) : IDOK;
}

bool TestApp::OnIdle(LONG count) {
  if (idleObserver) {
    idleObserver(count);
  }
  return CWinApp::OnIdle(count);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) {
      return false;
    }
    MSG msg;
    if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        continue;
      }
      if (!App().PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
    } else {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  return true;
}

void PumpFor(DWORD ms) {
  DWORD start = ::GetTickCount();
  PumpUntil([&] { return ::GetTickCount() - start >= ms; }, ms + 1000);
}

Watchdog::Watchdog(UINT ms) : m_timer(::SetTimer(nullptr, 0, ms, &WatchdogTick)) {
  g_watchdogFired = false;
}

Watchdog::~Watchdog() {
  ::KillTimer(nullptr, m_timer);
}

bool Watchdog::Fired() {
  return g_watchdogFired;
}

MessageBoxCloser::MessageBoxCloser() : m_timer(::SetTimer(nullptr, 0, 50, &MessageBoxTick)) {
  g_boxCaption.clear();
  g_boxText.clear();
}

MessageBoxCloser::~MessageBoxCloser() {
  ::KillTimer(nullptr, m_timer);
}

std::string MessageBoxCloser::Caption() {
  return g_boxCaption;
}

std::string MessageBoxCloser::Text() {
  return g_boxText;
}

bool BringToForeground(HWND window) {
  ::ShowWindow(window, SW_SHOW);
  ::SetForegroundWindow(window);
  ::SetActiveWindow(window);
  return PumpUntil([&] { return ::GetForegroundWindow() == window; }, 2000);
}

void PressKey(WORD key, bool control) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (control) {
    add(VK_CONTROL, false);
  }
  add(key, false);
  add(key, true);
  if (control) {
    add(VK_CONTROL, true);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}
