#include "CPropertyPage.h"

#include "ModuleState.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId) {
  if (captionId) {
    m_caption = AfxLoadString(captionId);
  }
}

PROPSHEETPAGEA CPropertyPage::BuildPage() const {
  PROPSHEETPAGEA page{};
  page.dwSize = sizeof(page);
  page.dwFlags = m_caption.empty() ? PSP_DEFAULT : PSP_USETITLE;
  page.hInstance = AfxGetResourceHandle();
  page.pszTemplate = MAKEINTRESOURCEA(m_nIDTemplate);
  page.pszTitle = m_caption.c_str();
  page.pfnDlgProc = &PageProc;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return page;
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) {
    return FALSE;
  }
  // The page window exists now: from here on its messages go through the
  // page object.
  auto* description = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
  auto* page = reinterpret_cast<CPropertyPage*>(description->lParam);
  if (!page->SubclassWindow(hwnd)) {
    return FALSE;
  }
  return page->OnInitDialog() ? TRUE : FALSE;
}

bool CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (CDialog::OnNotify(wParam, lParam, result)) {
    return true;
  }
  switch (reinterpret_cast<NMHDR*>(lParam)->code) {
    case PSN_SETACTIVE:
      *result = OnSetActive() ? 0 : -1;
      return true;
    case PSN_KILLACTIVE:
      *result = OnKillActive() ? FALSE : TRUE;
      return true;
    case PSN_APPLY:
      *result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
      return true;
    case PSN_RESET:
      OnReset();
      return true;
    default:
      return false;
  }
}

bool CPropertyPage::OnSetActive() {
  return true;
}

bool CPropertyPage::OnKillActive() {
  return UpdateData(true);
}

bool CPropertyPage::OnApply() {
  OnOK();
  return true;
}

void CPropertyPage::OnReset() {
  OnCancel();
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

void CPropertyPage::SetModified(bool changed) {
  HWND sheet = ::GetParent(m_hWnd);
  if (sheet) {
    ::SendMessageA(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
  }
}
