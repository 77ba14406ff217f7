// A context for a window's client area, released on destruction.
#pragma once
#include "CDC.h"

class CWnd;

class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* wnd);
  ~CClientDC() override;

 private:
  HWND m_hWnd;
};
