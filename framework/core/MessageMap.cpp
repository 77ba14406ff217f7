#include "MessageMap.h"

#include "CDC.h"
#include "CWnd.h"

namespace zr {

namespace {

bool UsesCodeAndId(UINT message) {
  return message == WM_COMMAND || message == WM_NOTIFY;
}

bool Matches(const MsgEntry& e, UINT message, UINT code, UINT id) {
  if (e.message != message) {
    return false;
  }
  if (!UsesCodeAndId(message)) {
    return true;
  }
  return e.code == code && id >= e.idFirst && id <= e.idLast;
}

}  // namespace

const MsgEntry* FindEntry(const MessageMap* map, UINT message, UINT code, UINT id) {
  for (; map; map = map->base ? map->base() : nullptr) {
    for (const MsgEntry* e = map->entries; e->thunk; ++e) {
      if (Matches(*e, message, code, id)) {
        return e;
      }
    }
  }
  return nullptr;
}

CWnd* WndFromLParam(LPARAM lParam) {
  return CWnd::FromHandle(reinterpret_cast<HWND>(lParam));
}

CDC* DCFromWParam(WPARAM wParam) {
  return CDC::FromHandle(reinterpret_cast<HDC>(wParam));
}

}  // namespace zr
