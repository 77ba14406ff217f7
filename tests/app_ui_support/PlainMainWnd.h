// A plain top-level window of the dialog face colour with the arrow cursor,
// for test programs whose main window is no frame. It deletes itself when its
// window ends.
#pragma once
#include "CWnd.h"

class PlainMainWnd : public CWnd {
 public:
  bool PreCreateWindow(CREATESTRUCTA& cs) override;
  void PostNcDestroy() override;
};
