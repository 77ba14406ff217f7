// COleClientItem: one document of another program's OLE server embedded in
// a window of ours. The server runs in its own process; it is shown in
// place, as its own window inside the container's window, and tells of
// changes to its view through OnChange.
#pragma once

#include <windows.h>
#include <ole2.h>

class COleItemSite;

class COleClientItem {
 public:
  // Notification codes of OnChange.
  static constexpr UINT kChanged = 0;

  COleClientItem();
  virtual ~COleClientItem();
  COleClientItem(const COleClientItem&) = delete;
  COleClientItem& operator=(const COleClientItem&) = delete;

  // Starts the class's local server and makes a new item of it, shown later
  // inside container. The server's answer; the item is empty on failure.
  HRESULT CreateFromClass(REFCLSID classId, HWND container);
  // Runs an OLE verb of the item (OLEIVERB_SHOW: shows it in place).
  HRESULT DoVerb(LONG verb);
  // The item's own window inside the container, as learnt when the item
  // was last shown; null before.
  HWND GetItemWindow() const { return m_itemWindow; }
  // Tells the item where its window now goes (GetItemPosition).
  void SetItemRects();
  // Closes the item without saving and lets the server go.
  void Close();

  HWND GetContainerWindow() const { return m_container; }
  // Where the item's window goes, in the container's client coordinates:
  // here the whole client area.
  virtual void GetItemPosition(RECT& position) const;
  // A notification of the server: kChanged with the changed aspect.
  virtual void OnChange(UINT code, DWORD parameter);

 private:
  HWND QueryItemWindow() const;

  IOleObject* m_object = nullptr;
  COleItemSite* m_site = nullptr;
  DWORD m_advise = 0;
  HWND m_container = nullptr;
  HWND m_itemWindow = nullptr;
};
