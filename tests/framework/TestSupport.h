// What the framework tests share: the application object, the test resource
// library as the resource module, a message pump for tests, and watchers
// that close any dialog a failing test leaves open.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "CWinApp.h"

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("Frame Tests") {}

  // Message boxes are recorded instead of shown, unless realBoxes is set.
  std::vector<std::string> messages;
  bool realBoxes = false;
  int DoMessageBox(const char* text, UINT type, UINT helpId) override;

  // Called by OnIdle when set (before the framework's own idle work).
  std::function<void(LONG)> idleObserver;
  bool OnIdle(LONG count) override;
  int ExitInstance() override { return 0; }

  // Told of the application-level test commands (ids 40001-40004).
  std::function<void(UINT)> commandObserver;

 protected:
  void OnTestCommand(UINT id);
  DECLARE_MESSAGE_MAP()
};

TestApp& App();

// Runs the thread's messages through the application's pre-translation
// until done() holds or timeoutMs passes; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);
void PumpFor(DWORD ms);

// Closes every dialog and message box of this thread when it fires.
class Watchdog {
 public:
  explicit Watchdog(UINT ms);
  ~Watchdog();
  static bool Fired();

 private:
  UINT_PTR m_timer;
};

// Presses OK in the next message box of this thread and keeps its caption
// and text.
class MessageBoxCloser {
 public:
  MessageBoxCloser();
  ~MessageBoxCloser();
  static std::string Caption();
  static std::string Text();

 private:
  UINT_PTR m_timer;
};

// Makes window the foreground window with the keyboard focus, and presses
// keys through the system's input queue.
bool BringToForeground(HWND window);
void PressKey(WORD key, bool control = false);
