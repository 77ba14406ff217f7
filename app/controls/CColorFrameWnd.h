// The progress meter of a loading page: a 200 by 10 pixel bar whose blue
// part is the progress in percent; at 0 and from 100 on it vanishes into
// the button face.
#pragma once
#include <windows.h>

#include <cstdint>

#include "CBrush.h"
#include "CWnd.h"
#include "MessageMap.h"

class CColorFrameWnd : public CWnd {
 public:
  static constexpr int kWidth = 200;
  static constexpr int kHeight = 10;

  explicit CColorFrameWnd(CWnd* parent);

  // A visible child of the parent with child id 1.
  bool Create();
  // Centres the meter between left and right, 5 pixels from the top.
  void SetPosition(int left, int right);
  // Shows progress value (percent) at once.
  void SetColor(int32_t value);
  int32_t GetValue() const { return m_value; }

 protected:
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  CWnd* m_parent;
  int32_t m_value = 0;
  CBrush m_brush;
};
