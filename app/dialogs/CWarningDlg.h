// The host's warning: either shows a warning that arrived (show-only) or
// takes the text of a warning to send. OK ends with the typed text in
// m_text.
#pragma once
#include <string>

#include "CDialog.h"

class CWarningDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 102;
  static constexpr int kShownText = 1048;
  static constexpr int kTextEdit = 1108;

  CWarningDlg(CWnd* parent, std::string text, bool showOnly)
      : CDialog(kTemplateId, parent), m_text(std::move(text)), m_showOnly(showOnly) {}

  std::string m_text;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;

 private:
  bool m_showOnly;
};
