// CGames: the program's side of games. It owns the game session, starts a
// game from the user's command (Game List, then Game Details, then the group
// request), sits the user down in a game that is installed here, tells the
// game of the group's starts, joins and leaves, hands it the game data that
// arrives, and answers the game's calls (IGameHost) from the place.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "CGameSession.h"
#include "ICommandTarget.h"
#include "IGameHost.h"

class CMyselfClient;
class CPlace;
class CTvlBlob;
class CWnd;
class CZrGroup;
class CZrGroupInfo;
class CZrObject;
class CZrPerson;

class CGames : public IGameHost, public ICommandTarget {
 public:
  // What the games need of the running program.
  struct Program {
    std::function<CPlace*()> rootPlace;
    std::function<CWnd*()> dialogParent;
    // Runs a modal dialog with the main windows disabled meanwhile.
    std::function<int(const std::function<int()>&)> runModal;
    // Width and height of a picture's bytes; false when they do not decode.
    std::function<bool(const std::vector<uint8_t>&, int&, int&)> measurePicture;
    // Opens an address in the place's browser window.
    std::function<void(const std::string&)> goTo;
  };

  explicit CGames(Program program);
  ~CGames();

  CGameSession& Session() { return m_session; }

  // Start a Game... (or, inside a game group, leave it).
  void UpdateCommand(UINT id, CCmdUI* ui) override;
  void RunCommand(UINT id) override;

  // Runs "Game List" and binds the chosen game; false on Cancel or failure.
  bool ChooseGame();
  // Asks the game to describe itself, runs "Game Details" and fills the
  // record of the new group; false on Cancel (which ends the game).
  bool DescribeGroup(CZrGroupInfo& record);
  // Sits the user down in a game group on the seat (0: any) when its game is
  // installed here; false when it is not.
  bool JoinGame(const CZrObject& group, uint16_t seat);
  void ReleaseGame() { m_session.Release(); }

  // Group events of the place.
  void OnGroupStarted(CZrGroup& group, CZrPerson& starter);
  void OnMemberJoined(CZrPerson& person, CZrGroup& group);
  void OnMemberLeft(CZrPerson& person, CZrGroup& group);
  void OnGroupBroken(CZrGroup& group);
  // Game data from members and from services.
  void OnGameData(uint32_t sender, const std::string& name, const std::string& text, const CTvlBlob& payload,
                  uint32_t first, uint32_t second);
  void OnServiceData(uint32_t sender, uint32_t userClass, uint32_t code, const std::string& text,
                     const CTvlBlob& payload);

  // IGameHost
  void DispatchGameEvent(std::unique_ptr<GameEvent> event) override;
  void SendToMember(uint32_t member, uint32_t kind, const std::string& text, const std::string& data) override;
  long EnumerateMembers(uint32_t member, long value) override;
  std::vector<GameMember> GameMembers() override;
  bool MemberIdentity(uint32_t member, std::array<std::string, 4>& texts) override;
  std::string PlaceName() override;
  uint32_t OwnGameId() override;
  void SetGameState(long state) override;
  void ForwardToGroup(uint32_t group, long value) override;
  void ForwardToMember(uint32_t member, const std::array<long, 4>& values) override;

 private:
  CMyselfClient* Myself() const;
  void StartOrLeave();
  bool InGame() const;

  Program m_program;
  CGameSession m_session;
};
