// Closes the message box that a test expects, keeping its text, from a
// second thread while the test's thread is inside the box.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

// Waits for one message box of a thread, keeps its text and closes it.
class BoxCloser {
 public:
  explicit BoxCloser(DWORD thread) : m_thread(thread), m_worker([this] { Run(); }) {}
  ~BoxCloser() { Join(); }
  std::string Join() {
    if (m_worker.joinable()) m_worker.join();
    return m_text;
  }

 private:
  static HWND FindBox(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM data) -> BOOL {
          char cls[16] = {};
          GetClassNameA(window, cls, sizeof cls);
          if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
          *reinterpret_cast<HWND*>(data) = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }
  void Run() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
      if (HWND box = FindBox(m_thread)) {
        char text[2048] = {};
        GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
        m_text = text;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  DWORD m_thread;
  std::string m_text;
  std::thread m_worker;
};

// Wine's box may fold the text's line breaks: texts compared without them.
inline std::string WithoutLineBreaks(const std::string& text) {
  std::string folded;
  for (char c : text) {
    if (c != '\r' && c != '\n') folded += c;
  }
  return folded;
}
