#include "CChatEdit.h"

#include "ModuleState.h"

namespace {

constexpr UINT kEditMenu = 254;

}  // namespace

BEGIN_MESSAGE_MAP(CChatEdit, CWnd)
  ON_WM_KEYDOWN()
  ON_MESSAGE(WM_KEYUP, OnKeyUp)
  ON_WM_KILLFOCUS()
  ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

bool CChatEdit::DoEditCommand(UINT command) {
  switch (command) {
    case kUndo:
      SendMessage(EM_UNDO);
      break;
    case kCut:
      SendMessage(WM_CUT);
      break;
    case kCopy:
      SendMessage(WM_COPY);
      return true;
    case kPaste:
      SendMessage(WM_PASTE);
      break;
    case kClearAll:
      SendMessage(EM_SETSEL, 0, -1);
      SendMessage(EM_SCROLLCARET);
      SendMessage(WM_CLEAR);
      break;
    default:
      return false;
  }
  NotifyChange();
  return true;
}

bool CChatEdit::IsEditCommandEnabled(UINT command) const {
  switch (command) {
    case kClearAll:
      return ::GetWindowTextLengthA(m_hWnd) > 0;
    case kCut:
    case kCopy:
      return HasSelection();
    case kPaste:
      return true;
    case kUndo:
      return ::SendMessageA(m_hWnd, EM_CANUNDO, 0, 0) != 0;
    default:
      return false;
  }
}

// The page's change handler runs as it does for typed keys.
void CChatEdit::NotifyChange() {
  HWND parent = ::GetParent(m_hWnd);
  if (parent) ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(kControlId, EN_CHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

bool CChatEdit::HasSelection() const {
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return start != end;
}

void CChatEdit::OnKeyDown(UINT key, UINT, UINT) {
  m_ctrlDown = (::GetKeyState(VK_CONTROL) & 0x8000) != 0 || key == VK_CONTROL;
  if (m_ctrlDown && key == 'I' && m_onInstantMessage) {
    m_onInstantMessage();
    MSG pending;
    ::PeekMessageA(&pending, m_hWnd, WM_CHAR, WM_CHAR, PM_REMOVE);
    return;
  }
  if (!m_ctrlDown && (key == VK_UP || key == VK_DOWN) && Recall(key)) return;
  Default();
}

bool CChatEdit::Recall(UINT key) {
  std::string line;
  if (key == VK_UP ? !m_history.Older(GetWindowText(), line) : !m_history.Newer(line)) return false;
  SetWindowText(line);
  const LPARAM end = static_cast<LPARAM>(line.size());
  SendMessage(EM_SETSEL, static_cast<WPARAM>(end), end);
  NotifyChange();
  return true;
}

LRESULT CChatEdit::OnKeyUp(WPARAM key, LPARAM) {
  if (key == VK_CONTROL) m_ctrlDown = false;
  return Default();
}

void CChatEdit::OnKillFocus(CWnd*) {
  m_ctrlDown = false;
  Default();
  if (m_typing) {
    m_typing = false;
    if (m_onTypingEnded) m_onTypingEnded();
  }
}

void CChatEdit::OnRButtonDown(UINT, POINT point) {
  HMENU menu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kEditMenu));
  HMENU popup = menu ? ::GetSubMenu(menu, 0) : nullptr;
  if (!popup) {
    if (menu) ::DestroyMenu(menu);
    return;
  }
  for (UINT command : {kUndo, kCut, kCopy, kPaste, kClearAll})
    ::EnableMenuItem(popup, command, MF_BYCOMMAND | (IsEditCommandEnabled(command) ? MF_ENABLED : MF_GRAYED));
  ::ClientToScreen(m_hWnd, &point);
  const UINT chosen = ::TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, 0, m_hWnd, nullptr);
  ::DestroyMenu(menu);
  if (chosen) DoEditCommand(chosen);
}
