// A borrowed child window: its handle and a value of the borrower's.
// Releasing hands the window back by hiding it and taking it off its parent.
#pragma once
#include <windows.h>

class CChildWndRef {
 public:
  void Clear();
  void Set(HWND window, LPARAM value);
  // Hides a live window, detaches it from its parent and clears the
  // reference; nothing for a dead one. Returns 0.
  int Release();

  HWND GetWindow() const { return m_window; }
  LPARAM GetValue() const { return m_value; }

 private:
  HWND m_window = nullptr;
  LPARAM m_value = 0;
};
