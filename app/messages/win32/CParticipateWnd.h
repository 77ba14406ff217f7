// "PARTICIPATE": a small hot-tracking button in the people page that
// invites the user to take part in the auditorium's event. While shown it
// blinks every two seconds unless it is pressed; a click posts the
// participate command.
#pragma once
#include <windows.h>

#include <cstdint>

#include "CHotWnd.h"

class CParticipateWnd : public CHotWnd {
 public:
  static constexpr uint16_t kCommand = 32860;
  static constexpr UINT_PTR kBlinkTimer = 1;
  static constexpr UINT kBlinkMs = 2000;

  // Made hidden, under parent.
  bool Create(CWnd* parent, const RECT& rect);
  // Shows it and starts the blink (one timer however often it is called),
  // or stops the blink and hides it.
  void ShowTimed(bool on);
  bool IsBlinking() const { return m_timer != 0; }

 protected:
  void OnTimer(UINT_PTR id);
  void OnPaint();
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  UINT_PTR m_timer = 0;
};
