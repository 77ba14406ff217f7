// dde_peer (tests/ddeml) run by a test of the other browser's link: started
// with its steps, waited for while this thread serves DDE, its log read.
#pragma once

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

inline constexpr DWORD kPeerMs = 30000;

inline std::string TestFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

inline std::string Hex(const std::string& text) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : text) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return hex;
}

inline void Pump() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
}

// dde_peer with the steps, run while this thread serves DDE; its log lines.
class Peer {
 public:
  explicit Peer(const std::string& steps) {
    m_log = TestFolder() + "netscape_peer_" + std::to_string(::GetCurrentProcessId()) + "_" +
            std::to_string(++s_runs) + ".log";
    std::string command = "\"" + TestFolder() + "..\\ddeml\\dde_peer.exe\" --log \"" + m_log + "\" " + steps;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    m_started = ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process);
    if (!m_started) return;
    ::CloseHandle(process.hThread);
    m_process = process.hProcess;
  }
  ~Peer() {
    if (m_process) {
      ::TerminateProcess(m_process, 1);
      ::CloseHandle(m_process);
    }
    ::DeleteFileA(m_log.c_str());
  }
  // Serves this thread's DDE until the peer ends.
  bool Finish() {
    if (!m_started) return false;
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kPeerMs) {
      Pump();
      if (::MsgWaitForMultipleObjects(1, &m_process, FALSE, 50, QS_ALLINPUT) == WAIT_OBJECT_0) {
        Pump();
        return true;
      }
    }
    return false;
  }
  bool WaitFor(const std::string& line) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kPeerMs) {
      for (const std::string& logged : Lines())
        if (logged == line) return true;
      Pump();
      ::Sleep(20);
    }
    return false;
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::ifstream file(m_log);
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }

 private:
  static inline int s_runs = 0;
  std::string m_log;
  bool m_started = false;
  HANDLE m_process = nullptr;
};
