#include "CCmdUI.h"

#include <vector>

#include "CCmdTarget.h"
#include "CWnd.h"

void CCmdUI::Enable(bool on) {
  m_bEnableChanged = true;
  if (m_hMenu) {
    ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
  } else if (m_pOther) {
    m_pOther->EnableWindow(on);
  }
}

void CCmdUI::SetCheck(int check) {
  if (m_hMenu) {
    ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther) {
    m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(check));
  }
}

void CCmdUI::SetRadio(bool on) {
  if (m_hMenu && on) {
    ::CheckMenuRadioItem(m_hMenu, m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
  } else {
    SetCheck(on ? 1 : 0);
  }
}

void CCmdUI::SetText(const char* text) {
  if (m_hMenu) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(text);
    ::SetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &info);
  } else if (m_pOther) {
    m_pOther->SetWindowText(text);
  }
}

bool CCmdUI::DoUpdate(CCmdTarget* target, bool disableIfNoHandler) {
  m_bEnableChanged = false;
  zr::MsgCall call;
  call.message = WM_COMMAND;
  call.cmdUI = this;
  bool handled = target->OnCmdMsg(m_nID, zr::kCodeUpdateUI, &call);
  if (!handled && disableIfNoHandler && !m_bEnableChanged) {
    Enable(target->OnCmdMsg(m_nID, 0, nullptr));
  }
  return handled;
}

void CCmdUI::UpdateMenu(HMENU menu, CCmdTarget* target, bool disableIfNoHandler) {
  int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    UINT id = ::GetMenuItemID(menu, i);
    if (id == 0 || id == static_cast<UINT>(-1)) {
      continue;  // separators and popups
    }
    CCmdUI item;
    item.m_nID = id;
    item.m_nIndex = static_cast<UINT>(i);
    item.m_hMenu = menu;
    item.DoUpdate(target, disableIfNoHandler);
  }
}
