// A splitter cell's window until the window that belongs there (the page
// frame, the chat area, the people column) takes the cell: it keeps the
// cell's place in the layout and paints the empty area.
#pragma once
#include "CWnd.h"

class CReservedPane : public CWnd {
  DECLARE_DYNCREATE(CReservedPane)

 public:
  bool Create(const char* className, const char* title, DWORD style, const RECT& rect,
              CWnd* parent, UINT id, CCreateContext* context = nullptr) override;
};
