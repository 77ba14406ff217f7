// The link to the user's call program, an outside telephony or conferencing
// program found in the registry and driven over DDE: it starts the program
// when needed, logs the own user in, and places and ends calls.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "CZrDdeClient.h"

class CCallProgramLink : public CZrDdeClient {
 public:
  // Failures the user is told of, by string number, with the program's name.
  static constexpr UINT kNotFound = 228;
  static constexpr UINT kCannotStart = 230;
  static constexpr UINT kNoAnswer = 231;
  using Report = std::function<void(UINT stringId, const std::string& name)>;

  static constexpr DWORD kAnswerWaitMs = 15000;
  static constexpr DWORD kRetryMs = 500;

  explicit CCallProgramLink(Report report, DWORD answerWaitMs = kAnswerWaitMs)
      : m_report(std::move(report)), m_answerWaitMs(answerWaitMs) {}
  ~CCallProgramLink() override;

  // Looks the program up under HKEY_CURRENT_USER\Software\<vendor>\<name>.
  bool FindProgram(const std::string& name);
  // Finds, starts when not running, connects and logs in as userId; true
  // once logged in.
  bool Connect(const std::string& name, const std::string& userId);
  // Calls the member at the address (IPv4, network order) under the
  // nickname, ending a running call first.
  void Call(uint32_t address, const std::string& nickname);
  void HangUp();
  void Quit();
  void Reset();

  bool IsConnected() const { return m_connected; }
  bool WasLaunched() const { return m_launched; }
  const std::string& GetService() const { return m_service; }
  const std::string& GetTopic() const { return m_topic; }

 protected:
  void OnDisconnected(const std::string& topic) override;

 private:
  bool OpenInstance();
  bool ConnectOrLaunch(const std::string& name);
  bool Launch(const std::string& name);
  void LogIn(const std::string& userId);
  void PokeText(const char* item, const std::string& text);

  Report m_report;
  DWORD m_answerWaitMs;
  std::string m_productKey;
  std::string m_service;
  std::string m_topic;
  std::string m_path;
  bool m_connected = false;
  bool m_launched = false;
  bool m_instanceOpen = false;
};
