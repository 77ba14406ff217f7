#include "CCallProgramDlg.h"

#include "CDataExchange.h"

void CCallProgramDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, kNameEdit, m_programName);
  DDV_MaxChars(dx, m_programName, kMaxNameChars);
}
