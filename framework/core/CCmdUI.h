// One user-interface item (menu item, bar item, control) whose state is
// asked of the command handlers: an update handler decides, otherwise the
// item is disabled when no command handler exists.
#pragma once
#include <windows.h>

#include <string>

class CCmdTarget;
class CWnd;

class CCmdUI {
 public:
  CCmdUI() = default;
  virtual ~CCmdUI() = default;

  UINT m_nID = 0;
  UINT m_nIndex = 0;        // position in the menu
  HMENU m_hMenu = nullptr;  // the menu holding the item, when it is one
  CWnd* m_pOther = nullptr;  // the control, when it is one
  bool m_bEnableChanged = false;

  virtual void Enable(bool on = true);
  virtual void SetCheck(int check = 1);  // 0 clear, 1 checked, 2 indeterminate
  virtual void SetRadio(bool on = true);
  virtual void SetText(const char* text);

  // Asks target for the item's state; returns whether an update handler ran.
  bool DoUpdate(CCmdTarget* target, bool disableIfNoHandler);

  // Updates every item of a popup menu against target.
  static void UpdateMenu(HMENU menu, CCmdTarget* target, bool disableIfNoHandler);
};
