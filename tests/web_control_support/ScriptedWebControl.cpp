#include "ScriptedWebControl.h"

ScriptedWebControl::~ScriptedWebControl() {
  if (m_window && ::IsWindow(m_window)) {
    ::DestroyWindow(m_window);
  }
}

bool ScriptedWebControl::Create(HWND parent, const RECT& rect, DWORD style, UINT id,
                                CWebControlEvents& events) {
  if (m_failCreate) {
    return false;
  }
  m_events = &events;
  m_window = ::CreateWindowExA(0, "STATIC", m_windowName.c_str(), style | WS_HSCROLL | WS_VSCROLL, rect.left,
                               rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                               ::GetModuleHandleA(nullptr), nullptr);
  return m_window != nullptr;
}

void ScriptedWebControl::Move(const RECT& rect) {
  ++m_calls.moves;
  ::MoveWindow(m_window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void ScriptedWebControl::Navigate(const std::string& address, bool noCache) {
  m_calls.navigations.push_back(address + (noCache ? "|nocache" : "|cache"));
  Click(address);
}

bool ScriptedWebControl::Click(const std::string& address) {
  bool cancel = false;
  m_events->OnBeforeNavigate(address, true, cancel);
  if (cancel) {
    return false;
  }
  m_location = address;
  m_events->OnDownloadBegin();
  if (!m_untoldCompletion) m_events->OnNavigateComplete(address);
  m_events->OnDownloadComplete();
  return true;
}
