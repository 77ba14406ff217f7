#include "CMenu.h"

#include <memory>

#include "CWnd.h"
#include "ModuleState.h"
#include "TempObjects.h"

CMenu::~CMenu() {
  if (m_owned) {
    DestroyMenu();
  }
}

CMenu* CMenu::FromHandle(HMENU menu) {
  if (!menu) {
    return nullptr;
  }
  static thread_local zr::TempMap<CMenu, HMENU> temps;
  return temps.Get(menu, [](HMENU h) {
    auto wrapper = std::make_unique<CMenu>();
    wrapper->m_hMenu = h;  // borrowed: never destroyed by the wrapper
    return wrapper;
  });
}

bool CMenu::LoadMenu(UINT id) {
  return Attach(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id)));
}

bool CMenu::CreateMenu() {
  return Attach(::CreateMenu());
}

bool CMenu::CreatePopupMenu() {
  return Attach(::CreatePopupMenu());
}

bool CMenu::Attach(HMENU menu) {
  if (!menu || m_hMenu) {
    return false;
  }
  m_hMenu = menu;
  m_owned = true;
  return true;
}

HMENU CMenu::Detach() {
  HMENU menu = m_hMenu;
  m_hMenu = nullptr;
  m_owned = false;
  return menu;
}

bool CMenu::DestroyMenu() {
  HMENU menu = Detach();
  return menu && ::DestroyMenu(menu);
}

CMenu* CMenu::GetSubMenu(int position) const {
  return FromHandle(::GetSubMenu(m_hMenu, position));
}

int CMenu::GetMenuItemCount() const {
  return ::GetMenuItemCount(m_hMenu);
}

UINT CMenu::GetMenuItemID(int position) const {
  return ::GetMenuItemID(m_hMenu, position);
}

std::string CMenu::GetMenuString(UINT item, UINT flags) const {
  char text[256] = {};
  int length = ::GetMenuStringA(m_hMenu, item, text, sizeof(text), flags);
  return std::string(text, static_cast<size_t>(length > 0 ? length : 0));
}

bool CMenu::AppendMenu(UINT flags, UINT_PTR idOrPopup, const char* text) {
  return ::AppendMenuA(m_hMenu, flags, idOrPopup, text) != FALSE;
}

bool CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup, const char* text) {
  return ::InsertMenuA(m_hMenu, position, flags, idOrPopup, text) != FALSE;
}

bool CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup, const char* text) {
  return ::ModifyMenuA(m_hMenu, position, flags, idOrPopup, text) != FALSE;
}

bool CMenu::DeleteMenu(UINT position, UINT flags) {
  return ::DeleteMenu(m_hMenu, position, flags) != FALSE;
}

bool CMenu::RemoveMenu(UINT position, UINT flags) {
  return ::RemoveMenu(m_hMenu, position, flags) != FALSE;
}

UINT CMenu::CheckMenuItem(UINT item, UINT check) {
  return static_cast<UINT>(::CheckMenuItem(m_hMenu, item, check));
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) {
  return static_cast<UINT>(::EnableMenuItem(m_hMenu, item, enable));
}

bool CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner->m_hWnd, nullptr) != FALSE;
}
