// "Attach to Browser": asks for the browser program when none could be
// attached. OK tries again with the program in m_program, Cancel gives up,
// Exit ends the client.
#pragma once
#include <string>

#include "CDialog.h"

class CAttachBrowserDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 114;
  static constexpr int kProgramEdit = 1054;
  static constexpr int kBrowseButton = 1055;
  static constexpr int kExitButton = 32773;
  // The filter of the program choice.
  static constexpr char kProgramFilter[] = "Programs (*.exe) |*.exe||";

  explicit CAttachBrowserDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

  std::string m_program;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnExit();
  void OnBrowse();

  DECLARE_MESSAGE_MAP()
};
