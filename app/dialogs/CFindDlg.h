// "Find": the people search of the places pane. Modeless; it deletes itself
// when its window is gone. Find Next posts kFindNext to the parent with the
// match-case flag as wParam and the text as lParam (the receiver takes it
// with TakeText); Cancel or closing posts kFindClosed and ends the dialog.
#pragma once
#include <memory>
#include <string>

#include "CDialog.h"

class CFindDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 300;
  static constexpr int kTextEdit = 1126;
  static constexpr int kFindNextButton = 1127;
  static constexpr int kMatchCaseCheck = 1129;
  static constexpr UINT kFindNext = 0x504;
  static constexpr UINT kFindClosed = 0x505;

  // Shows a new dialog on parent; null when it could not be made.
  static CFindDlg* Open(CWnd* parent, const std::string& title);
  // The text of a kFindNext message, owned by the caller from now on.
  static std::unique_ptr<std::string> TakeText(LPARAM lParam);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnFindNext();
  void OnCancel() override;
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  CFindDlg() : CDialog(kTemplateId) {}

  std::string m_text;
  int m_matchCase = 0;
};
