// The main window's lower area, made by the splitter from its runtime
// class: it holds the chat tab container, lays it out again when it is
// sized and paints the application's background picture behind the pages.
#pragma once
#include "CChatTabWnd.h"
#include "CRedrawListEntry.h"
#include "CWnd.h"

class CChatFrame : public CWnd {
  DECLARE_DYNCREATE(CChatFrame)

 public:
  bool Create(const char* className, const char* title, DWORD style, const RECT& rect, CWnd* parent, UINT id,
              CCreateContext* context = nullptr) override;

  CChatTabWnd& Tabs() { return m_tabs; }

 protected:
  void OnSize(UINT type, int cx, int cy);
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  CChatTabWnd m_tabs;
  CRedrawListEntry m_redrawEntry;
};
