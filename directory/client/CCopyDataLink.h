// CCopyDataLink: sending and receiving the commands of the directory link.
// Sending is synchronous (WM_COPYDATA to the peer's main window, found by its
// window class). A receiver copies the command and posts it to its own main
// window, so that the work runs after the sender's call has returned.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "CCopyCommand.h"

class CCopyDataLink {
 public:
  // Sends the command to the window of class peerClass with own as wParam;
  // false (nothing sent) when no such window exists.
  static bool Send(HWND own, const char* peerClass, uint32_t code, const std::string& text);

  // WM_COPYDATA handler: posts a copy of the record to own as postedMessage
  // (wParam = the sender, lParam = the copy). Always TRUE: the record is
  // taken even when it cannot be posted (the copy is then dropped).
  static LRESULT OnCopyData(HWND own, UINT postedMessage, WPARAM sender, LPARAM record);

  // The copy carried by a posted message, owned by the caller from now on.
  static std::unique_ptr<CCopyCommand> TakePosted(LPARAM lParam);
};
