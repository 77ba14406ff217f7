// The window of the outline control: shows the control's rows with the
// expand image and the owner's content, scrolls by rows, and reports mouse
// actions to the control.
#pragma once
#include <cstdint>
#include <vector>

#include "CBitmap.h"
#include "CFont.h"
#include "CWnd.h"
#include "ListScrollState.h"
#include "MessageMap.h"
#include "OutlineRowModel.h"

class CDC;
class COutlineCtrl;
class COutlineNode;

class COutlineList : public CWnd {
 public:
  explicit COutlineList(COutlineCtrl* owner);
  ~COutlineList() override;

  bool Create(CWnd* parent, UINT id, UINT cursorId, const RECT& rect);

  // Takes the rows, keeps the selection on the last flagged node, and
  // repaints (asking the owner about the selected row).
  void SetRows(const std::vector<COutlineNode*>& rows);
  // The same without repainting.
  void SetRowsQuietly(const std::vector<COutlineNode*>& rows);
  const OutlineRowModel& Rows() const { return m_rows; }

  bool LoadRowBitmap(UINT id);
  int32_t IndexOfNode(const COutlineNode* node) const { return m_rows.IndexOf(node); }
  int32_t SelectRow(int32_t row);
  int32_t GetSelectedRow() const { return m_rows.SelectedRow(); }
  void Redraw();
  int32_t GetTabWidth(const std::string& text);
  void SetContentWidth(int32_t pixels);
  void DrawVisibleRows(int32_t value, void* object);
  void SetImagePlace(int32_t left, int32_t topLimit, int32_t bottomLimit);

  int32_t RowHeight() const { return m_rowHeight; }
  int32_t BorderInset() const { return m_inset; }
  int32_t TopRow() const { return m_vert.position; }
  int32_t VisibleRows() const { return m_visibleRows; }
  int32_t TextIndent() const { return m_textIndent; }
  int32_t ImageLeft() const { return m_imageLeft; }
  RECT RowRect(int32_t row) const;

 protected:
  void OnSize(UINT type, int cx, int cy);
  void OnPaint();
  void OnHScroll(UINT code, UINT position, CWnd* bar);
  void OnVScroll(UINT code, UINT position, CWnd* bar);
  void OnLButtonDown(UINT flags, POINT point);
  void OnLButtonUp(UINT flags, POINT point);
  void OnLButtonDblClk(UINT flags, POINT point);
  void OnMouseMove(UINT flags, POINT point);
  void OnRButtonDown(UINT flags, POINT point);
  void OnRButtonDblClk(UINT flags, POINT point);
  // The list box queries, answered for the shown rows: LB_GETCOUNT,
  // LB_GETTEXTLEN, LB_GETTEXT (the owner's row text), LB_GETITEMDATA (the
  // owner's row flags), LB_GETCURSEL, LB_GETTOPINDEX and LB_GETITEMHEIGHT.
  LRESULT OnGetCount(WPARAM, LPARAM);
  LRESULT OnGetTextLength(WPARAM row, LPARAM);
  LRESULT OnGetText(WPARAM row, LPARAM buffer);
  LRESULT OnGetItemData(WPARAM row, LPARAM);
  LRESULT OnGetCurrentSelection(WPARAM, LPARAM);
  LRESULT OnGetTopIndex(WPARAM, LPARAM);
  LRESULT OnGetItemHeight(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  using Report = void (COutlineCtrl::*)(COutlineNode*, int32_t, int32_t);

  int32_t HitTest(POINT point) const;
  void Layout();
  void ApplyRange(int bar, ListScrollState& state, int32_t maximum);
  void UpdateVerticalRange();
  void Scroll(int bar, ListScrollState& state, int32_t step);
  void SetTopRow(int32_t row);
  void RedrawRow(int32_t row);
  void DrawRow(CDC& dc, int32_t row);
  void DrawFrame(CDC& dc);
  void ComputeTextIndent();
  void ReportRow(POINT point, Report report);

  COutlineCtrl* m_owner;
  OutlineRowModel m_rows;
  CFont m_font;
  CBitmap m_bitmap;
  SIZE m_bitmapSize{};
  HCURSOR m_cursor = nullptr;
  bool m_ownCursor = false;
  ListScrollState m_horz;
  ListScrollState m_vert;
  int32_t m_contentWidth = 0;
  int32_t m_rowHeight = 18;
  int32_t m_visibleRows = 0;
  int32_t m_inset = 6;
  int32_t m_imageLeft = 0;
  int32_t m_imageTop = 0;
  int32_t m_imageBottom = 0;
  int32_t m_textIndent = 0;
  bool m_pressed = false;
  int32_t m_pressedRow = -1;
};
