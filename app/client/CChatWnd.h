// The client's top-level frame, window class "ZRFrame": the window by which
// a second copy of the client, the directory program and outside programs
// find the running client. Start-up creates it and makes it the main window.
#pragma once
#include "CFrameWnd.h"

class CChatWnd : public CFrameWnd {
 public:
  static constexpr char kClassName[] = "ZRFrame";
  // Resource id of the frame's icon and title.
  static constexpr UINT kResourceId = 128;

  CChatWnd() = default;

  // Creates the frame hidden at the rectangle; false when it cannot.
  bool CreateFrame(const RECT& rect, const char* title);

 protected:
  bool PreCreateWindow(CREATESTRUCTA& cs) override;
  // Shows the message boxes posted to the frame (CZrMessageBox::kShowMessage).
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
