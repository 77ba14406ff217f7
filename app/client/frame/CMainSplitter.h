// The main window's outer splitter: page and chat column on the left, the
// people column on the right. It stands below the main window's tool bars
// and never lets a drag leave the people column narrower than it must be.
#pragma once
#include "CSplitterWnd.h"

class CMainSplitter : public CSplitterWnd {
  DECLARE_DYNAMIC(CMainSplitter)

 public:
  // The right pane keeps at least this width while the user drags.
  static constexpr int kMinRightWidth = 165;

  // How far below the top of its parent the splitter stands.
  void SetTopOffset(int top) { m_top = top; }

 protected:
  void OnSize(UINT type, int cx, int cy);
  void OnMouseMove(UINT flags, POINT point) override;

  DECLARE_MESSAGE_MAP()

 private:
  int m_top = 0;
};
