// The overlapped frame a pane dialog floats in. The frame object lives as
// long as its pane; its window only while the pane floats.
#pragma once
#include "CWnd.h"

class CPaneDlg;

class CPageFloatWnd : public CWnd {
 public:
  explicit CPageFloatWnd(CPaneDlg* pane) : m_pane(pane) {}

  // Makes the frame window and moves the pane into it.
  bool Create();
  using CWnd::Create;
  // Gives the pane back to the chat tab container and ends the window.
  void Dock();

 protected:
  void OnSize(UINT type, int cx, int cy);
  void OnSetFocus(CWnd* previous);
  void OnClose();

  DECLARE_MESSAGE_MAP()

 private:
  void PlaceFirstFrame();
  void ClickMakeTab();

  CPaneDlg* m_pane;
  bool m_firstTime = true;
};
