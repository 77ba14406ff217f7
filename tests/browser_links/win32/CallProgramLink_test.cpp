// The links to outside programs over DDE, against call_program_peer.exe
// copied under the names the links look for: the call program found in the
// registry, started when not running, logged in and told to call; and the
// slide-show partner taking one execute per command.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "CCallProgramLink.h"
#include "CVistaplexLink.h"

namespace {

constexpr DWORD kWaitMs = 20000;

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

void PumpFor(DWORD ms) {
  const DWORD start = ::GetTickCount();
  MSG message;
  while (::GetTickCount() - start < ms) {
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    ::Sleep(20);
  }
}

// A folder of peers under their programs' names, and registry entries that
// point at them; all removed again at the end.
class PeerTest : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    m_folder = std::string(temp) + "zrlinks-" + std::to_string(::GetCurrentProcessId()) + "\\";
    ASSERT_TRUE(::CreateDirectoryA(m_folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    m_vendor = "Software\\ZrTestVendor" + std::to_string(::GetCurrentProcessId());
  }

  void TearDown() override {
    for (const std::string& name : m_programs) WaitForLine(name, "ended", kWaitMs);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, m_vendor.c_str());
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((m_folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        ::DeleteFileA((m_folder + found.cFileName).c_str());
      } while (::FindNextFileA(search, &found));
      ::FindClose(search);
    }
    ::RemoveDirectoryA(m_folder.c_str());
  }

  // The peer under the name, in the folder.
  void AddProgram(const std::string& name) {
    ASSERT_TRUE(::CopyFileA((ProgramFolder() + "call_program_peer.exe").c_str(),
                            (m_folder + name + ".exe").c_str(), FALSE));
    m_programs.push_back(name);
  }

  void Register(const std::string& name, const std::string& topic) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, (m_vendor + "\\" + name + "\\Settings").c_str(), 0, nullptr, 0,
                                KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(m_folder.c_str()),
                     static_cast<DWORD>(m_folder.size() + 1));
    ::RegSetValueExA(key, "Topic", 0, REG_SZ, reinterpret_cast<const BYTE*>(topic.c_str()),
                     static_cast<DWORD>(topic.size() + 1));
    ::RegCloseKey(key);
  }

  // Starts the peer as a user would have, and waits until it serves.
  void StartProgram(const std::string& name) {
    std::string command = "\"" + m_folder + name + ".exe\" /ready";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, m_folder.c_str(),
                                 &startup, &process));
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ASSERT_TRUE(WaitForLine(name, "serving", kWaitMs));
  }

  std::vector<std::string> Log(const std::string& name) const {
    std::vector<std::string> lines;
    std::ifstream file(m_folder + name + ".log");
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }

  bool WaitForLine(const std::string& name, const std::string& line, DWORD ms) const {
    const DWORD start = ::GetTickCount();
    do {
      for (const std::string& logged : Log(name))
        if (logged == line) return true;
      PumpFor(50);
    } while (::GetTickCount() - start < ms);
    return false;
  }

  std::string m_folder;
  std::string m_vendor;
  std::vector<std::string> m_programs;
};

using Reports = std::vector<std::pair<UINT, std::string>>;

class CallProgramLinkTest : public PeerTest {
 protected:
  CCallProgramLink::Report Recorder() {
    return [this](UINT id, const std::string& name) { m_reports.emplace_back(id, name); };
  }
  Reports m_reports;
};

TEST_F(CallProgramLinkTest, StartsTheProgramLogsInPlacesCallsAndQuits) {
  AddProgram("ZrCallPeer");
  Register("ZrCallPeer", "Phone");
  CCallProgramLink link(Recorder());
  ASSERT_TRUE(link.Connect("zrcallpeer", "tester,guest"));
  EXPECT_TRUE(link.WasLaunched());
  EXPECT_TRUE(link.IsConnected());
  EXPECT_EQ(link.GetService(), "ZrCallPeer");  // as registered, not as asked
  // 10.0.0.7 in network order.
  link.Call(0x0700000A, "bob");
  link.Quit();
  EXPECT_FALSE(link.IsConnected());
  EXPECT_TRUE(link.GetService().empty());
  ASSERT_TRUE(WaitForLine("ZrCallPeer", "ended", kWaitMs));
  EXPECT_EQ(Log("ZrCallPeer"), (std::vector<std::string>{
                                   "started /ready",
                                   "serving",
                                   "connected Phone",
                                   "poked UserID tester,guest (13 bytes)",
                                   "poked AutoAnswer 1 (2 bytes)",
                                   "executed HangUp",
                                   "executed Call 10.0.0.7,bob",
                                   "executed HangUp",
                                   "executed Quit",
                                   "ended",
                               }));
  EXPECT_TRUE(m_reports.empty());
}

TEST_F(CallProgramLinkTest, ARunningProgramIsConnectedWithoutStartingIt) {
  AddProgram("ZrCallPeer");
  Register("ZrCallPeer", "Phone");
  StartProgram("ZrCallPeer");
  CCallProgramLink link(Recorder());
  ASSERT_TRUE(link.Connect("ZrCallPeer", "tester"));
  EXPECT_FALSE(link.WasLaunched());
  link.Quit();
  ASSERT_TRUE(WaitForLine("ZrCallPeer", "ended", kWaitMs));
  const std::vector<std::string> log = Log("ZrCallPeer");
  EXPECT_EQ(std::count(log.begin(), log.end(), "started /ready"), 1);
}

TEST_F(CallProgramLinkTest, FailuresAreReportedWithTheNameAndLeaveTheLinkUnconnected) {
  struct Case {
    const char* name;
    bool registered;
    bool installed;
    UINT report;
  };
  const Case cases[] = {
      {"ZrNowherePeer", false, false, CCallProgramLink::kNotFound},
      {"ZrMissingPeer", true, false, CCallProgramLink::kCannotStart},
      // Starts, but never offers its topic.
      {"ZrSilentPeer", true, true, CCallProgramLink::kNoAnswer},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.registered) Register(c.name, "Phone");
    if (c.installed) AddProgram(c.name);
    m_reports.clear();
    CCallProgramLink link(Recorder(), 1500);
    EXPECT_FALSE(link.Connect(c.name, "tester"));
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(m_reports, (Reports{{c.report, c.name}}));
  }
}

TEST_F(CallProgramLinkTest, TheProgramEndingTheConversationResetsTheLink) {
  AddProgram("ZrCallPeer");
  Register("ZrCallPeer", "Phone");
  CCallProgramLink link(Recorder());
  ASSERT_TRUE(link.Connect("ZrCallPeer", "tester"));
  // The program ends on its own (the user quit it); the link learns of it
  // at its next use and starts afresh.
  link.Execute("Quit");
  ASSERT_TRUE(WaitForLine("ZrCallPeer", "ended", kWaitMs));
  link.HangUp();
  EXPECT_FALSE(link.IsConnected());
  EXPECT_TRUE(link.GetTopic().empty());
  // Connecting again starts the program again.
  ASSERT_TRUE(link.Connect("ZrCallPeer", "tester"));
  EXPECT_TRUE(link.WasLaunched());
  link.Quit();
}

using VistaplexLinkTest = PeerTest;

TEST_F(VistaplexLinkTest, EachNonEmptyCommandIsOneExecute) {
  AddProgram(CVistaplexLink::kService);
  StartProgram(CVistaplexLink::kService);
  CVistaplexLink link;
  ASSERT_TRUE(link.Send("next;;goto 3;"));
  ASSERT_TRUE(link.Send("Quit"));
  ASSERT_TRUE(WaitForLine(CVistaplexLink::kService, "ended", kWaitMs));
  std::vector<std::string> executed;
  for (const std::string& line : Log(CVistaplexLink::kService))
    if (line.rfind("executed ", 0) == 0) executed.push_back(line.substr(9));
  EXPECT_EQ(executed, (std::vector<std::string>{"next", "goto 3", "Quit"}));
}

TEST_F(VistaplexLinkTest, NoPartnerMeansNothingSent) {
  CVistaplexLink link;
  EXPECT_FALSE(link.Send("next"));
}

}  // namespace
