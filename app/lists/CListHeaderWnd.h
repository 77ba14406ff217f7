// The clickable column header of the item list: draws the captions as
// raised buttons and makes a released column the list's sort column.
#pragma once
#include "CFont.h"
#include "CWnd.h"
#include "ListHeaderModel.h"
#include "MessageMap.h"

class CDC;
class CItemListWnd;

class CListHeaderWnd : public CWnd {
 public:
  // A visible child of list at rect, drawing in font.
  bool Create(CItemListWnd* list, CFont* font, const RECT& rect);
  ListHeaderModel& Model() { return m_model; }
  const ListHeaderModel& Model() const { return m_model; }
  void AddColumn(int32_t key, const std::string& caption);

 protected:
  void OnPaint();
  void OnSize(UINT type, int cx, int cy);
  void OnLButtonDown(UINT flags, POINT point);
  void OnLButtonUp(UINT flags, POINT point);
  void OnMouseMove(UINT flags, POINT point);
  DECLARE_MESSAGE_MAP()

 private:
  int32_t ColumnAt(POINT point) const;
  RECT ShiftedRect(const ListColumn& column) const;
  void DrawColumn(CDC& dc, const ListColumn& column);
  void RedrawColumn(int32_t column);

  CItemListWnd* m_list = nullptr;
  CFont* m_font = nullptr;
  ListHeaderModel m_model;
};
