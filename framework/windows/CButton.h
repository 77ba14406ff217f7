// A button control. An owner-drawn button draws itself: its parent's
// WM_DRAWITEM is reflected to DrawItem.
#pragma once
#include "CWnd.h"

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)

 public:
  int GetCheck() const;
  void SetCheck(int check);
  virtual void DrawItem(LPDRAWITEMSTRUCT item);

 protected:
  DECLARE_MESSAGE_MAP()
};
