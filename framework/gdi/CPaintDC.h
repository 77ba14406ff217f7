// A context for WM_PAINT: BeginPaint on construction, EndPaint on destruction.
#pragma once
#include "CDC.h"

class CWnd;

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps{};
 private:
  HWND m_hWnd;
};
