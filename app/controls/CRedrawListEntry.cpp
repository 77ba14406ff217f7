#include "CRedrawListEntry.h"

#include "IAppUi.h"

CRedrawListEntry::~CRedrawListEntry() { Remove(); }

void CRedrawListEntry::Add(HWND window) {
  if (m_window == window || !window) return;
  Remove();
  m_window = window;
  AppUi().RegisterIdleWindow(window);
}

void CRedrawListEntry::Remove() {
  if (!m_window) return;
  AppUi().UnregisterIdleWindow(m_window);
  m_window = nullptr;
}
