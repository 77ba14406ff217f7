// The window probe's reader in the client's process: a WH_CALLWNDPROC hook
// that answers the probe's menu requests (see ProbeHook.h) with the items'
// JSON text.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "ProbeHook.h"
#include "ProbeJson.h"

using probe_json::Bool;
using probe_json::Field;
using probe_json::Quote;

namespace {

std::wstring ItemText(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  if (!::GetMenuItemInfoW(menu, position, TRUE, &info) || info.cch == 0) return {};
  std::wstring text(info.cch + 1, L'\0');
  info.dwTypeData = &text[0];
  info.cch = static_cast<UINT>(text.size());
  ::GetMenuItemInfoW(menu, position, TRUE, &info);
  text.resize(info.cch);
  return text;
}

std::string Items(HWND frame, HMENU menu, bool initialise);

// One item; a popup's items follow it, first updated by the program when
// `initialise` is set, as a real opening would.
std::string Item(HWND frame, HMENU menu, UINT position, bool initialise) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
  if (!::GetMenuItemInfoW(menu, position, TRUE, &info)) return "{" + Field("error", "\"unreadable\"") + "}";
  std::string item = "{" + Field("pos", std::to_string(position)) + "," +
                     Field("id", std::to_string(info.wID)) + "," +
                     Field("text", Quote(ItemText(menu, position))) + "," +
                     Field("enabled", Bool((info.fState & MFS_DISABLED) == 0)) + "," +
                     Field("grayed", Bool((info.fState & MF_GRAYED) != 0)) + "," +
                     Field("checked", Bool((info.fState & MFS_CHECKED) != 0)) + "," +
                     Field("default", Bool((info.fState & MFS_DEFAULT) != 0)) + "," +
                     Field("separator", Bool((info.fType & MFT_SEPARATOR) != 0)) + "," +
                     Field("ownerdraw", Bool((info.fType & MFT_OWNERDRAW) != 0)) + "," +
                     Field("bitmap", Bool((info.fType & MFT_BITMAP) != 0));
  if (info.hSubMenu) item += "," + Field("submenu", Items(frame, info.hSubMenu, initialise));
  return item + "}";
}

std::string Items(HWND frame, HMENU menu, bool initialise) {
  std::string items = "[";
  // The program may add or drop items while it updates a popup, so the count
  // is read again on every round.
  for (UINT position = 0; static_cast<int>(position) < ::GetMenuItemCount(menu); ++position) {
    if (initialise) {
      if (HMENU popup = ::GetSubMenu(menu, static_cast<int>(position)))
        ::SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
                       MAKELPARAM(position, FALSE));
    }
    if (position > 0) items += ",";
    items += Item(frame, menu, position, initialise);
  }
  return items + "]";
}

std::string MenuBar(HWND frame) {
  HMENU bar = ::GetMenu(frame);
  if (!bar) return "{" + Field("bar", "0") + "," + Field("popups", "[]") + "}";
  ::SendMessageW(frame, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
  return "{" + Field("bar", probe_json::Handle(bar)) + "," + Field("popups", Items(frame, bar, true)) +
         "}";
}

std::string Menu(HWND frame, HMENU menu) {
  if (!::IsMenu(menu)) return "{" + Field("error", "\"not a menu\"") + "}";
  return "{" + Field("menu", probe_json::Handle(menu)) + "," + Field("items", Items(frame, menu, false)) +
         "}";
}

// Live GDI objects: Wine's GetGuiResources answers 0, so every slot of the
// process's GDI handle table is asked for its object type there.
unsigned long LiveGdiObjects() {
  const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported) return reported;
  unsigned long live = 0;
  for (UINT_PTR slot = 1; slot < 0x10000; ++slot) {
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(slot))) ++live;
  }
  return live;
}

// The process's windows, top-level and child (children are enumerated
// with their parents, and each child window once through its own parent).
unsigned long LiveWindows() {
  unsigned long count = 0;
  ::EnumWindows([](HWND window, LPARAM counter) -> BOOL {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<unsigned long*>(counter);
    ::EnumChildWindows(window, [](HWND, LPARAM inner) -> BOOL {
      ++*reinterpret_cast<unsigned long*>(inner);
      return TRUE;
    }, counter);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::string Objects() {
  const DWORD user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  return "{" + Field("gdi", std::to_string(LiveGdiObjects())) + "," +
         Field("windows", std::to_string(LiveWindows())) + "," + Field("user_reported", std::to_string(user)) +
         "}";
}

std::string PlainWindows(HWND parent, LPARAM request) {
  const int count = static_cast<int>(request & 0x3FF);
  const int width = static_cast<int>((request >> 10) & 0x3FF);
  const int height = static_cast<int>((request >> 20) & 0x3FF);
  std::vector<HWND> made;
  LARGE_INTEGER frequency{}, start{}, end{};
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  for (int i = 0; i < count; ++i) {
    HWND window = ::CreateWindowExA(0, "STATIC", "plain", WS_CHILD | WS_BORDER | WS_CLIPSIBLINGS,
                                    (i * 7) % 400, (i * 11) % 300, width, height, parent, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    if (!window) break;
    made.push_back(window);
    ::ShowWindow(window, SW_SHOW);
    ::UpdateWindow(window);
  }
  ::QueryPerformanceCounter(&end);
  for (HWND window : made) ::DestroyWindow(window);
  const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart);
  return "{" + Field("made", std::to_string(made.size())) + "," + Field("ms", std::to_string(ms)) + "}";
}

// The window under the point that takes dropped files: it or an ancestor
// with WS_EX_ACCEPTFILES.
HWND FileTarget(POINT point) {
  for (HWND window = ::WindowFromPoint(point); window; window = ::GetParent(window)) {
    if (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) return window;
  }
  return nullptr;
}

std::string DropFile(LPARAM request) {
  wchar_t path[256] = {};
  if (!::GlobalGetAtomNameW(static_cast<ATOM>(request & 0xFFFF), path, 256))
    return "{" + Field("error", "\"no path\"") + "}";
  POINT point{static_cast<LONG>((request >> 16) & 0xFFFFFF), static_cast<LONG>((request >> 40) & 0xFFFFFF)};
  HWND target = FileTarget(point);
  if (!target) {
    HWND under = ::WindowFromPoint(point);
    wchar_t name[128] = {};
    if (under) ::GetClassNameW(under, name, 128);
    return "{" + Field("error", Quote(L"no window takes files there (under it: " + std::wstring(name) + L")")) + "}";
  }
  const size_t pathBytes = (std::wcslen(path) + 2) * sizeof(wchar_t);
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + pathBytes);
  if (!block) return "{" + Field("error", "\"out of memory\"") + "}";
  auto* header = static_cast<DROPFILES*>(::GlobalLock(block));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  ::ScreenToClient(target, &point);
  header->pt = point;
  std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), path, std::wcslen(path) * sizeof(wchar_t));
  ::GlobalUnlock(block);
  if (!::PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0)) {
    ::GlobalFree(block);
    return "{" + Field("error", "\"cannot post\"") + "}";
  }
  return "{" + Field("window", probe_json::Handle(target)) + "}";
}

void Answer(HWND probe, HWND frame, const std::string& text) {
  COPYDATASTRUCT data{};
  data.dwData = probe_hook::kAnswerCode;
  data.cbData = static_cast<DWORD>(text.size());
  data.lpData = const_cast<char*>(text.data());
  ::SendMessageW(probe, WM_COPYDATA, reinterpret_cast<WPARAM>(frame), reinterpret_cast<LPARAM>(&data));
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeCallWndProc(int code, WPARAM wParam,
                                                                   LPARAM lParam) {
  if (code == HC_ACTION) {
    static const UINT readMenuBar = ::RegisterWindowMessageW(probe_hook::kReadMenuBar);
    static const UINT readMenu = ::RegisterWindowMessageW(probe_hook::kReadMenu);
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    HWND probe = reinterpret_cast<HWND>(call->wParam);
    if (call->message == readMenuBar) Answer(probe, call->hwnd, MenuBar(call->hwnd));
    if (call->message == readMenu)
      Answer(probe, call->hwnd, Menu(call->hwnd, reinterpret_cast<HMENU>(call->lParam)));
    static const UINT countObjects = ::RegisterWindowMessageW(probe_hook::kCountObjects);
    static const UINT plainWindows = ::RegisterWindowMessageW(probe_hook::kPlainWindows);
    if (call->message == countObjects) Answer(probe, call->hwnd, Objects());
    if (call->message == plainWindows) Answer(probe, call->hwnd, PlainWindows(call->hwnd, call->lParam));
    static const UINT dropFile = ::RegisterWindowMessageW(probe_hook::kDropFile);
    if (call->message == dropFile) Answer(probe, call->hwnd, DropFile(call->lParam));
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
