// The start-up picture, centred on the desktop. At most one exists in the
// process: ShowSplash makes it (when splashes are enabled), HideSplash or
// its own 10-second timer ends it, and the window object then deletes
// itself.
#pragma once
#include <windows.h>

#include "CWnd.h"
#include "MessageMap.h"
#include "Picture.h"

class CSplashWnd : public CWnd {
 public:
  // Loads the picture and makes the visible popup, owned by parent when
  // given; false without the picture.
  bool Create(CWnd* parent);
  // The splash of the process, or null.
  static CSplashWnd* Current();

 protected:
  int OnCreate(LPCREATESTRUCT create);
  void OnPaint();
  void OnTimer(UINT_PTR id);
  void PostNcDestroy() override;
  DECLARE_MESSAGE_MAP()

 private:
  CPicture m_picture;
};

void EnableSplash(bool enable);
// Shows the splash unless splashes are disabled or one is shown.
void ShowSplash(CWnd* parent = nullptr);
// Ends the splash and repaints the main window; nothing without a splash.
void HideSplash();
