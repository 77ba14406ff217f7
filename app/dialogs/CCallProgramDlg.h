// "Start Audio/Video Application": the name of the audio/video program.
// OK ends with the (at most 200 characters long) name in m_programName.
#pragma once
#include <string>

#include "CDialog.h"

class CCallProgramDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 125;
  static constexpr int kNameEdit = 1066;
  static constexpr int kMaxNameChars = 200;

  CCallProgramDlg(CWnd* parent, std::string programName)
      : CDialog(kTemplateId, parent), m_programName(std::move(programName)) {}

  std::string m_programName;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
