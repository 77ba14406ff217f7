// An item list whose rows can be read from outside as a list box's: it
// answers LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_GETCURSEL,
// LB_GETTOPINDEX and LB_GETITEMHEIGHT with each row's text, so that
// accessibility tools and test probes see what the user sees. Clicks and
// double clicks on a row are reported to the owner's handlers.
#pragma once
#include <functional>
#include <string>

#include "CItemListWnd.h"

class CTextItemList : public CItemListWnd {
 public:
  using RowHandler = std::function<void(int32_t row)>;

  void SetRowHandlers(RowHandler onSelect, RowHandler onActivate);
  // Selects a row and scrolls it into view; nothing outside the rows.
  void SelectRow(int32_t row);
  void ClearSelection();

 protected:
  // The text of a row as a reader gets it.
  virtual std::string RowText(void* object) const = 0;

  void OnClicked(void* object, int32_t x, int32_t y) override;
  void OnDoubleClicked(void* object, int32_t x, int32_t y) override;

  LRESULT OnGetCount(WPARAM, LPARAM);
  LRESULT OnGetTextLength(WPARAM row, LPARAM);
  LRESULT OnGetText(WPARAM row, LPARAM buffer);
  LRESULT OnGetSelection(WPARAM, LPARAM);
  LRESULT OnGetTopRow(WPARAM, LPARAM);
  LRESULT OnGetRowHeight(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()

 private:
  bool HasRow(WPARAM row) const { return row < static_cast<WPARAM>(GetCount()); }
  // The row of an object, -1 when it is not listed.
  int32_t RowOf(const void* object) const;

  RowHandler m_onSelect;
  RowHandler m_onActivate;
};
