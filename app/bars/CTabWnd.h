// A picture tool bar: a row of buttons drawn from the resource library's
// bitmaps, hot while the mouse is on them, pressed with the mouse held, and
// enabled by the frame's command handlers at idle time.
#pragma once
#include "CBarWnd.h"
#include "CBitmapTab.h"

class CTabWnd : public CBarWnd {
 public:
  // The resource library's cursor over link buttons.
  static constexpr UINT kLinkCursor = 258;
  // The button that opens the service's page; a link when it has one.
  static constexpr UINT kBrandButton = 165;

  CTabWnd() = default;
  ~CTabWnd() override;

  bool Create(CWnd* parent);
  using CBarWnd::Create;
  // False when the id is taken or a face cannot be loaded.
  bool AddTab(UINT id, UINT hotId, UINT normalId, UINT disabledId, UINT pressedId);
  bool AddSpacer(UINT id);
  void SetButtonWidth(int mode, UINT key, int width, int height);
  void EnableButton(int mode, UINT key, bool enable);
  void SetButtonBitmaps(int mode, UINT key, UINT hotId, UINT normalId, UINT disabledId);
  // The button's rectangle; empty when there is no such button.
  RECT GetButtonRect(int mode, UINT key) const;
  CBitmapTab* GetTab(int index) const { return static_cast<CBitmapTab*>(GetItem(index)); }
  CBitmapTab* GetHotButton() const { return m_hot; }
  bool IsPressing() const { return m_pressing; }

  int GetHeight() const override;
  int GetWidth() const override;
  void Show(bool show) override;
  void OnItemLButtonDown(CBarItem* item) override;
  void OnItemLButtonUp(CBarItem* item) override;
  void OnItemMouseMove(CBarItem* item) override;
  void DrawBackground(CDC* dc, const RECT& rect) override;
  void OnUpdateCmdUI(CFrameWnd* frame, bool disableIfNoHandler) override;
  void CancelTracking() override;

 protected:
  BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);

  DECLARE_MESSAGE_MAP()

 private:
  CBitmapTab* ButtonByKey(int mode, UINT key) const;
  void Repaint(CBitmapTab* button);
  void GrowButtonHeight(int height);
  void ClearHot();
  // The pressed button, if any, is let go without firing.
  void EndPress();
  // Cursor 258 of the resource library, else the arrow.
  void LoadLinkCursor();

  int m_buttonHeight = 0;
  CBitmapTab* m_hot = nullptr;
  bool m_pressing = false;
  HCURSOR m_linkCursor = nullptr;
  bool m_ownsLinkCursor = false;
  bool m_overLink = false;
};
