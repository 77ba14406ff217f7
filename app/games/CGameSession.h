// CGameSession: the game server bound for this run. It creates the game's
// automation object from its class identifier, calls its methods by name,
// and advises the client's event sink on the game's connection point.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include <windows.h>
#include <ocidl.h>

#include "GameInfo.h"
#include "IGameHost.h"

class CGameSession {
 public:
  enum Method { kStartGame, kEndGame, kJoinGroup, kSend, kLeaveGroup, kEnumMembers, kSendFromService,
                kGetGameDetails, kMethodCount };

  explicit CGameSession(IGameHost& host);
  ~CGameSession();
  CGameSession(const CGameSession&) = delete;
  CGameSession& operator=(const CGameSession&) = delete;

  // Binds the server of the class identifier (registry form, with braces),
  // releasing any bound one first. False, with nothing bound, when the
  // identifier is invalid, the server cannot be made or it has no
  // connection point for the game events.
  bool CreateServer(const std::string& serverClass);
  void Release();
  bool IsBound() const { return m_server != nullptr; }
  const std::string& GetServerClass() const { return m_serverClass; }
  // -1 while unbound or when the game lacks the method.
  DISPID GetDispId(Method method) const { return m_dispIds[method]; }

  CGameInfo& Info() { return m_info; }
  const CGameInfo& Info() const { return m_info; }

  // Asks the game to describe itself, passing the current description in.
  void GetGameDetails();
  void StartGame(uint32_t group, const std::string& groupName, uint32_t member, const std::string& memberName,
                 uint32_t kind, uint16_t size, uint32_t parent);
  void EndGame();
  void JoinGroup(uint32_t group, const std::string& groupName, uint32_t member, uint32_t parent, uint32_t seat,
                 const std::string& memberName);
  void Send(uint32_t sender, const std::string& name, uint16_t tag, uint32_t length, uint16_t second,
            const std::string& text, const std::string& data);
  void LeaveGroup(uint32_t group, const std::string& groupName, uint32_t member, const std::string& memberName);
  void EnumMembers(uint32_t index, uint16_t flag, uint32_t member, const std::string& name, uint16_t kind,
                   uint32_t seat, uint32_t spare);
  void SendFromService(uint32_t sender, uint16_t userClass, uint32_t code, const std::string& text,
                       const std::string& data, uint32_t value);

 private:
  bool Advise();
  void BindDispIds();
  // The method's dispid when a server is bound and has it.
  bool Callable(Method method) const { return m_server && m_dispIds[method] != DISPID_UNKNOWN; }

  IGameHost& m_host;
  CGameInfo m_info;
  std::string m_serverClass;
  IDispatch* m_server = nullptr;
  IConnectionPoint* m_connection = nullptr;
  DWORD m_cookie = 0;
  std::array<DISPID, kMethodCount> m_dispIds;
};
