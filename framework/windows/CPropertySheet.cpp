#include "CPropertySheet.h"

#include <commctrl.h>

#include "CPropertyPage.h"
#include "CWinApp.h"
#include "ModuleState.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
  ON_MESSAGE(WM_INITDIALOG, OnInitDialogMessage)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : m_caption(AfxLoadString(captionId)), m_pParentWnd(parent), m_startPage(selectPage) {}

CPropertySheet::CPropertySheet(const char* caption, CWnd* parent, UINT selectPage)
    : m_caption(caption ? caption : ""), m_pParentWnd(parent), m_startPage(selectPage) {}

void CPropertySheet::AddPage(CPropertyPage* page) {
  m_pages.push_back(page);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
  if (!m_hWnd) {
    return GetPage(static_cast<int>(m_startPage));
  }
  auto page = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
  for (CPropertyPage* candidate : m_pages) {
    if (candidate->m_hWnd == page) {
      return candidate;
    }
  }
  return nullptr;
}

bool CPropertySheet::SetActivePage(int index) {
  if (!m_hWnd) {
    m_startPage = static_cast<UINT>(index);
    return true;
  }
  return SendMessage(PSM_SETCURSEL, static_cast<WPARAM>(index)) != 0;
}

INT_PTR CPropertySheet::DoModal() {
  if (m_pages.empty()) {
    return -1;
  }
  std::vector<PROPSHEETPAGEA> pages;
  for (CPropertyPage* page : m_pages) {
    pages.push_back(page->BuildPage());
  }
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!owner && AfxGetMainWnd()) {
    owner = AfxGetMainWnd()->m_hWnd;
  }
  PROPSHEETHEADERA header{};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_PROPSHEETPAGE | m_dwSheetFlags;
  header.hwndParent = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
  header.hInstance = AfxGetResourceHandle();
  header.pszCaption = m_caption.c_str();
  header.nPages = static_cast<UINT>(pages.size());
  header.nStartPage = m_startPage < pages.size() ? m_startPage : 0;
  header.ppsp = pages.data();
  m_ended = false;
  INT_PTR result = -1;
  RunWithCreationHook([&] { result = ::PropertySheetA(&header); });
  if (result < 0) {
    return -1;
  }
  if (m_ended) {
    return m_endResult;
  }
  return result > 0 ? IDOK : IDCANCEL;
}

void CPropertySheet::EndDialog(int result) {
  // The sheet's own loop ends only through its buttons: Cancel is the one
  // that applies nothing.
  m_ended = true;
  m_endResult = result;
  SendMessage(PSM_PRESSBUTTON, PSBTN_CANCEL);
}

LRESULT CPropertySheet::OnInitDialogMessage(WPARAM, LPARAM) {
  LRESULT result = Default();
  OnInitDialog();
  return result;
}

bool CPropertySheet::OnInitDialog() {
  return true;
}
