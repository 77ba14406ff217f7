#include "TestFrame.h"

#include "CCmdUI.h"

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
  ON_MESSAGE(WM_SETMESSAGESTRING, OnPrompt)
  ON_COMMAND_RANGE(kUpdatedFirst, kUpdatedLast, OnTestCommand)
  ON_COMMAND(kHandledCommand, OnHandledCommand)
  ON_UPDATE_COMMAND_UI_RANGE(kUpdatedFirst, kUpdatedLast, OnUpdateTest)
END_MESSAGE_MAP()

LRESULT TestFrame::OnPrompt(WPARAM id, LPARAM) {
  prompts.push_back(static_cast<UINT>(id));
  return 0;
}

void TestFrame::OnTestCommand(UINT id) { commands.push_back(id); }

void TestFrame::OnHandledCommand() { commands.push_back(kHandledCommand); }

void TestFrame::OnUpdateTest(CCmdUI* ui) {
  auto found = updateEnable.find(ui->m_nID);
  ui->Enable(found == updateEnable.end() || found->second);
}
