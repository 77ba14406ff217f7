// A bar: a child window holding a row of items that it draws itself. It
// finds the item under the mouse and hands mouse events to its subclasses,
// shows an item's tip in the main window's name bubble and its prompt on the
// frame's status line, takes part in the frame's layout, and updates its
// items through the frame's command handlers at idle time.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "CBarItem.h"
#include "CRedrawListEntry.h"
#include "CWnd.h"

class CFont;
class CFrameWnd;

// The layout record that a bar host passes its bars with kLayoutMessage.
struct BarLayout {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
  int32_t width;   // out
  int32_t height;  // out
  int32_t stretch;       // take all the offered width
  int32_t rightAligned;  // stand at the right end
};

class CBarWnd : public CWnd {
 public:
  // Style flags.
  static constexpr unsigned kSizesItself = 0x1;
  static constexpr unsigned kUpdatesItems = 0x2;
  static constexpr unsigned kShowsTips = 0x4;
  static constexpr unsigned kShowsPrompts = 0x8;
  static constexpr unsigned kInHost = 0x10;
  static constexpr unsigned kDefaultStyle =
      kSizesItself | kUpdatesItems | kShowsTips | kShowsPrompts;
  // Item addressing of the Get/SetItemData family: by id, else by index.
  static constexpr int kById = 2;
  static constexpr int kByIndex = 0;
  // The private layout message of a bar host; lParam a BarLayout.
  static constexpr UINT kLayoutMessage = 0x929;

  CBarWnd() = default;
  // Ends the window while the items still exist, then deletes them.
  ~CBarWnd() override;

  // A visible child with child id 0; false when the window cannot be made.
  bool Create(CWnd* parent, DWORD style = 0);
  using CWnd::Create;
  void SetFont(CFont* font) { m_font = font; }
  void AddItem(std::unique_ptr<CBarItem> item);
  void RemoveItem(int index);
  // Every item from index from on moves by dx times step.
  void ShiftItems(int from, int dx, int step);
  // Shows or hides item's tip in the main window's name bubble and its
  // prompt on the notify frame's status line, as the style flags ask.
  void ShowItemTip(bool show, const CBarItem* item);

  unsigned GetStyleFlags() const { return m_styleFlags; }
  void SetStyleFlags(unsigned flags) { m_styleFlags = flags; }

  // (0, 0) without a window.
  virtual SIZE GetClientSize() const;
  // The dialog frame's size when the bar has one.
  virtual SIZE GetFrameSize() const;
  virtual int GetHeight() const;
  virtual int GetWidth() const;
  // Asks for a change of visibility at the next idle update.
  virtual void DelayShow(bool show);
  virtual void Show(bool show);
  // The frame that gets the bar's commands and prompts: the owner (or the
  // parent) when it is a frame, else the parent frame.
  virtual CFrameWnd* GetNotifyFrame() const;
  virtual HWND GetTopParent(HWND window) const;
  // Clips dc to what lies inside outer but outside inner.
  virtual void ClipOutside(CDC* dc, const RECT& outer, const RECT& inner);
  // Mouse events with the item under the point; item may be null.
  virtual void OnItemLButtonDown(CBarItem* item);
  virtual void OnItemLButtonUp(CBarItem* item);
  virtual void OnItemDoubleClick(CBarItem* item);
  virtual void OnItemRButtonDown(CBarItem* item);
  virtual void OnItemMouseMove(CBarItem* item);
  virtual void DrawBackground(CDC* dc, const RECT& rect);
  virtual void OnSized(int cx, int cy);
  virtual void OnUpdateCmdUI(CFrameWnd* frame, bool disableIfNoHandler);
  virtual int GetItemCount() const { return static_cast<int>(m_items.size()); }
  // mode kById addresses by id, any other mode by index; -1 / null when
  // there is no such item.
  virtual int GetItemData(int mode, UINT key) const;
  virtual CBarItem* SetItemData(int mode, UINT key, uint32_t value);
  virtual CBarItem* GetItem(int index) const;
  virtual int FindItemById(UINT id) const;
  // The item under a client point, null when another window covers it.
  virtual CBarItem* ItemFromPoint(int x, int y) const;
  virtual CBarItem* GetCurrentItem() const { return m_current; }
  virtual void SetCurrentItem(CBarItem* item) { m_current = item; }
  virtual bool IsCurrentItem(const CBarItem* item) const { return item && item == m_current; }
  // The items that meet paintRect, then the bar's bottom edge.
  virtual void DrawItems(CDC* dc, const RECT& paintRect);
  virtual void CancelTracking();

 protected:
  // The item addressed by mode and key, or null.
  CBarItem* ItemByKey(int mode, UINT key) const;
  // The bar answers for its items first, then the frame's handlers decide;
  // `enable` sets the enabled state of the item at an index.
  void UpdateItemsCmdUI(CFrameWnd* frame, bool disableIfNoHandler,
                        std::function<void(UINT index, bool on)> enable);
  void Capture();
  // Clears the captured flag and gives the capture up when the bar has it.
  void ReleaseCapture();
  bool HasCapture() const { return m_captured; }
  // The window's own visibility (its style), whatever its parents show.
  bool IsShown() const;
  CFont* GetFont() const { return m_font; }

  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  void OnSize(UINT type, int cx, int cy);
  void OnLButtonDown(UINT flags, POINT point);
  void OnLButtonUp(UINT flags, POINT point);
  void OnLButtonDblClk(UINT flags, POINT point);
  void OnRButtonDown(UINT flags, POINT point);
  void OnMouseMove(UINT flags, POINT point);
  void OnCancelMode();
  void OnCaptureChanged(CWnd* window);
  void OnDestroy();
  LRESULT OnIdleUpdateCmdUI(WPARAM disableIfNoHandler, LPARAM);
  LRESULT OnInitialUpdate(WPARAM, LPARAM);
  LRESULT OnSizeParent(WPARAM, LPARAM layout);
  LRESULT OnBarLayout(WPARAM, LPARAM layout);

  DECLARE_MESSAGE_MAP()

  std::vector<std::unique_ptr<CBarItem>> m_items;

 private:
  static constexpr unsigned kHidePending = 0x1;
  static constexpr unsigned kShowPending = 0x2;

  CRedrawListEntry m_redrawEntry;
  CFont* m_font = nullptr;
  CBarItem* m_current = nullptr;
  bool m_captured = false;
  unsigned m_stateFlags = kShowPending;
  unsigned m_styleFlags = kDefaultStyle;
};

// The bar under the line and the black line of the bars' bottom edge.
void DrawBarBottomLines(HDC dc, const RECT& client);
// COLOR_MENU, or mid grey where the menu colour is pure white: the dark side
// of the bars' etched lines.
COLORREF BarEtchColour();
// A one-pixel line from (x1, y1) up to (x2, y2) in colour.
void DrawBarLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour);
