#include "ZrCopyData.h"

#include <vector>

bool SendCopyDataToWindowClass(const char* className, uint32_t code, const std::string& text,
                               HWND sender) {
  std::vector<char> copy(text.begin(), text.end());
  copy.push_back('\0');
  HWND target = ::FindWindowA(className, nullptr);
  if (!target) return false;
  COPYDATASTRUCT data{};
  data.dwData = code;
  data.cbData = static_cast<DWORD>(copy.size());
  data.lpData = copy.data();
  ::SendMessageA(target, WM_COPYDATA, reinterpret_cast<WPARAM>(sender),
                 reinterpret_cast<LPARAM>(&data));
  return true;
}
