// A row of bars side by side across the top of the main window, with etched
// separators between them; the last bar may stand at the right end.
#pragma once
#include <windows.h>

#include <map>
#include <vector>

#include "CRedrawListEntry.h"
#include "CWnd.h"

class CBarWnd;

class CBarHost : public CWnd {
 public:
  bool Create(CWnd* parent);
  using CWnd::Create;
  // Takes the bar into the row; its height becomes the host's.
  bool AddBar(CBarWnd* bar);
  // Only a mark on the last bar has an effect.
  void SetRightAligned(CBarWnd* bar);
  // Lays the bars out in the rectangle; returns the tallest bar's height.
  int Layout(int left, int top, int right, int bottom);
  // The host's height while it is visible, else 0.
  int GetHeight() const;
  int GetBarCount() const { return static_cast<int>(m_slots.size()); }

 protected:
  void OnPaint();
  void OnDestroy();
  LRESULT OnSizeParent(WPARAM, LPARAM layout);

  DECLARE_MESSAGE_MAP()

 private:
  struct Slot {
    HWND bar;
    int separator;  // x of the separator after the bar; 0 for none
    bool rightAligned;
  };
  // Sends a bar the layout message; returns its width and height.
  // The window's own visibility (its style), whatever its parents show.
  bool IsShown() const;
  static SIZE LayoutBar(HWND bar, int left, int top, int right, int bottom, bool stretch,
                        bool rightAligned);

  std::vector<Slot> m_slots;
  std::map<HWND, size_t> m_slotOfBar;
  int m_height = 0;
  CRedrawListEntry m_redrawEntry;
};
