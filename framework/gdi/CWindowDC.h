// A context for a whole window, caption and frame included; released on destruction.
#pragma once
#include "CDC.h"

class CWnd;

class CWindowDC : public CDC {
 public:
  explicit CWindowDC(CWnd* wnd);
  ~CWindowDC() override;

 private:
  HWND m_hWnd;
};
