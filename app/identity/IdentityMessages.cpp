#include "IdentityMessages.h"

bool PostIdentityTexts(HWND window, const CIdentityTexts& texts) {
  auto copy = std::make_unique<CIdentityTexts>(texts);
  if (!window || !::PostMessageA(window, kIdentityDataMessage, 0, reinterpret_cast<LPARAM>(copy.get())))
    return false;
  static_cast<void>(copy.release());
  return true;
}

std::unique_ptr<CIdentityTexts> TakeIdentityTexts(LPARAM lParam) {
  return std::unique_ptr<CIdentityTexts>(reinterpret_cast<CIdentityTexts*>(lParam));
}

void DropQueuedIdentityTexts(HWND window) {
  MSG message;
  while (::PeekMessageA(&message, window, kIdentityDataMessage, kIdentityDataMessage, PM_REMOVE))
    TakeIdentityTexts(message.lParam);
}
