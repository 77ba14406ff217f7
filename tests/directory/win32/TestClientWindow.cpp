#include "TestClientWindow.h"

#include <memory>

#include "CCopyDataLink.h"
#include "CPlaceAddress.h"
#include "DirectoryCodes.h"

using namespace zr::directory;

namespace {

HWND CreateClientWindow(void* owner, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = kClientWindowClass;
  ::RegisterClassA(&wc);
  return ::CreateWindowExA(0, kClientWindowClass, "Test client", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                           nullptr, nullptr, wc.hInstance, owner);
}

}  // namespace

TestClientWindow::TestClientWindow() : CDirectoryClient(nullptr) {
  m_window = CreateClientWindow(this, WindowProc);
  SetMainWindow(m_window);
}

TestClientWindow::~TestClientWindow() {
  Destroy();
}

void TestClientWindow::Destroy() {
  if (m_window) {
    ::DestroyWindow(m_window);
    m_window = nullptr;
  }
}

LRESULT CALLBACK TestClientWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TestClientWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self && message == WM_COPYDATA) {
    return self->OnCopyData(wParam, lParam);
  }
  if (self && message == kClientPostedCommand) {
    self->Take(lParam);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

void TestClientWindow::Take(LPARAM copy) {
  std::unique_ptr<CCopyCommand> command = CCopyDataLink::TakePosted(copy);
  if (!command) {
    return;
  }
  received.emplace_back(command->Code(), command->Text());
  Received last = received.back();
  if (autoReply) {
    CDirectoryClient::OnPostedCommand(reinterpret_cast<LPARAM>(command.release()));
  }
  if (onReceived) {
    onReceived(last);
  }
}

bool TestClientWindow::IsPlaceLink(const std::string& text) const {
  std::string page;
  std::string rest;
  int isLink = 0;
  return CPlaceAddress::ParseUrl(text, page, rest, isLink);
}

bool TestClientWindow::IsInteractionLink(const std::string& text) const {
  return text.find("actn=") != std::string::npos;
}

std::optional<TestClientWindow::Received> TestClientWindow::WaitFor(uint64_t code, size_t from,
                                                                    DWORD timeoutMs) {
  std::optional<Received> found;
  PumpUntil(
      [&] {
        for (size_t i = from; i < received.size(); ++i) {
          if (received[i].first == code) {
            found = received[i];
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

bool TestClientWindow::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, HANDLE wake) {
  DWORD start = ::GetTickCount();
  for (;;) {
    Drain();
    if (done()) {
      return true;
    }
    DWORD elapsed = ::GetTickCount() - start;
    if (elapsed >= timeoutMs) {
      return done();
    }
    ::MsgWaitForMultipleObjects(wake ? 1 : 0, wake ? &wake : nullptr, FALSE, timeoutMs - elapsed,
                                QS_ALLINPUT);
  }
}

void TestClientWindow::Drain() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}
