// One tab of a tab row: a text with an optional icon of at most 16 by 16
// pixels, drawn with cut corners above (orientation 0) or below
// (orientation 1) its pane. A tab that is not enabled ignores clicks and
// shows no icon; a greyed tab cannot be selected; a tab in attention mode
// shows its icon only while it is highlighted.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "CBarItem.h"

class CDC;
class CPicture;

class CTabItem : public CBarItem {
 public:
  CTabItem();
  ~CTabItem() override;

  // Stores the text and orientation, loads icon bitmap iconId (0 for none;
  // a missing bitmap leaves the tab without an icon) and measures the text
  // in dc.
  void Init(UINT id, const std::string& text, UINT iconId, CDC* dc, int orientation);
  // 0 when text is the current text; else the change of the tab's width,
  // by which its right edge has moved.
  int SetText(const std::string& text, CDC* dc);
  // The tab in the row's band from top to bottom, starting at left.
  void SetRect(int left, int top, int right, int bottom);

  // Each refuses (returns false) while the tab is selected or when the value
  // does not change.
  bool SetEnabled(bool enabled);
  bool SetGreyed(bool greyed);
  bool SetHighlighted(bool highlighted);

  void SetSelected(bool selected) { m_selected = selected; }
  // Attention mode is fixed when the tab is added.
  void SetAttentionMode(bool on) { m_attention = on; }
  // Selecting clears the highlight of a tab in attention mode.
  void ClearAttentionHighlight();

  const std::string& GetText() const { return m_text; }
  int GetWidth() const { return m_width; }
  bool HasIcon() const { return m_icon != nullptr; }
  bool IsSelected() const { return m_selected; }
  bool IsEnabled() const { return m_enabled; }
  bool IsGreyed() const { return m_greyed; }
  bool IsHighlighted() const { return m_highlighted; }
  bool IsAttentionMode() const { return m_attention; }
  // Whether a draw shows the icon now.
  bool IsIconShown() const;
  // Where the tab is drawn: the selected tab stands out and joins the pane.
  RECT GetDrawRect() const;
  // Where the icon is drawn inside the drawing rectangle.
  RECT GetIconRect() const;

  // Below a bottom tab the tip would cover the pane's edge, so it goes
  // above the tab.
  POINT GetTipPoint() const override;
  void DrawTab(CDC* dc, COLORREF unselectedFace, COLORREF selectedFace, COLORREF band);

 private:
  void Measure(CDC* dc);
  void DrawOutline(HDC dc, const RECT& rect) const;
  void DrawLabel(CDC* dc, const RECT& rect) const;

  std::string m_text;
  std::unique_ptr<CPicture> m_icon;
  int m_orientation = 0;
  int m_width = 0;
  int m_iconWidth = 0;
  int m_iconHeight = 0;
  bool m_selected = false;
  bool m_enabled = true;
  bool m_greyed = false;
  bool m_attention = false;
  bool m_highlighted = false;
};
