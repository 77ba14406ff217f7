// The game session against the real test game: registered with regsvr32
// under Wine, created through COM, called by name with the argument types
// the games expect, calling back through the client's event interface, and
// released so that no game object is left. Two sessions joined by a
// loopback play a game against each other.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "CGameSession.h"
#include "CGamesRegistry.h"

namespace {

const char kTestGame[] = "{DC1BFCC5-454A-4DF7-9538-3E08006D77D5}";
const char kUnknownGame[] = "{0F0E0D0C-0B0A-0908-0706-050403020100}";

std::string ProgramFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

DWORD RunProgram(const std::string& command) {
  STARTUPINFOA start = {};
  start.cb = sizeof(start);
  PROCESS_INFORMATION process = {};
  std::string line = command;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
    return GetLastError();
  WaitForSingleObject(process.hProcess, 60000);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

// Records what the game asks of the program; SendToMember goes to `deliver`
// when set (the loopback of two players).
class RecordingHost : public IGameHost {
 public:
  explicit RecordingHost(uint32_t ownId) : ownId(ownId) {}

  void DispatchGameEvent(std::unique_ptr<GameEvent> event) override {
    calls.push_back("event " + std::to_string(event->member) + " " + std::to_string(event->value) + " " +
                    event->text + " " + Hex(event->data));
  }
  void SendToMember(uint32_t member, uint32_t kind, const std::string& text, const std::string& data) override {
    calls.push_back("send " + std::to_string(member) + " " + std::to_string(kind) + " " + text + " " + data);
    if (deliver) deliver(member, data);
  }
  long EnumerateMembers(uint32_t member, long value) override {
    calls.push_back("enum " + std::to_string(member) + " " + std::to_string(value));
    return 0x00030007;
  }
  std::vector<GameMember> GameMembers() override {
    calls.push_back("members");
    return {{5, 16}, {9, 273}};
  }
  bool MemberIdentity(uint32_t member, std::array<std::string, 4>& texts) override {
    if (member != 9) return false;
    texts = {"bob", "Bob Smith", "Lisbon", "bob@example.org"};
    return true;
  }
  std::string PlaceName() override { return "Lobby"; }
  uint32_t OwnGameId() override { return ownId; }
  void SetGameState(long state) override { calls.push_back("state " + std::to_string(state)); }
  void ForwardToGroup(uint32_t group, long value) override {
    calls.push_back("group " + std::to_string(group) + " " + std::to_string(value));
  }
  void ForwardToMember(uint32_t member, const std::array<long, 4>& values) override {
    calls.push_back("member " + std::to_string(member) + " " + std::to_string(values[0]) + " " +
                    std::to_string(values[3]));
  }

  static std::string Hex(const std::string& bytes) {
    std::string text;
    char digits[3];
    for (unsigned char byte : bytes) {
      snprintf(digits, sizeof(digits), "%02x", byte);
      text += digits;
    }
    return text;
  }

  uint32_t ownId;
  std::vector<std::string> calls;
  std::function<void(uint32_t, const std::string&)> deliver;
};

class GameSessionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CoInitialize(nullptr);
    ASSERT_EQ(RunProgram("regsvr32.exe /s \"" + ProgramFolder() + "testgame.dll\""), 0u);
  }

  void SetUp() override {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    m_log = std::string(folder) + "zr_testgame_session.log";
    DeleteFileA(m_log.c_str());
    SetEnvironmentVariableA("ZR_TESTGAME_LOG", m_log.c_str());
  }

  std::vector<std::string> Log() const {
    std::vector<std::string> lines;
    std::ifstream file(m_log);
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }

  std::string LogText() const {
    std::ostringstream text;
    for (const std::string& line : Log()) text << line << "\n";
    return text.str();
  }

  bool Logged(const std::string& line) const {
    for (const std::string& entry : Log()) {
      if (entry == line) return true;
    }
    return false;
  }

  static long LiveGames() {
    HMODULE module = GetModuleHandleA("testgame.dll");
    if (!module) return 0;
    auto count = reinterpret_cast<LONG(__stdcall*)()>(GetProcAddress(module, "TestGameLiveObjects"));
    return count ? count() : -1;
  }

  std::string m_log;
};

TEST_F(GameSessionTest, RegistryListsTheRegisteredGame) {
  bool listed = false;
  for (const GameEntry& game : CGamesRegistry::ListGames())
    listed = listed || (game.name == "TestGame" && game.serverClass == kTestGame);
  EXPECT_TRUE(listed);
  EXPECT_TRUE(CGamesRegistry::LookupGame(kTestGame));
  EXPECT_FALSE(CGamesRegistry::LookupGame(kUnknownGame));
  EXPECT_FALSE(CGamesRegistry::LookupGame("{not a class}"));
  EXPECT_FALSE(CGamesRegistry::LookupGame(""));
}

TEST_F(GameSessionTest, AServerThatCannotBeBoundLeavesNothingBound) {
  RecordingHost host(5);
  CGameSession session(host);
  for (const char* serverClass : {"{not a class}", kUnknownGame, ""}) {
    EXPECT_FALSE(session.CreateServer(serverClass)) << serverClass;
    EXPECT_FALSE(session.IsBound()) << serverClass;
    EXPECT_EQ(session.GetDispId(CGameSession::kSend), DISPID_UNKNOWN) << serverClass;
  }
  // Calls without a server do nothing.
  session.Send(1, "a", 0, 0, 0, "t", "move:1");
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(GameSessionTest, MethodsGoByNameWithTheGamesArgumentTypes) {
  RecordingHost host(5);
  CGameSession session(host);
  ASSERT_TRUE(session.CreateServer(kTestGame));
  EXPECT_EQ(session.GetServerClass(), kTestGame);
  for (int method = 0; method < CGameSession::kMethodCount; ++method)
    EXPECT_NE(session.GetDispId(static_cast<CGameSession::Method>(method)), DISPID_UNKNOWN) << method;

  session.StartGame(77, "alice's TestGame", 5, "alice", 518, 3, 1);
  session.JoinGroup(77, "alice's TestGame", 5, 1, 2, "alice");
  session.LeaveGroup(77, "alice's TestGame", 5, "alice");
  session.EnumMembers(0, 1, 5, "alice", 272, 1, 0);
  session.SendFromService(40, 321, 22, "svc", "xyz", 9);
  session.EndGame();

  const std::vector<std::string> expected = {
      "StartGame I4,BSTR,I4,BSTR,I4,I2,I4 77|alice's TestGame|5|alice|518|3|1",
      "JoinGroup I4,BSTR,I4,I4,I4,BSTR 77|alice's TestGame|5|1|2|alice",
      "LeaveGroup I4,BSTR,I4,BSTR 77|alice's TestGame|5|alice",
      "EnumMembers I4,I2,I4,BSTR,I2,I4,I4 0|1|5|alice|272|1|0",
      "SendFromService I4,I2,I4,BSTR,BSTR&,I4 40|321|22|svc|#3|9",
      "EndGame - ",
  };
  for (const std::string& line : expected) EXPECT_TRUE(Logged(line)) << line << "\nlog:\n" << LogText();
}

TEST_F(GameSessionTest, GameDescribesItselfThroughReferences) {
  RecordingHost host(5);
  CGameSession session(host);
  ASSERT_TRUE(session.CreateServer(kTestGame));
  session.GetGameDetails();
  EXPECT_TRUE(Logged("GetGameDetails BSTR&,BSTR&,BSTR&,BSTR&,BSTR&,I2&,I2&,BSTR& #6|#0|#55|#1|#1|2|3|#0"))
      << LogText();
  const CGameInfo& info = session.Info();
  EXPECT_EQ(info.name, "TestGame");
  EXPECT_EQ(info.secondText, "count to six");
  EXPECT_EQ(info.seatLayout, "10,10,23,31,Red;40,10,23,31,Blue");
  EXPECT_EQ(info.firstFlag, "Y");
  EXPECT_EQ(info.secondFlag, "N");
  EXPECT_EQ(info.minPlayers, 2);
  EXPECT_EQ(info.maxPlayers, 4);
  ASSERT_EQ(info.logo.size(), 43u);
  EXPECT_EQ(info.logo[0], 0x47);
  EXPECT_EQ(info.logo[13], 0xFF);
  EXPECT_EQ(info.logo[42], 0x3B);
}

TEST_F(GameSessionTest, ByteDataKeepsEveryByteAndItsCount) {
  RecordingHost host(5);
  CGameSession session(host);
  ASSERT_TRUE(session.CreateServer(kTestGame));
  std::string bytes;
  for (int value = 1; value < 256; ++value) bytes += static_cast<char>(value);
  session.Send(9, "bob", 4, 24, 0, "line", bytes);
  EXPECT_TRUE(Logged("Send I4,BSTR,I2,I4,I2,BSTR,BSTR& 9|bob|4|24|0|line|#255")) << LogText();
  EXPECT_TRUE(Logged("data 255 " + RecordingHost::Hex(bytes))) << LogText();
}

TEST_F(GameSessionTest, GameCallsBackThroughEveryEventSlot) {
  RecordingHost host(5);
  CGameSession session(host);
  ASSERT_TRUE(session.CreateServer(kTestGame));
  struct Case {
    const char* ask;
    const char* answer;  // what the game logged, empty when only the host's record counts
    const char* hostCall;
  };
  const Case cases[] = {
      {"1", "answer 1 0", "event 0 0  "},
      {"2:9:-3", "answer 2 0", "event 9 -3 posted 01fe7f"},
      {"4:9:2", "answer 4 3", "enum 9 2"},
      {"5:0:0", "answer 5 1 0 0", ""},
      {"5:9:0", "answer 5 0 9 273", "members"},
      {"5:0:16", "answer 5 0 5 16", "members"},
      {"5:9:16", "answer 5 703 9 16", "members"},
      {"5:44:0", "answer 5 703 44 0", "members"},
      {"6:9", "answer 6 0|bob|Bob Smith|Lisbon|bob@example.org", ""},
      {"6:44", "answer 6 1||||", ""},
      {"7", "answer 7 Lobby", ""},
      {"8", "answer 8 5", ""},
      {"9:2", "answer 9 0", "state 2"},
      {"10:77:4", "answer 10 0", "group 77 4"},
      {"11:9:8", "answer 11 0", "member 9 8 5"},
  };
  for (const Case& c : cases) {
    host.calls.clear();
    session.Send(9, "bob", 4, 24, 0, "", std::string("ask:") + c.ask);
    EXPECT_TRUE(Logged(c.answer)) << c.ask << "\nlog:\n" << LogText();
    if (*c.hostCall)
      EXPECT_EQ(host.calls, std::vector<std::string>{c.hostCall}) << c.ask;
    else
      EXPECT_TRUE(host.calls.empty()) << c.ask;
  }
}

TEST_F(GameSessionTest, ReleaseLetsTheGameGoAndLaterCallsDoNothing) {
  RecordingHost host(5);
  {
    CGameSession session(host);
    ASSERT_TRUE(session.CreateServer(kTestGame));
    EXPECT_EQ(LiveGames(), 1);
    // Binding again lets the first game go.
    ASSERT_TRUE(session.CreateServer(kTestGame));
    EXPECT_EQ(LiveGames(), 1);
    session.Release();
    EXPECT_FALSE(session.IsBound());
    EXPECT_EQ(session.GetDispId(CGameSession::kStartGame), DISPID_UNKNOWN);
    EXPECT_EQ(LiveGames(), 0);
    const size_t lines = Log().size();
    session.StartGame(1, "g", 5, "alice", 518, 2, 1);
    EXPECT_EQ(Log().size(), lines);
    ASSERT_TRUE(session.CreateServer(kTestGame));
  }
  // The session's end releases its game too.
  EXPECT_EQ(LiveGames(), 0);
  std::vector<std::string> ends;
  for (const std::string& line : Log())
    if (line == "Unadvise" || line == "Destroyed") ends.push_back(line);
  EXPECT_EQ(ends.size(), 6u) << LogText();
}

// alice (5) leads, bob (9) joins: each game's moves reach the other game
// through its session, both ways, until the game ends at move six.
TEST_F(GameSessionTest, TwoSessionsPlayAGameBothWays) {
  RecordingHost alice(5), bob(9);
  CGameSession aliceGame(alice), bobGame(bob);
  ASSERT_TRUE(aliceGame.CreateServer(kTestGame));
  ASSERT_TRUE(bobGame.CreateServer(kTestGame));
  // alice's moves reach bob as a member request (the place's road), bob's
  // reach alice as game data.
  alice.deliver = [&](uint32_t member, const std::string& data) {
    if (member == 9) bobGame.SendFromService(5, 16, 1, "move", data, 0);
  };
  bob.deliver = [&](uint32_t member, const std::string& data) {
    if (member == 5) aliceGame.Send(9, "bob", 4, 24, 0, "move", data);
  };
  aliceGame.StartGame(77, "alice's TestGame", 5, "alice", 518, 2, 1);
  bobGame.JoinGroup(77, "alice's TestGame", 9, 1, 2, "bob");
  aliceGame.JoinGroup(77, "alice's TestGame", 9, 1, 2, "bob");

  EXPECT_EQ(alice.calls, (std::vector<std::string>{"send 9 1 move move:1", "send 9 1 move move:3",
                                                   "send 9 1 move move:5"}));
  EXPECT_EQ(bob.calls, (std::vector<std::string>{"send 5 1 move move:2", "send 5 1 move move:4",
                                                 "send 5 1 move move:6"}));
  EXPECT_TRUE(Logged("move 6 from 9")) << LogText();
  EXPECT_TRUE(Logged("game over")) << LogText();
}

}  // namespace
