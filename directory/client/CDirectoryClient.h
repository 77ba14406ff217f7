// CDirectoryClient: the chat client's side of the directory browser link.
// It starts or re-targets the browser, sends it commands and answers what the
// browser reports. The client derives from it and supplies its pages, its
// link tests and the actions for place and interaction links.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "CDirectoryReplies.h"
#include "CStartArguments.h"

class CDirectoryClient : public CDirectoryClientHost {
 public:
  // The browser's size in each mode.
  static SIZE BrowserSize(int32_t mode);

  explicit CDirectoryClient(HWND mainWindow) : m_mainWindow(mainWindow), m_replies(*this) {}

  // Opens the browser in the mode with the title (blanks written as '_'),
  // centred on the client's main window. A running browser gets 1547, 1549
  // and 1542 / 1548; otherwise programDir\ZrDirectory is started with the
  // start arguments. False when the program could not be started.
  bool Open(int32_t mode, const std::string& title, const std::string& programDir,
            const std::string& resourceLibrary);

  // The browser's window position for the mode, centred on the client's
  // main window and kept on the screen's work area.
  RECT BrowserPlacement(int32_t mode) const;

  bool IsBrowserRunning() const;
  void Close();          // 1536
  void HideAndReturn();  // 1537
  void Hide();           // 1538
  // A browser left from an earlier run, or the one of a client that ends:
  // hidden, then closed.
  void HideAndClose();
  bool Command(uint32_t code, const std::string& text = std::string());

  // Handlers for the client's main window: WM_COPYDATA, and the private
  // message kClientPostedCommand that carries the copy.
  LRESULT OnCopyData(WPARAM sender, LPARAM record);
  void OnPostedCommand(LPARAM copy);
  // Answers one command the browser reported, already taken from its copy.
  void Reply(uint64_t code, const std::string& text) { m_replies.OnCommand(code, text); }

  void SendToBrowser(uint32_t code, const std::string& text) override;
  // The client's main window, once it exists: the sender of every command.
  void SetMainWindow(HWND window) { m_mainWindow = window; }

 protected:
  HWND MainWindow() const { return m_mainWindow; }

 private:
  HWND m_mainWindow;
  CDirectoryReplies m_replies;
};
