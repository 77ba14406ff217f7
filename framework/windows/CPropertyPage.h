// One page of a property sheet, from a template in the resource module. The
// sheet's notifications arrive as OnSetActive, OnKillActive (validation,
// which can keep the page), OnApply (write-back) and OnReset. A page the user
// never opened has no window and never hears of them.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "CDialog.h"

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)

 public:
  explicit CPropertyPage(UINT templateId, UINT captionId = 0);

  virtual bool OnSetActive();
  virtual bool OnKillActive();
  virtual bool OnApply();
  virtual void OnReset();
  // OK and Cancel of the sheet reach a page as OnApply and OnReset; the
  // default OnApply calls OnOK, where pages write their values back.
  void OnOK() override;
  void OnCancel() override;
  void SetModified(bool changed = true);

  // The page description handed to the sheet.
  PROPSHEETPAGEA BuildPage() const;

 protected:
  bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  std::string m_caption;
};
