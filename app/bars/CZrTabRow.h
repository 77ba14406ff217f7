// A row of text tabs above (orientation 0) or below (orientation 1) a pane,
// one of them selected. A click on a tab posts the tab's id as a command to
// the notify frame, which decides and selects it through SelectTabByKey;
// subclasses may take the click themselves in OnTabClicked.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "CBarWnd.h"
#include "CTabItem.h"

class CPicture;

class CZrTabRow : public CBarWnd {
 public:
  static constexpr int kTabsAbove = 0;
  static constexpr int kTabsBelow = 1;

  CZrTabRow();
  ~CZrTabRow() override;

  // A bar that shows tips and prompts only; backgroundId 0 gives a plain
  // face, else that bitmap tiled. False when the window cannot be made.
  bool Create(CWnd* parent, int orientation, UINT backgroundId);
  // Stores font for painting and measuring and takes the row height from it.
  void SetFont(CFont* font);
  void SetColors(COLORREF unselectedFace, COLORREF selectedFace, COLORREF band);
  // Tabs added while it is on show their icons only while highlighted.
  void SetAttentionMode(bool on) { m_attention = on; }

  // Appends a tab after the last one; the first tab of an empty row becomes
  // the selected one.
  void AddTab(UINT id, const std::string& text, UINT iconId);
  void AddTabText(UINT id, UINT stringId, UINT iconId);
  // The later tabs move left by the removed tab's width. Removing the
  // selected tab leaves the row without a selection.
  void RemoveTab(UINT id);
  // The later tabs move by the change of width.
  void RenameTab(UINT id, const std::string& text, bool repaint);
  // Nothing for an unknown, already selected or greyed tab.
  void SelectTabByKey(UINT id);
  // Enabled, highlighted and greyed flags, addressed by id (mode kById) or
  // index; the tab is repainted when its setter accepted.
  void SetTabFlagA(int mode, UINT key, bool enabled);
  void SetTabFlagB(int mode, UINT key, bool highlighted);
  void SetTabGreyed(int mode, UINT key, bool greyed);
  void SetTabTip(int mode, UINT key, const std::string& text);
  // Empty for an index out of range.
  RECT GetTabScreenRect(int index) const;
  // Draws tab and then the selected tab, which stays on top.
  void RepaintTab(CTabItem* tab);

  CTabItem* GetTab(int index) const { return static_cast<CTabItem*>(GetItem(index)); }
  CTabItem* GetSelectedTab() const { return static_cast<CTabItem*>(GetCurrentItem()); }
  CTabItem* GetHotTab() const { return m_hot; }
  int GetOrientation() const { return m_orientation; }

  int GetHeight() const override { return m_rowHeight; }
  void OnItemLButtonDown(CBarItem* item) override;
  void OnItemMouseMove(CBarItem* item) override;
  void DrawBackground(CDC* dc, const RECT& rect) override;
  void OnUpdateCmdUI(CFrameWnd* frame, bool disableIfNoHandler) override;
  void DrawItems(CDC* dc, const RECT& paintRect) override;
  void CancelTracking() override;
  // True when the subclass has handled the click on tab id; the row then
  // posts no command.
  virtual bool OnTabClicked(UINT id);

 private:
  CTabItem* TabByKey(int mode, UINT key) const;
  void UpdateRowHeight();
  void RepaintRow();
  void DrawTab(CDC* dc, CTabItem* tab);

  int m_orientation = kTabsAbove;
  std::unique_ptr<CPicture> m_background;
  int m_rowHeight = 0;
  CTabItem* m_hot = nullptr;
  bool m_attention = false;
  COLORREF m_unselectedFace;
  COLORREF m_selectedFace;
  COLORREF m_band;
};
