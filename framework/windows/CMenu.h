// A menu handle, loaded from the resource module. A loaded or created menu
// is destroyed with the object unless it was detached.
#pragma once
#include <windows.h>

#include <string>

class CWnd;

class CMenu {
 public:
  CMenu() = default;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;
  ~CMenu();

  HMENU m_hMenu = nullptr;
  operator HMENU() const { return m_hMenu; }

  static CMenu* FromHandle(HMENU menu);

  bool LoadMenu(UINT id);
  bool CreateMenu();
  bool CreatePopupMenu();
  bool Attach(HMENU menu);
  HMENU Detach();
  bool DestroyMenu();

  CMenu* GetSubMenu(int position) const;
  int GetMenuItemCount() const;
  UINT GetMenuItemID(int position) const;
  std::string GetMenuString(UINT item, UINT flags) const;
  bool AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, const char* text = nullptr);
  bool InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, const char* text = nullptr);
  bool ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, const char* text = nullptr);
  bool DeleteMenu(UINT position, UINT flags);
  bool RemoveMenu(UINT position, UINT flags);
  UINT CheckMenuItem(UINT item, UINT check);
  UINT EnableMenuItem(UINT item, UINT enable);
  bool TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);

 private:
  bool m_owned = false;
};
