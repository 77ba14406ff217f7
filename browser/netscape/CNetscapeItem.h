// CNetscapeItem: the other browser's window held as an OLE item of its
// document server inside a browser view. A finished load shows up as a
// change of the item's content, which the view hears of as a posted message.
#pragma once

#include <windows.h>

#include "COleClientItem.h"

class CNetscapeItem : public COleClientItem {
 public:
  // The class of the browser's document server.
  static const CLSID kClassId;

  // view: the window that hears of content changes and holds the item.
  explicit CNetscapeItem(HWND view) : m_view(view) {}

  HRESULT Create() { return CreateFromClass(kClassId, m_view); }
  void OnChange(UINT code, DWORD parameter) override;
  void GetItemPosition(RECT& position) const override { FitClientRect(position); }
  // The view's client area, less the scroll bars that the browser's status
  // bar window asks for with its scroll styles.
  void FitClientRect(RECT& rect) const;

 private:
  HWND FindStatusBar() const;

  HWND m_view;
};
