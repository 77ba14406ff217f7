// A modal property sheet over the common control, with pages from the
// resource module. The sheet window is a framework window: OnInitDialog runs
// once the sheet has made its buttons and first page, so a derived sheet can
// set its title, hide, rename or move buttons and centre itself there.
#pragma once
#include <string>
#include <vector>

#include "CWnd.h"

class CPropertyPage;

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)

 public:
  explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
  explicit CPropertySheet(const char* caption, CWnd* parent = nullptr, UINT selectPage = 0);

  void AddPage(CPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage* GetPage(int index) const;
  CPropertyPage* GetActivePage() const;
  bool SetActivePage(int index);

  // IDOK or IDCANCEL, or the result given to EndDialog; -1 when the sheet
  // could not be made.
  virtual INT_PTR DoModal();
  // Closes the open sheet without applying its pages (they hear OnReset);
  // DoModal returns result.
  void EndDialog(int result);
  virtual bool OnInitDialog();

  DWORD m_dwSheetFlags = 0;  // extra PSH_* flags

 protected:
  LRESULT OnInitDialogMessage(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()

 private:
  std::vector<CPropertyPage*> m_pages;
  std::string m_caption;
  CWnd* m_pParentWnd;
  UINT m_startPage;
  bool m_ended = false;
  int m_endResult = 0;
};
