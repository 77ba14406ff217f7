// The busy animation at the right end of the main window's bars: a strip
// window that cycles through its frames on a timer while the main window
// animates it. A click opens the service's home page.
#pragma once
#include <windows.h>

#include <string>

#include "CBitmapStripWnd.h"

class CLogoWnd : public CBitmapStripWnd {
 public:
  // Shows frame n (clamped) at the next repaint.
  void SetFrame(UINT frame) override;
  // Cycles the frames every periodMs; with hold set every tick shows frame 0.
  virtual void Animate(UINT periodMs, bool hold);
  // A hidden child of parent at (0, 0), one frame in size; frame count 0 is
  // taken as 1. The animation exists only for a community that names an
  // animation page (the settings' AnimationURL): without one, or without
  // the strip, no window is made and -1 is returned; else 1.
  int Create(CWnd* parent, UINT bitmapId, UINT frameCount, const std::string& animationUrl);
  // The page a click opens.
  static std::string HomePage();

 protected:
  void OnPaint();
  void OnTimer(UINT_PTR id);
  void OnLButtonDown(UINT flags, POINT point);
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  using CBitmapStripWnd::Create;
  void StopTimer();

  UINT m_bitmapId = 0;
  UINT_PTR m_timerId = 0;
  UINT m_counter = 0;
  bool m_hold = false;
};
