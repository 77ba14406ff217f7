#include "MessagePump.h"

namespace {

// How long a pump sleeps between looks at the queue.
constexpr DWORD kNapMs = 5;

void DeliverQueued() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

bool Passed(DWORD end) { return static_cast<LONG>(::GetTickCount() - end) >= 0; }

}  // namespace

void Pump(DWORD ms) {
  const DWORD end = ::GetTickCount() + ms;
  do {
    DeliverQueued();
    ::Sleep(kNapMs);
  } while (!Passed(end));
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD end = ::GetTickCount() + timeoutMs;
  while (!done()) {
    if (Passed(end)) return false;
    DeliverQueued();
    ::Sleep(kNapMs);
  }
  return true;
}

std::vector<MSG> TakeMessages(HWND window, UINT message) {
  std::vector<MSG> taken;
  MSG msg;
  while (::PeekMessageA(&msg, window, message, message, PM_REMOVE)) taken.push_back(msg);
  return taken;
}
