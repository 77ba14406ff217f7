// The bar tests' main frame: it records the prompts and commands its bars
// send and has update handlers for a range of test commands.
#pragma once
#include <windows.h>

#include <map>
#include <vector>

#include "CFrameWnd.h"

// Commands of the test frame: an update handler for the first range
// (enabled as updateEnable says, enabled when not listed), a command
// handler only for kHandledCommand, nothing at all for kUnhandledCommand.
constexpr UINT kUpdatedFirst = 40100;
constexpr UINT kUpdatedLast = 40109;
constexpr UINT kHandledCommand = 40200;
constexpr UINT kUnhandledCommand = 40300;

class TestFrame : public CFrameWnd {
 public:
  std::vector<UINT> prompts;
  // Commands as they reached the frame's handlers (sent or dispatched).
  std::vector<UINT> commands;
  std::map<UINT, bool> updateEnable;

 protected:
  LRESULT OnPrompt(WPARAM id, LPARAM);
  void OnTestCommand(UINT id);
  void OnHandledCommand();
  void OnUpdateTest(CCmdUI* ui);
  DECLARE_MESSAGE_MAP()
};
