// A list box control. An owner-drawn list box measures, draws and compares
// its items itself: the parent's owner-draw messages are reflected to it.
#pragma once
#include <string>

#include "CWnd.h"

class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)

 public:
  int AddString(const std::string& text);
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  std::string GetText(int index) const;
  int FindString(int startAfter, const std::string& prefix) const;
  int DeleteString(int index);
  DWORD_PTR GetItemData(int index) const;
  int SetItemData(int index, DWORD_PTR data);

  virtual void DrawItem(LPDRAWITEMSTRUCT item);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT item);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT item);

 protected:
  DECLARE_MESSAGE_MAP()
};
