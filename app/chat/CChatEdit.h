// The one-line input of a chat page: a subclassed edit control with its
// own context menu, Edit commands that tell the page of the change, a
// typing flag that the page sets and clears, and Ctrl+I for the Send
// Instant Message dialog.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "CWnd.h"
#include "InputHistory.h"
#include "MessageMap.h"

class CChatEdit : public CWnd {
 public:
  static constexpr UINT kControlId = 1105;
  // Edit commands.
  static constexpr UINT kClearAll = 57633;
  static constexpr UINT kCopy = 57634;
  static constexpr UINT kCut = 57635;
  static constexpr UINT kPaste = 57637;
  static constexpr UINT kUndo = 57643;

  bool IsTyping() const { return m_typing; }
  void SetTyping(bool typing) { m_typing = typing; }

  // Runs an Edit command; false for any other command.
  bool DoEditCommand(UINT command);
  bool IsEditCommandEnabled(UINT command) const;

  // A sent line joins the lines that Up and Down recall.
  void Remember(const std::string& line) { m_history.Add(line); }

  // Called when the input loses the focus while the typing flag is set.
  void SetTypingEndedHandler(std::function<void()> handler) { m_onTypingEnded = std::move(handler); }
  // Ctrl+I.
  void SetInstantMessageHandler(std::function<void()> handler) { m_onInstantMessage = std::move(handler); }

 protected:
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  LRESULT OnKeyUp(WPARAM key, LPARAM flags);
  void OnKillFocus(CWnd* next);
  void OnRButtonDown(UINT flags, POINT point);
  DECLARE_MESSAGE_MAP()

 private:
  void NotifyChange();
  // Up and Down: the recalled line replaces the text; false when none.
  bool Recall(UINT key);
  bool HasSelection() const;

  bool m_ctrlDown = false;
  bool m_typing = false;
  InputHistory m_history;
  std::function<void()> m_onTypingEnded;
  std::function<void()> m_onInstantMessage;
};
