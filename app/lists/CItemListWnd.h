// An owner-drawn, multi-column, scrolling list of the owner's objects under
// a clickable header. Rows stay sorted by the header's sort column;
// subclasses compare objects, draw the cells and react to clicks.
#pragma once
#include <cstdint>
#include <string>

#include "CFont.h"
#include "CListHeaderWnd.h"
#include "CWnd.h"
#include "ItemListModel.h"
#include "ListScrollState.h"
#include "MessageMap.h"

class CDC;

class CItemListWnd : public CWnd {
 public:
  CItemListWnd();
  ~CItemListWnd() override;

  // Creates the list as a child of parent. With a control id, the list
  // takes the place of that dialog control, which is destroyed; otherwise
  // it goes at rect.
  bool Create(CWnd* parent, UINT controlId, const RECT& rect = RECT{});

  void AddColumn(int32_t key, const std::string& caption, bool sortColumn);
  // The column's header rectangle; all zeros for an unknown key.
  RECT ColumnRect(int32_t key) const;
  int32_t AddItem(void* object);
  void DeleteItem(int32_t index, bool redraw);
  void RemoveAll(bool redraw);
  int32_t GetCount() const { return m_model.Count(); }
  void* GetItemObject(int32_t index) const { return m_model.Object(index); }
  ItemRecord* GetItemRecord(int32_t index) const { return m_model.Record(index); }
  int32_t GetSelected() const { return m_model.Selected(); }
  // Selects a row; returns the row selected before (see ItemListModel).
  int32_t Select(int32_t index);
  void Sort(bool redraw);
  // Makes the key the sort column and re-sorts, unless it already is.
  void ChooseSortColumn(int32_t key);
  void SetTopRow(int32_t row);
  int32_t GetTopRow() const { return m_vert.position; }
  int32_t HorizontalPosition() const { return m_horz.position; }
  int32_t VisibleRows() const { return m_visibleRows; }
  int32_t RowHeight() const { return m_rowHeight; }
  RECT RowsRect() const { return m_rowsRect; }
  int32_t SortKey() const { return m_model.SortKey(); }
  void Redraw();
  // Pixel width of text followed by four blanks in the list's font; 0
  // before the window exists.
  int32_t SetTextExtent(const std::string& text);
  void WidenTo(int32_t width);
  CFont* GetListFont() { return &m_font; }

 protected:
  virtual void OnItemAdded(ItemRecord* /*record*/) {}
  virtual int32_t Compare(int32_t /*sortKey*/, void* /*a*/, void* /*b*/) { return 1; }
  virtual void DrawCell(CDC* /*dc*/, int32_t /*left*/, int32_t /*top*/, int32_t /*right*/,
                        int32_t /*bottom*/, int32_t /*columnKey*/, ItemRecord* /*record*/) {}
  virtual void OnItemDeleted(void* /*object*/) {}
  virtual bool MaySelect(int32_t /*row*/) { return true; }
  virtual void OnClicked(void* /*object*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnDoubleClicked(void* /*object*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnRightButtonDown(void* /*object*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnRightDoubleClicked(void* /*object*/, int32_t /*x*/, int32_t /*y*/) {}

  void OnSize(UINT type, int cx, int cy);
  void OnPaint();
  void OnNcPaint();
  void OnHScroll(UINT code, UINT position, CWnd* bar);
  void OnVScroll(UINT code, UINT position, CWnd* bar);
  void OnLButtonDown(UINT flags, POINT point);
  void OnLButtonUp(UINT flags, POINT point);
  void OnLButtonDblClk(UINT flags, POINT point);
  void OnMouseMove(UINT flags, POINT point);
  void OnRButtonDown(UINT flags, POINT point);
  void OnRButtonDblClk(UINT flags, POINT point);
  DECLARE_MESSAGE_MAP()

 private:
  using Report = void (CItemListWnd::*)(void*, int32_t, int32_t);

  int32_t HitTest(POINT point) const;
  RECT RowRect(int32_t row) const;
  void RedrawRow(int32_t row);
  void DrawRow(CDC& dc, int32_t row);
  void ApplyRange(int bar, ListScrollState& state, int32_t maximum);
  void UpdateVerticalRange();
  void UpdateHorizontalRange();
  void ScrollVertically(int32_t rows);
  void ScrollHorizontally(int32_t pixels);
  // Calls report with a clickable row's object and the cursor on screen.
  void ReportRow(POINT point, Report report);

  ItemListModel m_model;
  CListHeaderWnd m_header;
  CFont m_font;
  ListScrollState m_horz;
  ListScrollState m_vert;
  int32_t m_rowHeight = 1;
  int32_t m_headerHeight = 0;
  RECT m_rowsRect{};
  int32_t m_visibleRows = 0;
  bool m_pressed = false;
  int32_t m_pressedRow = -1;
};
