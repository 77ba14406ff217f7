// Message boxes by string number. A message is joined from string resources
// of the current resource module and formatted with the caller's arguments;
// it is shown at once (modal) or posted to the main window as the private
// message 0x501 and shown when the main window's message loop reaches it, so
// that code inside a network or DDE callback never blocks in a box. While a
// box is up the main windows are disabled.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <functional>
#include <string>
#include <vector>

class CZrMessageBox {
 public:
  // Private message of the main window: wParam style, lParam the text, which
  // the receiver frees.
  static constexpr UINT kShowMessage = 0x501;
  // Style flags.
  static constexpr int kInformation = 0;
  static constexpr int kPlain = 1;
  static constexpr int kWarning = 2;

  CZrMessageBox();
  ~CZrMessageBox();
  CZrMessageBox(const CZrMessageBox&) = delete;
  CZrMessageBox& operator=(const CZrMessageBox&) = delete;

  // The module that string numbers are loaded from: the program's own module
  // until the resource library takes over.
  void SetResourceModule(HINSTANCE module) { m_resources = module; }
  void SetMainWindow(HWND window) { m_mainWindow = window; }
  void SetCaption(const std::string& caption) { m_caption = caption; }
  // The windows disabled while a box is up; without a source, the main window.
  void SetWindowsSource(std::function<std::vector<HWND>()> source);
  // Further windows that follow the main windows' state (open dialogs).
  void SetDialogsEnabler(std::function<void(bool enable)> enabler);

  // Text of a string number; empty when the current module does not hold it.
  std::string LoadText(UINT id) const;
  // Joined and formatted text on the heap, for ShowMessageBox or PostMessageBox.
  char* BuildText(UINT first, UINT second, va_list args) const;
  char* BuildText(UINT first, UINT second, UINT third, va_list args) const;

  // Shows the text modally and frees it; null does nothing.
  void ShowMessageBox(int style, char* text);
  // Asks the question of a string number with the buttons and icon of
  // flags, task-modal with the main windows disabled meanwhile; answers the
  // button chosen (0 when the text is missing).
  int Ask(UINT textId, UINT flags);
  // Posts the text to the main window; when that fails it is freed unshown.
  bool PostMessageBox(int style, char* text);
  // 1: a box is up, the main windows are disabled; 0: enabled again.
  void EnableMainWindows(int flag);
  // Runs a modal window with the main windows disabled meanwhile; only the
  // outermost one enables them again. Answers what modal answers.
  int RunWithMainWindowsDisabled(const std::function<int()>& modal);
  int DialogUpCount() const { return m_dialogUp; }
  // The main window's handler of kShowMessage.
  LRESULT OnShowMessage(WPARAM style, LPARAM text);

  // The instance the free functions below use (the application's).
  static CZrMessageBox* Current() { return s_current; }

 private:
  HINSTANCE m_resources = nullptr;
  HWND m_mainWindow = nullptr;
  std::string m_caption = "Zanthe";
  int m_dialogUp = 0;
  std::function<std::vector<HWND>()> m_windowsSource;
  std::function<void(bool)> m_dialogsEnabler;
  CZrMessageBox* m_previous = nullptr;

  static CZrMessageBox* s_current;
};

// Two string numbers and arguments, shown at once without an icon.
void MessageBoxIds2(UINT first, UINT second, ...);
// Two string numbers and arguments, posted to the main window, no icon.
void MessageBoxIds2Async(UINT first, UINT second, ...);
// Three string numbers and arguments, shown at once with the information icon.
void MessageBoxIds3Info(UINT first, UINT second, UINT third, ...);
// Two string numbers and arguments, posted, with the information icon.
void MessageBoxIds2AsyncInfo(UINT first, UINT second, ...);
