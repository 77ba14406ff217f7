// A window's place in the application's list of windows repainted when the
// palette changes: added once the window exists, removed when it ends (or
// at the latest with the object).
#pragma once
#include <windows.h>

class CRedrawListEntry {
 public:
  CRedrawListEntry() = default;
  CRedrawListEntry(const CRedrawListEntry&) = delete;
  CRedrawListEntry& operator=(const CRedrawListEntry&) = delete;
  ~CRedrawListEntry();

  // Adds window unless it is already listed.
  void Add(HWND window);
  void Remove();

 private:
  HWND m_window = nullptr;
};
